#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Property.h"
#include "platform/TextTypes.h"
#include "treelist/TreeListExport.h"

// No column or band is wider than this: far beyond any screen, and small enough that the
// layout's sums of widths and positions stay within int.
inline constexpr int kMaxColumnWidth = 1 << 16;

class TCanvas;
class TCustomTreeListControl;
class TTreeListNode;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TTreeListColumnSort { csNone, csDown, csUp };

// Bits of TTreeListColumn::AssignedValues: which optional values the column holds itself.
enum : uint8_t {
  cavAlignment = 0x01,
  cavCaption = 0x02,
  cavReadOnly = 0x04,
  cavWidth = 0x08,
  cavColor = 0x10,
  cavFont = 0x20,
  cavMaxLength = 0x40
};

// A picture that is created on first read, so the many columns without one cost nothing.
class LISTCHART_TREELIST_API TLazyBitmap {
 public:
  // The picture, made empty on the first call.
  TBitmap& Get() {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return *FBitmap;
  }
  // Whether Get() has made the picture yet.
  bool Exists() const { return FBitmap != nullptr; }
  // The picture when it has one, else null.
  const TBitmap* Find() const { return FBitmap && !FBitmap->Empty() ? FBitmap.get() : nullptr; }

 private:
  std::unique_ptr<TBitmap> FBitmap;
};

// One column of a tree-list: what a cell shows (the node text at its value index) and how.
class LISTCHART_TREELIST_API TTreeListColumn {
 public:
  TTreeListColumn() = default;
  virtual ~TTreeListColumn();
  TTreeListColumn(const TTreeListColumn&) = delete;
  TTreeListColumn& operator=(const TTreeListColumn&) = delete;

  // The tree-list that owns the column; null while detached.
  TCustomTreeListControl* TreeList() const { return FTreeList; }

  // The column's own name, empty by default: stored layouts know the column by it.
  const std::string& Name() const { return FName; }
  // Sets the name; nothing on screen changes.
  void SetName(const std::string& value) { FName = value; }

  // Values with an assigned bit.
  uint8_t AssignedValues() const { return FAssignedValues; }
  // Horizontal alignment of the cells' text; taLeftJustify unless assigned.
  TAlignment Alignment() const;
  // Assigns the cells' alignment.
  void SetAlignment(TAlignment value);
  // The header's text; empty unless assigned.
  std::string Caption() const;
  // Assigns the header's text.
  void SetCaption(const std::string& value);
  // Whether the cells may not be edited; false unless assigned; stored for an editor; the tree-list
  // itself does not read it.
  bool ReadOnly() const;
  // Assigns ReadOnly.
  void SetReadOnly(bool value);
  // The width in pixels the column asks for; 100 unless assigned. Bands and aoAutoWidth may
  // show it otherwise (TTreeList::ColumnWidth).
  int Width() const;
  // Assigns the width, kept between MinWidth and kMaxColumnWidth.
  void SetWidth(int value);
  // The cells' background: the tree-list's Color unless assigned.
  TColor Color() const;
  // Assigns the cells' background.
  void SetColor(TColor value);
  // The cells' font: the tree-list's Font unless assigned.
  const TFont& Font() const;
  // Assigns the cells' font.
  void SetFont(const TFont& value);
  // The longest text an editor accepts, 0 for no limit; stored for an editor; the tree-list itself
  // does not read it.
  int MaxLength() const;
  // Assigns MaxLength.
  void SetMaxLength(int value);
  // Forgets every assigned value and resets the plain options to their defaults.
  void RestoreDefaults();

  // The narrowest the user can size the column, in pixels; 20 by default.
  int MinWidth() const { return FMinWidth; }
  // Sets the minimum (0 to kMaxColumnWidth) and widens the column to it if needed.
  void SetMinWidth(int value);
  // How many header rows the header may reach down over when it is the last in its band;
  // 0 for all; 1 by default.
  int HeaderMaxLineCount() const { return FHeaderMaxLineCount; }
  // Sets that count; negative values count as 0.
  void SetHeaderMaxLineCount(int value);
  // The column's sort mark: csNone (the default), csUp (ascending) or csDown (descending).
  TTreeListColumnSort Sorted() const { return FSorted; }
  // Sorts the nodes by this column (with aoAutoSort, instead of the other columns unless
  // aoMultiSort), or takes it out of the sort with csNone.
  void SetSorted(TTreeListColumnSort value);

  // Position in the tree-list's column list; -1 while detached.
  int Index() const;
  // Moves the column to a list position, clamped to the list.
  void SetIndex(int value);
  // Position among the visible columns of the same band and header row.
  int ColIndex() const;
  // Moves the column among the visible columns of its band and header row, clamped.
  void SetColIndex(int value);
  // The band the column sits in, -1 for none; 0 by default.
  int BandIndex() const { return FBandIndex; }
  // Moves the column to a band, clamped to -1 and the last band.
  void SetBandIndex(int value);
  // The header row the column sits in within its band, within the rows the header has.
  int RowIndex() const;
  // Moves the column to a header row, clamped to the rows there are (with
  // aoAutoHeaderPanelHeight, to HeaderPanelMaxRowCount: the panel grows to show it).
  void SetRowIndex(int value);
  // The header row as set, before clamping to the rows there are.
  int StoredRowIndex() const { return FRowIndex; }
  // The node text slot this column shows.
  int ValueIndex() const { return FValueIndex >= 0 ? FValueIndex : Index(); }
  // Sets the node text slot to show; a negative value means the column's own Index.
  void SetValueIndex(int value) { FValueIndex = value < 0 ? -1 : value; }

  // Shown and laid out: visible, in a band, and that band visible.
  bool Displayed() const;
  // A node text as the cell shows it: CharCase applied, every character hidden by
  // PasswordChar when one is set.
  std::string DisplayText(const std::string& text) const;
  // The column whose values the cells show, drawn its way: this one, unless a wrapper names
  // another.
  virtual const TTreeListColumn* ShownColumn() const { return this; }
  // The node's text as this column's cells show it: the shown column's value and DisplayText.
  std::string CellText(const TTreeListNode* node) const;

  // A handler the program may set; the tree-list does not call it.
  std::function<void(TTreeListColumn* sender)> OnChange;
  // Validation of edited text: the handler may rewrite the text or refuse it.
  std::function<void(TTreeListColumn* sender, std::string& text, bool& accept)> OnValidate;
  // The column's own custom draw, asked after the tree-list's (same parameters, the column as
  // sender): see TTreeList::OnCustomDrawCell and OnCustomDrawColumnHeader.
  std::function<void(TTreeListColumn* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, TTreeListColumn* column, bool selected, bool focused,
                     bool newItemRow, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, bool& done)>
      OnCustomDrawCell;
  // The column's own header custom draw, asked after the tree-list's unless that set done.
  std::function<void(TTreeListColumn* sender, TTreeListColumn* column, TCanvas& canvas,
                     const TRect& rect, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, TTreeListColumnSort& sorted, bool& done)>
      OnCustomDrawColumnHeader;

  // Values of the editor and the header; each change relayouts.
  TEditCharCase CharCase() const { return FCharCase; }
  // Sets the case the cells show their texts in.
  void SetCharCase(TEditCharCase value) { Change(FCharCase, value); }
  // Whether the header and exported text omit the caption; false by default.
  bool DisableCaption() const { return FDisableCaption; }
  // Sets DisableCaption.
  void SetDisableCaption(bool value) { Change(FDisableCaption, value); }
  // Whether dragging the header off the panel may not hide the column, nor the customizing box
  // offer it while hidden; false by default.
  bool DisableCustomizing() const { return FDisableCustomizing; }
  // Sets DisableCustomizing.
  void SetDisableCustomizing(bool value) { Change(FDisableCustomizing, value); }
  // Whether the header cannot be dragged to another place; false by default.
  bool DisableDragging() const { return FDisableDragging; }
  // Sets DisableDragging.
  void SetDisableDragging(bool value) { Change(FDisableDragging, value); }
  // Whether the cells get no editor; false by default; stored for an editor; the tree-list itself
  // does not read it.
  bool DisableEditor() const { return FDisableEditor; }
  // Sets DisableEditor.
  void SetDisableEditor(bool value) { Change(FDisableEditor, value); }
  // Horizontal alignment of the header's caption; taLeftJustify by default.
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  // Sets the header's alignment.
  void SetHeaderAlignment(TAlignment value) { Change(FHeaderAlignment, value); }
  // Whether an editor converts typed text to the OEM character set; stored for an editor; the
  // tree-list itself does not read it.
  bool OEMConvert() const { return FOEMConvert; }
  // Sets OEMConvert.
  void SetOEMConvert(bool value) { Change(FOEMConvert, value); }
  // A character shown for each of the text's characters, '\0' (the default) for none.
  char PasswordChar() const { return FPasswordChar; }
  // Sets the password character.
  void SetPasswordChar(char value) { Change(FPasswordChar, value); }
  // Whether the user may size the column (and best fit applies); true by default.
  bool Sizing() const { return FSizing; }
  // Sets Sizing.
  void SetSizing(bool value) { Change(FSizing, value); }
  // Whether Tab (and Enter with aoEnterThrough) stops at the column's cells when cells are
  // focused one by one; true by default.
  bool TabStop() const { return FTabStop; }
  // Sets TabStop.
  void SetTabStop(bool value) { Change(FTabStop, value); }
  // Vertical alignment of the cells' text in taller rows; tlTop by default.
  TTextLayout VertAlignment() const { return FVertAlignment; }
  // Sets the vertical alignment.
  void SetVertAlignment(TTextLayout value) { Change(FVertAlignment, value); }
  // Whether the column is shown (when its band is too); true by default.
  bool Visible() const { return FVisible; }
  // Shows or hides the column.
  void SetVisible(bool value) { Change(FVisible, value); }
  // The footer's text under this column (ShowFooter).
  const std::string& FooterText() const { return FFooterText; }
  // Sets the footer's text.
  void SetFooterText(const std::string& value) { Change(FFooterText, value); }
  // A picture drawn in the header beside the caption; made empty on first use.
  TBitmap& HeaderGlyph() { return FHeaderGlyph.Get(); }
  // Whether HeaderGlyph() was ever called.
  bool HasHeaderGlyph() const { return FHeaderGlyph.Exists(); }

 protected:
  // Class defaults of the optional values.
  virtual TAlignment DefaultAlignment() const { return taLeftJustify; }
  // Caption default: empty.
  virtual std::string DefaultCaption() const { return {}; }
  // ReadOnly default: false.
  virtual bool DefaultReadOnly() const { return false; }
  // Width default: 100 pixels.
  virtual int DefaultWidth() const { return 100; }
  // MaxLength default: 0.
  virtual int DefaultMaxLength() const { return 0; }
  // Tells the tree-list that this column changed, so it relayouts.
  void Changed();
  // Stores a plain value and calls Changed() when it differs.
  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { Changed(); });
  }

 private:
  friend class TCustomTreeListControl;
  bool Assigned(uint8_t bit) const { return (FAssignedValues & bit) != 0; }
  // Stores an optional value and marks it as the column's own; true when either changed.
  template <typename T>
  bool StoreAssigned(T& field, const T& value, uint8_t bit) {
    const bool newlyAssigned = !Assigned(bit);
    FAssignedValues |= bit;
    return StoreProperty(field, value) || newlyAssigned;
  }

  TEditCharCase FCharCase = ecNormal;
  bool FDisableCaption = false;
  bool FDisableCustomizing = false;
  bool FDisableDragging = false;
  bool FDisableEditor = false;
  TAlignment FHeaderAlignment = taLeftJustify;
  bool FOEMConvert = false;
  char FPasswordChar = '\0';
  bool FSizing = true;
  bool FTabStop = true;
  TTextLayout FVertAlignment = tlTop;
  bool FVisible = true;
  TLazyBitmap FHeaderGlyph;
  std::string FFooterText;
  std::string FName;

  TCustomTreeListControl* FTreeList = nullptr;
  uint8_t FAssignedValues = 0;
  TAlignment FAlignment = taLeftJustify;
  std::string FCaption;
  bool FReadOnly = false;
  int FWidth = 0;
  TColor FColor = clWindow;
  TFont FFont;
  int FMaxLength = 0;
  int FMinWidth = 20;
  int FHeaderMaxLineCount = 1;
  TTreeListColumnSort FSorted = csNone;
  int FBandIndex = 0;
  int FRowIndex = 0;
  int FValueIndex = -1;
};
