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
  TBitmap& Get() {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return *FBitmap;
  }
  bool Exists() const { return FBitmap != nullptr; }

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

  TCustomTreeListControl* TreeList() const { return FTreeList; }

  // Values with an assigned bit.
  uint8_t AssignedValues() const { return FAssignedValues; }
  TAlignment Alignment() const;
  void SetAlignment(TAlignment value);
  std::string Caption() const;
  void SetCaption(const std::string& value);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  int Width() const;
  void SetWidth(int value);
  TColor Color() const;
  void SetColor(TColor value);
  const TFont& Font() const;
  void SetFont(const TFont& value);
  int MaxLength() const;
  void SetMaxLength(int value);
  // Forgets every assigned value and resets the plain options to their defaults.
  void RestoreDefaults();

  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value);
  int HeaderMaxLineCount() const { return FHeaderMaxLineCount; }
  void SetHeaderMaxLineCount(int value);
  TTreeListColumnSort Sorted() const { return FSorted; }
  void SetSorted(TTreeListColumnSort value);

  // Position in the tree-list's column list; -1 while detached.
  int Index() const;
  void SetIndex(int value);
  // Position among the visible columns of the same band and header row.
  int ColIndex() const;
  void SetColIndex(int value);
  int BandIndex() const { return FBandIndex; }
  void SetBandIndex(int value);
  int RowIndex() const;
  void SetRowIndex(int value);
  int StoredRowIndex() const { return FRowIndex; }
  // The node text slot this column shows.
  int ValueIndex() const { return FValueIndex >= 0 ? FValueIndex : Index(); }
  void SetValueIndex(int value) { FValueIndex = value < 0 ? -1 : value; }

  // Shown and laid out: visible, in a band, and that band visible.
  bool Displayed() const;
  // A node text as the cell shows it: CharCase applied, every character hidden by
  // PasswordChar when one is set.
  std::string DisplayText(const std::string& text) const;

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
  std::function<void(TTreeListColumn* sender, TTreeListColumn* column, TCanvas& canvas,
                     const TRect& rect, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, TTreeListColumnSort& sorted, bool& done)>
      OnCustomDrawColumnHeader;

  // Values of the editor and the header; each change relayouts.
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value) { Change(FCharCase, value); }
  bool DisableCaption() const { return FDisableCaption; }
  void SetDisableCaption(bool value) { Change(FDisableCaption, value); }
  bool DisableCustomizing() const { return FDisableCustomizing; }
  void SetDisableCustomizing(bool value) { Change(FDisableCustomizing, value); }
  bool DisableDragging() const { return FDisableDragging; }
  void SetDisableDragging(bool value) { Change(FDisableDragging, value); }
  bool DisableEditor() const { return FDisableEditor; }
  void SetDisableEditor(bool value) { Change(FDisableEditor, value); }
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment value) { Change(FHeaderAlignment, value); }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool value) { Change(FOEMConvert, value); }
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char value) { Change(FPasswordChar, value); }
  bool Sizing() const { return FSizing; }
  void SetSizing(bool value) { Change(FSizing, value); }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value) { Change(FTabStop, value); }
  TTextLayout VertAlignment() const { return FVertAlignment; }
  void SetVertAlignment(TTextLayout value) { Change(FVertAlignment, value); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { Change(FVisible, value); }
  // The footer's text under this column (ShowFooter).
  const std::string& FooterText() const { return FFooterText; }
  void SetFooterText(const std::string& value) { Change(FFooterText, value); }
  TBitmap& HeaderGlyph() { return FHeaderGlyph.Get(); }
  bool HasHeaderGlyph() const { return FHeaderGlyph.Exists(); }

 protected:
  // Class defaults of the optional values.
  virtual TAlignment DefaultAlignment() const { return taLeftJustify; }
  virtual std::string DefaultCaption() const { return {}; }
  virtual bool DefaultReadOnly() const { return false; }
  virtual int DefaultWidth() const { return 100; }
  virtual int DefaultMaxLength() const { return 0; }
  // Tells the tree-list that this column changed, so it relayouts.
  void Changed();
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
