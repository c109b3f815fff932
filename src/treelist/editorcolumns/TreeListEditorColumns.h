#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "treelist/TreeListExport.h"
#include "treelist/model/TreeListColumn.h"
#include "treelist/model/TreeListOptions.h"

// The column classes beyond the plain text column. Settings only: editing is not built, so
// each class holds the published settings of its editor family and draws like a text column
// (the button column alone adds its buttons, when shown).

class TImageList;  // an image list of the platform; the columns only refer to one

enum TShowButtonStyle { sbDefault, sbAlways, sbNone };
enum TPopupBorder { pbDefault, pbSingle, pbFrame3D, pbFlat };
enum TEditButtonStyle { ebsEllipsis, ebsDown, ebsGlyph };
enum TButtonKind { bkEllipsis, bkDown, bkGlyph };
enum TDateOnError { deNoChange, deToday, deNull };
enum TCalcButtonStyle { bsStandard, bsFlat };
enum TSpinValueType { svtInteger, svtFloat };
enum TTimeEditFormat { tfHourMinSec, tfHourMin, tfHour };
enum TShowNullFieldStyle { nsUnchecked, nsInactive, nsGrayedChecked };
enum TGraphicTransparency { gtDefault, gtOpaque, gtTransparent };
enum TBlobEditKind { bekAuto, bekMemo, bekPict, bekOle, bekBlob };
enum TBlobPaintStyle { bpsDefault, bpsIcon, bpsText };

using TColumnNotifyEvent = std::function<void(TTreeListColumn* sender)>;

// A column whose editor takes text through an edit mask. Its settings are stored for an editor; the
// tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListMaskColumn : public TTreeListColumn {
 public:
  // The mask typed text must fit; empty (no mask) by default.
  const std::string& EditMask() const { return FEditMask; }
  // Sets EditMask.
  void SetEditMask(const std::string& value) { Change(FEditMask, value); }
  // Whether text may leave the mask's blanks unfilled; false by default.
  bool IgnoreMaskBlank() const { return FIgnoreMaskBlank; }
  // Sets IgnoreMaskBlank.
  void SetIgnoreMaskBlank(bool value) { Change(FIgnoreMaskBlank, value); }

 private:
  std::string FEditMask;
  bool FIgnoreMaskBlank = false;
};

// A column whose editor is a memo of several lines. Its settings are stored for an editor; the
// tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListMemoColumn : public TTreeListColumn {
 public:
  // Whether the memo hides the scroll bars it does not need; true by default.
  bool HideScrollBars() const { return FHideScrollBars; }
  // Sets HideScrollBars.
  void SetHideScrollBars(bool value) { Change(FHideScrollBars, value); }
  // The memo's scroll bars; ssNone by default.
  TScrollStyle ScrollBars() const { return FScrollBars; }
  // Sets ScrollBars.
  void SetScrollBars(TScrollStyle value) { Change(FScrollBars, value); }
  // Whether the memo has a selection margin at its left; false by default.
  bool SelectionBar() const { return FSelectionBar; }
  // Sets SelectionBar.
  void SetSelectionBar(bool value) { Change(FSelectionBar, value); }
  // Whether Enter types a line break in the memo; true by default.
  bool WantReturns() const { return FWantReturns; }
  // Sets WantReturns.
  void SetWantReturns(bool value) { Change(FWantReturns, value); }
  // Whether Tab types a tab character in the memo; false by default.
  bool WantTabs() const { return FWantTabs; }
  // Sets WantTabs.
  void SetWantTabs(bool value) { Change(FWantTabs, value); }
  // Whether the memo wraps long lines; true by default.
  bool WordWrap() const { return FWordWrap; }
  // Sets WordWrap.
  void SetWordWrap(bool value) { Change(FWordWrap, value); }

 private:
  bool FHideScrollBars = true;
  TScrollStyle FScrollBars = ssNone;
  bool FSelectionBar = false;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

// A column whose editor has a drop-down button. ShowButtonStyle is read for button columns only;
// the rest is stored for an editor.
class LISTCHART_TREELIST_API TTreeListDropDownColumn : public TTreeListColumn {
 public:
  // A handler for a click on the editor's button; stored for an editor, the tree-list does not call
  // it.
  TColumnNotifyEvent OnEditButtonClick;
  // When a button column's cells show its buttons (with aoShowButtonAlways set): sbAlways in every
  // row, sbNone never, sbDefault (the default) in cells drawn as selected.
  TShowButtonStyle ShowButtonStyle() const { return FShowButtonStyle; }
  // Sets ShowButtonStyle.
  void SetShowButtonStyle(TShowButtonStyle value) { Change(FShowButtonStyle, value); }

 private:
  TShowButtonStyle FShowButtonStyle = sbDefault;
};

// A drop-down column whose editor opens a window: where the window goes and its border.
class LISTCHART_TREELIST_API TTreeListPopupColumn : public TTreeListDropDownColumn {
 public:
  // Which side of the cell the popup window lines up with; taLeftJustify by default.
  TAlignment PopupAlignment() const { return FPopupAlignment; }
  // Sets PopupAlignment.
  void SetPopupAlignment(TAlignment value) { Change(FPopupAlignment, value); }
  // The popup window's border; pbDefault by default.
  TPopupBorder PopupBorder() const { return FPopupBorder; }
  // Sets PopupBorder.
  void SetPopupBorder(TPopupBorder value) { Change(FPopupBorder, value); }

 private:
  TAlignment FPopupAlignment = taLeftJustify;
  TPopupBorder FPopupBorder = pbDefault;
};

// A column whose editor picks a date from a popup calendar. Its settings are stored for an editor;
// the tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListDateColumn : public TTreeListPopupColumn {
 public:
  // Validation of typed date text: the handler may refuse it by clearing accept; stored for an
  // editor, the tree-list does not call it.
  std::function<void(TTreeListColumn* sender, const std::string& text, bool& accept)>
      OnDateValidateInput;
  // Which buttons the calendar popup shows; 0 by default.
  int DateButtons() const { return FDateButtons; }
  // Sets DateButtons.
  void SetDateButtons(int value) { Change(FDateButtons, value); }
  // What becomes of text that is no date: deNoChange keeps the old value, deToday puts today,
  // deNull empties it; deNoChange by default.
  TDateOnError DateOnError() const { return FDateOnError; }
  // Sets DateOnError.
  void SetDateOnError(TDateOnError value) { Change(FDateOnError, value); }
  // Whether typed dates are checked (see OnDateValidateInput); false by default.
  bool DateValidation() const { return FDateValidation; }
  // Sets DateValidation.
  void SetDateValidation(bool value) { Change(FDateValidation, value); }
  // Whether an edited date keeps the value's time of day; true by default.
  bool SaveTime() const { return FSaveTime; }
  // Sets SaveTime.
  void SetSaveTime(bool value) { Change(FSaveTime, value); }
  // Whether the date is typed through an edit mask; false by default.
  bool UseEditMask() const { return FUseEditMask; }
  // Sets UseEditMask.
  void SetUseEditMask(bool value) { Change(FUseEditMask, value); }
  // A picture for the editor's drop-down button; made empty on first use.
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
  // Whether ButtonGlyph() was ever called.
  bool HasButtonGlyph() const { return FButtonGlyph.Exists(); }

 private:
  int FDateButtons = 0;
  TDateOnError FDateOnError = deNoChange;
  bool FDateValidation = false;
  bool FSaveTime = true;
  bool FUseEditMask = false;
  TLazyBitmap FButtonGlyph;
};

class TEditButtons;

// One button of a button column's editor.
class LISTCHART_TREELIST_API TEditButton {
 public:
  // A button of the given list, which owns it; TEditButtons::Add makes them.
  explicit TEditButton(TEditButtons* collection) : FCollection(collection) {}
  // The button's place in its list, or -1 when the list no longer holds it.
  int Index() const;

  // Whether ClickKey clicks this button, which is framed darker for it; false by default.
  bool Default() const { return FDefault; }
  // Sets Default.
  void SetDefault(bool value) { Change(FDefault, value); }
  // The button's face: three dots (bkEllipsis, the default), a down arrow (bkDown) or its Glyph
  // (bkGlyph). Until it is set the button wears its column's EditButtonStyle instead.
  TButtonKind Kind() const { return FKind; }
  // Sets Kind, which from then on decides the face whatever the column's style.
  void SetKind(TButtonKind value);
  // Whether Kind was set.
  bool KindAssigned() const { return FKindAssigned; }
  // Whether the button sits at the cell's left edge rather than its right; false by default.
  bool LeftAlignment() const { return FLeftAlignment; }
  // Sets LeftAlignment.
  void SetLeftAlignment(bool value) { Change(FLeftAlignment, value); }
  // Whether the button is drawn; true by default.
  bool Visible() const { return FVisible; }
  // Sets Visible.
  void SetVisible(bool value) { Change(FVisible, value); }
  // The button's width in pixels; 0 (the default) draws it 16 pixels wide.
  int Width() const { return FWidth; }
  // Sets Width; each change to a button relayouts the tree-list.
  void SetWidth(int value) { Change(FWidth, value); }
  // The picture of a glyph face, made empty on first use; without one the column's Glyph stands
  // in.
  TBitmap& Glyph() { return FGlyph.Get(); }
  // Whether Glyph() was ever called.
  bool HasGlyph() const { return FGlyph.Exists(); }
  // The Glyph when it holds a picture, else null.
  const TBitmap* FindGlyph() const { return FGlyph.Find(); }

 private:
  bool FDefault = false;
  TButtonKind FKind = bkEllipsis;
  bool FKindAssigned = false;
  bool FLeftAlignment = false;
  bool FVisible = true;
  int FWidth = 0;
  TLazyBitmap FGlyph;

  void Changed();
  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { Changed(); });
  }
  TEditButtons* FCollection;
};

// The buttons of a button column's editor, in order from the cell's edge; the list owns them.
class LISTCHART_TREELIST_API TEditButtons {
 public:
  // An empty list that calls changed after each change to it or to one of its buttons.
  explicit TEditButtons(std::function<void()> changed) : FChanged(std::move(changed)) {}
  // The number of buttons.
  int Count() const { return static_cast<int>(FButtons.size()); }
  // The button at index, or nullptr when index is out of range.
  TEditButton* Items(int index) const;
  // Appends a button with default settings and returns it; the list owns it.
  TEditButton* Add();
  // Deletes the button at index; an index out of range does nothing.
  void Delete(int index);
  // Deletes every button.
  void Clear();
  // The index of button, or -1 when the list does not hold it.
  int IndexOf(const TEditButton* button) const;

 private:
  friend class TEditButton;
  std::function<void()> FChanged;
  std::vector<std::unique_ptr<TEditButton>> FButtons;
};

// A column whose editor has a row of buttons, which its cells show too when asked (see
// ShowButtonStyle): each button's face, Default, Width, LeftAlignment and Visible, and ButtonOnly,
// are read; the rest is stored for an editor.
class LISTCHART_TREELIST_API TTreeListButtonColumn : public TTreeListDropDownColumn {
 public:
  // A column with one button of default settings.
  TTreeListButtonColumn();
  // The editor's buttons; each change to them relayouts the tree-list.
  TEditButtons& Buttons() { return FButtons; }
  // The editor's buttons, to read.
  const TEditButtons& Buttons() const { return FButtons; }
  // The face a button shows: its Kind once set, else the one EditButtonStyle names.
  TButtonKind ButtonFace(const TEditButton& button) const;
  // The picture of a button's glyph face: its own Glyph, else the column's, else null.
  const TBitmap* FaceGlyph(const TEditButton& button) const;
  // A button's width in a cell: its Width, else 16 pixels, widened for a wider glyph.
  int ButtonWidth(const TEditButton& button) const;
  // The width of all its visible buttons side by side.
  int VisibleButtonsWidth() const;
  // Event arguments: the column and the button's index.
  std::function<void(TTreeListColumn* sender, int buttonIndex)> OnButtonClick;

  // Whether cells that show the buttons leave no room for the text; false by default.
  bool ButtonOnly() const { return FButtonOnly; }
  // Sets ButtonOnly.
  void SetButtonOnly(bool value) { Change(FButtonOnly, value); }
  // The face of the buttons whose Kind is not set: three dots (ebsEllipsis, the default), a down
  // arrow (ebsDown) or a glyph (ebsGlyph).
  TEditButtonStyle EditButtonStyle() const { return FEditButtonStyle; }
  // Sets EditButtonStyle.
  void SetEditButtonStyle(TEditButtonStyle value) { Change(FEditButtonStyle, value); }
  // The key that clicks the default button; Ctrl+Enter by default.
  int ClickKey() const { return FClickKey; }
  // Sets ClickKey.
  void SetClickKey(int value) { Change(FClickKey, value); }
  // Whether the editor hides its text cursor; false by default.
  bool HideEditCursor() const { return FHideEditCursor; }
  // Sets HideEditCursor.
  void SetHideEditCursor(bool value) { Change(FHideEditCursor, value); }
  // The picture of the glyph faces of buttons without a Glyph of their own; made empty on first
  // use.
  TBitmap& Glyph() { return FGlyph.Get(); }
  // Whether Glyph() was ever called.
  bool HasGlyph() const { return FGlyph.Exists(); }

 private:
  bool FButtonOnly = false;
  TEditButtonStyle FEditButtonStyle = ebsEllipsis;
  int FClickKey = 16397;
  bool FHideEditCursor = false;
  TLazyBitmap FGlyph;

  TEditButtons FButtons;
};

// A column whose editor is a check box, with the texts that stand for its states. Its settings are
// stored for an editor; the tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListCheckColumn : public TTreeListColumn {
 public:
  // A handler for a click that toggles the box; stored for an editor, the tree-list does not call
  // it.
  TColumnNotifyEvent OnToggleClick;
  // Whether the box has a third, grayed state; false by default.
  bool AllowGrayed() const { return FAllowGrayed; }
  // Sets AllowGrayed.
  void SetAllowGrayed(bool value) { Change(FAllowGrayed, value); }
  // Whether the box has a 3D border; false by default.
  bool Border3D() const { return FBorder3D; }
  // Sets Border3D.
  void SetBorder3D(bool value) { Change(FBorder3D, value); }
  // The number of state pictures in Glyph; 6 by default.
  int GlyphCount() const { return FGlyphCount; }
  // Sets GlyphCount.
  void SetGlyphCount(int value) { Change(FGlyphCount, value); }
  // How a box whose cell has no value looks; nsUnchecked by default.
  TShowNullFieldStyle ShowNullFieldStyle() const { return FShowNullFieldStyle; }
  // Sets ShowNullFieldStyle.
  void SetShowNullFieldStyle(TShowNullFieldStyle value) { Change(FShowNullFieldStyle, value); }
  // The text that stands for checked; empty by default.
  const std::string& ValueChecked() const { return FValueChecked; }
  // Sets ValueChecked.
  void SetValueChecked(const std::string& value) { Change(FValueChecked, value); }
  // The text that stands for grayed; empty by default.
  const std::string& ValueGrayed() const { return FValueGrayed; }
  // Sets ValueGrayed.
  void SetValueGrayed(const std::string& value) { Change(FValueGrayed, value); }
  // The text that stands for unchecked; empty by default.
  const std::string& ValueUnchecked() const { return FValueUnchecked; }
  // Sets ValueUnchecked.
  void SetValueUnchecked(const std::string& value) { Change(FValueUnchecked, value); }
  // The box's state pictures, made empty on first use.
  TBitmap& Glyph() { return FGlyph.Get(); }
  // Whether Glyph() was ever called.
  bool HasGlyph() const { return FGlyph.Exists(); }

 private:
  bool FAllowGrayed = false;
  bool FBorder3D = false;
  int FGlyphCount = 6;
  TShowNullFieldStyle FShowNullFieldStyle = nsUnchecked;
  std::string FValueChecked;
  std::string FValueGrayed;
  std::string FValueUnchecked;
  TLazyBitmap FGlyph;
};

// A column whose editor picks one of a list of values, each shown as a picture. Its settings are
// stored for an editor; the tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListImageColumn : public TTreeListPopupColumn {
 public:
  // A handler for the closing of the popup list; stored for an editor, the tree-list does not call
  // it.
  TColumnNotifyEvent OnCloseUp;
  // Whether the editor uses its own default pictures; true by default.
  bool DefaultImages() const { return FDefaultImages; }
  // Sets DefaultImages.
  void SetDefaultImages(bool value) { Change(FDefaultImages, value); }
  // The texts shown beside the pictures, one for each value; empty by default.
  const std::vector<std::string>& Descriptions() const { return FDescriptions; }
  // Sets Descriptions.
  void SetDescriptions(const std::vector<std::string>& value) { Change(FDescriptions, value); }
  // How many rows the popup list shows at once; 7 by default.
  int DropDownRows() const { return FDropDownRows; }
  // Sets DropDownRows.
  void SetDropDownRows(int value) { Change(FDropDownRows, value); }
  // The popup list's width in pixels; 0 by default.
  int DropDownWidth() const { return FDropDownWidth; }
  // Sets DropDownWidth.
  void SetDropDownWidth(int value) { Change(FDropDownWidth, value); }
  // The image list of the pictures, not owned (it must outlive the column); nullptr by default.
  TImageList* Images() const { return FImages; }
  // Sets Images.
  void SetImages(TImageList* value) { Change(FImages, value); }
  // The picture index of each value, as text; empty by default.
  const std::vector<std::string>& ImageIndexes() const { return FImageIndexes; }
  // Sets ImageIndexes.
  void SetImageIndexes(const std::vector<std::string>& value) { Change(FImageIndexes, value); }
  // Whether typing searches the values as it goes; false by default.
  bool Incremental() const { return FIncremental; }
  // Sets Incremental.
  void SetIncremental(bool value) { Change(FIncremental, value); }
  // An image list of larger pictures, not owned (it must outlive the column); nullptr by default.
  TImageList* LargeImages() const { return FLargeImages; }
  // Sets LargeImages.
  void SetLargeImages(TImageList* value) { Change(FLargeImages, value); }
  // The width of the popup list in pixels; 0 by default.
  int ListWidth() const { return FListWidth; }
  // Sets ListWidth.
  void SetListWidth(int value) { Change(FListWidth, value); }
  // Whether descriptions may take several lines; false by default.
  bool MultiLineText() const { return FMultiLineText; }
  // Sets MultiLineText.
  void SetMultiLineText(bool value) { Change(FMultiLineText, value); }
  // Whether the description shows beside the picture; false by default.
  bool ShowDescription() const { return FShowDescription; }
  // Sets ShowDescription.
  void SetShowDescription(bool value) { Change(FShowDescription, value); }
  // The values the pictures stand for, as the cells hold them; empty by default.
  const std::vector<std::string>& Values() const { return FValues; }
  // Sets Values.
  void SetValues(const std::vector<std::string>& value) { Change(FValues, value); }
  // A picture for the editor's drop-down button; made empty on first use.
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
  // Whether ButtonGlyph() was ever called.
  bool HasButtonGlyph() const { return FButtonGlyph.Exists(); }

 private:
  bool FDefaultImages = true;
  std::vector<std::string> FDescriptions;
  int FDropDownRows = 7;
  int FDropDownWidth = 0;
  TImageList* FImages = nullptr;
  std::vector<std::string> FImageIndexes;
  bool FIncremental = false;
  TImageList* FLargeImages = nullptr;
  int FListWidth = 0;
  bool FMultiLineText = false;
  bool FShowDescription = false;
  std::vector<std::string> FValues;
  TLazyBitmap FButtonGlyph;
};

// A column whose editor steps a number up and down. Its settings are stored for an editor; the
// tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListSpinColumn : public TTreeListColumn {
 public:
  // Whether the number can be typed as well as stepped; true by default.
  bool EditorEnabled() const { return FEditorEnabled; }
  // Sets EditorEnabled.
  void SetEditorEnabled(bool value) { Change(FEditorEnabled, value); }
  // The step of one click or arrow key; 1 by default.
  double Increment() const { return FIncrement; }
  // Sets Increment.
  void SetIncrement(double value) { Change(FIncrement, value); }
  // The least value; 0 by default.
  double MinValue() const { return FMinValue; }
  // Sets MinValue.
  void SetMinValue(double value) { Change(FMinValue, value); }
  // The greatest value; 0 by default.
  double MaxValue() const { return FMaxValue; }
  // Sets MaxValue.
  void SetMaxValue(double value) { Change(FMaxValue, value); }
  // When the spin buttons show; sbDefault by default.
  TShowButtonStyle ShowButtonStyle() const { return FShowButtonStyle; }
  // Sets ShowButtonStyle.
  void SetShowButtonStyle(TShowButtonStyle value) { Change(FShowButtonStyle, value); }
  // Whether Ctrl with the arrow keys steps the value; false by default.
  bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
  // Sets UseCtrlIncrement.
  void SetUseCtrlIncrement(bool value) { Change(FUseCtrlIncrement, value); }
  // Whether the value is an integer or has a fraction; svtInteger by default.
  TSpinValueType ValueType() const { return FValueType; }
  // Sets ValueType.
  void SetValueType(TSpinValueType value) { Change(FValueType, value); }

 private:
  bool FEditorEnabled = true;
  double FIncrement = 1.0;
  double FMinValue = 0.0;
  double FMaxValue = 0.0;
  TShowButtonStyle FShowButtonStyle = sbDefault;
  bool FUseCtrlIncrement = false;
  TSpinValueType FValueType = svtInteger;
};

// A column whose editor picks a text from a drop-down list. Its settings are stored for an editor;
// the tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListPickColumn : public TTreeListPopupColumn {
 public:
  // A handler for the closing of the popup list; stored for an editor, the tree-list does not call
  // it.
  TColumnNotifyEvent OnCloseUp;
  // Whether only the list's items may be chosen, none typed; false by default.
  bool DropDownListStyle() const { return FDropDownListStyle; }
  // Sets DropDownListStyle.
  void SetDropDownListStyle(bool value) { Change(FDropDownListStyle, value); }
  // The list's items, in order; empty by default.
  const std::vector<std::string>& Items() const { return FItems; }
  // Sets Items.
  void SetItems(const std::vector<std::string>& value) { Change(FItems, value); }
  // Whether the list is shown sorted; false by default.
  bool ItemsSorted() const { return FItemsSorted; }
  // Sets ItemsSorted.
  void SetItemsSorted(bool value) { Change(FItemsSorted, value); }
  // How many rows the popup list shows at once; 7 by default.
  int DropDownRows() const { return FDropDownRows; }
  // Sets DropDownRows.
  void SetDropDownRows(int value) { Change(FDropDownRows, value); }
  // The popup list's width in pixels; 0 by default.
  int DropDownWidth() const { return FDropDownWidth; }
  // Sets DropDownWidth.
  void SetDropDownWidth(int value) { Change(FDropDownWidth, value); }
  // Whether the text may be deleted, leaving the cell empty; false by default.
  bool CanDeleteText() const { return FCanDeleteText; }
  // Sets CanDeleteText.
  void SetCanDeleteText(bool value) { Change(FCanDeleteText, value); }
  // Whether the editor can go back to the value it started with; false by default.
  bool Revertable() const { return FRevertable; }
  // Sets Revertable.
  void SetRevertable(bool value) { Change(FRevertable, value); }
  // A picture for the editor's drop-down button; made empty on first use.
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
  // Whether ButtonGlyph() was ever called.
  bool HasButtonGlyph() const { return FButtonGlyph.Exists(); }

 private:
  bool FDropDownListStyle = false;
  std::vector<std::string> FItems;
  bool FItemsSorted = false;
  int FDropDownRows = 7;
  int FDropDownWidth = 0;
  bool FCanDeleteText = false;
  bool FRevertable = false;
  TLazyBitmap FButtonGlyph;

 public:
  // Whether the list drops down as soon as editing starts; true by default (false in an MRU
  // column).
  bool ImmediateDropDown() const { return FImmediateDropDown; }
  // Sets ImmediateDropDown.
  void SetImmediateDropDown(bool value) { Change(FImmediateDropDown, value); }

 protected:
  // ImmediateDropDown's value, which a derived column may start otherwise.
  bool FImmediateDropDown = true;
};

// A column whose editor has a popup calculator. Its settings are stored for an editor; the tree-
// list does not read them.
class LISTCHART_TREELIST_API TTreeListCalcColumn : public TTreeListPopupColumn {
 public:
  // Whether the calculator beeps on an error; true by default.
  bool BeepOnError() const { return FBeepOnError; }
  // Sets BeepOnError.
  void SetBeepOnError(bool value) { Change(FBeepOnError, value); }
  // The look of the calculator's buttons; bsStandard by default.
  TCalcButtonStyle ButtonStyle() const { return FButtonStyle; }
  // Sets ButtonStyle.
  void SetButtonStyle(TCalcButtonStyle value) { Change(FButtonStyle, value); }
  // The number of digits the calculator keeps; 13 by default.
  int Precision() const { return FPrecision; }
  // Sets Precision.
  void SetPrecision(int value) { Change(FPrecision, value); }
  // The calculator's quick-close setting; false by default.
  bool QuickClose() const { return FQuickClose; }
  // Sets QuickClose.
  void SetQuickClose(bool value) { Change(FQuickClose, value); }
  // Whether the calculator's buttons have a frame; false by default.
  bool ShowButtonFrame() const { return FShowButtonFrame; }
  // Sets ShowButtonFrame.
  void SetShowButtonFrame(bool value) { Change(FShowButtonFrame, value); }
  // A picture for the editor's drop-down button; made empty on first use.
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
  // Whether ButtonGlyph() was ever called.
  bool HasButtonGlyph() const { return FButtonGlyph.Exists(); }

 private:
  bool FBeepOnError = true;
  TCalcButtonStyle FButtonStyle = bsStandard;
  int FPrecision = 13;
  bool FQuickClose = false;
  bool FShowButtonFrame = false;
  TLazyBitmap FButtonGlyph;
};

// A column whose editor opens its text as a link. Its settings are stored for an editor; the tree-
// list does not read them.
class LISTCHART_TREELIST_API TTreeListHyperLinkColumn : public TTreeListColumn {
 public:
  // A handler for opening the link; stored for an editor, the tree-list does not call it.
  TColumnNotifyEvent OnStartClick;
  // The editor's background colour; white by default.
  TColor EditBackgroundColor() const { return FEditBackgroundColor; }
  // Sets EditBackgroundColor.
  void SetEditBackgroundColor(TColor value) { Change(FEditBackgroundColor, value); }
  // The colour of the editor's text; blue by default.
  TColor EditFontColor() const { return FEditFontColor; }
  // Sets EditFontColor.
  void SetEditFontColor(TColor value) { Change(FEditFontColor, value); }
  // Whether one click opens the link; false by default.
  bool SingleClick() const { return FSingleClick; }
  // Sets SingleClick.
  void SetSingleClick(bool value) { Change(FSingleClick, value); }
  // The key that opens the link; Ctrl+Enter by default.
  int StartKey() const { return FStartKey; }
  // Sets StartKey.
  void SetStartKey(int value) { Change(FStartKey, value); }

 private:
  TColor FEditBackgroundColor = 0xFFFFFF;
  TColor FEditFontColor = 0xFF0000;
  bool FSingleClick = false;
  int FStartKey = 16397;
};

// A column whose editor takes a time of day. Its settings are stored for an editor; the tree-list
// does not read them.
class LISTCHART_TREELIST_API TTreeListTimeColumn : public TTreeListColumn {
 public:
  // Which parts of the time the editor takes: hours, minutes and seconds, hours and minutes, or
  // hours; tfHourMinSec by default.
  TTimeEditFormat TimeEditFormat() const { return FTimeEditFormat; }
  // Sets TimeEditFormat.
  void SetTimeEditFormat(TTimeEditFormat value) { Change(FTimeEditFormat, value); }
  // Whether Ctrl with the arrow keys steps the value; false by default.
  bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
  // Sets UseCtrlIncrement.
  void SetUseCtrlIncrement(bool value) { Change(FUseCtrlIncrement, value); }

 private:
  TTimeEditFormat FTimeEditFormat = tfHourMinSec;
  bool FUseCtrlIncrement = false;
};

// A column whose editor takes an amount of money. Its settings are stored for an editor; the tree-
// list does not read them.
class LISTCHART_TREELIST_API TTreeListCurrencyColumn : public TTreeListColumn {
 public:
  // The number of digits after the decimal point; 2 by default.
  int DecimalPlaces() const { return FDecimalPlaces; }
  // Sets DecimalPlaces.
  void SetDecimalPlaces(int value) { Change(FDecimalPlaces, value); }
  // The format the amount is shown in; empty by default.
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  // Sets DisplayFormat.
  void SetDisplayFormat(const std::string& value) { Change(FDisplayFormat, value); }
  // The least value; 0 by default.
  double MinValue() const { return FMinValue; }
  // Sets MinValue.
  void SetMinValue(double value) { Change(FMinValue, value); }
  // The greatest value; 0 by default.
  double MaxValue() const { return FMaxValue; }
  // Sets MaxValue.
  void SetMaxValue(double value) { Change(FMaxValue, value); }
  // Whether the amount is shown with thousand separators; false by default.
  bool UseThousandSeparator() const { return FUseThousandSeparator; }
  // Sets UseThousandSeparator.
  void SetUseThousandSeparator(bool value) { Change(FUseThousandSeparator, value); }

 private:
  int FDecimalPlaces = 2;
  std::string FDisplayFormat;
  double FMinValue = 0.0;
  double FMaxValue = 0.0;
  bool FUseThousandSeparator = false;
};

// A column whose editor shows and loads a picture. Its settings are stored for an editor; the tree-
// list does not read them.
class LISTCHART_TREELIST_API TTreeListGraphicColumn : public TTreeListColumn {
 public:
  // A handler for assigning a picture to the editor; stored for an editor, the tree-list does not
  // call it.
  TColumnNotifyEvent OnAssignPicture;
  // A handler for the editor's custom click; stored for an editor, the tree-list does not call it.
  TColumnNotifyEvent OnCustomClick;
  // A handler that chooses the kind of picture to make; stored for an editor, the tree-list does
  // not call it.
  TColumnNotifyEvent OnGetGraphicClass;
  // Whether the picture is centred in the cell; true by default.
  bool Center() const { return FCenter; }
  // Sets Center.
  void SetCenter(bool value) { Change(FCenter, value); }
  // The file filter of the editor's load dialog; empty by default.
  const std::string& CustomFilter() const { return FCustomFilter; }
  // Sets CustomFilter.
  void SetCustomFilter(const std::string& value) { Change(FCustomFilter, value); }
  // Whether pictures of a custom kind are used (see OnGetGraphicClass); false by default.
  bool CustomGraphic() const { return FCustomGraphic; }
  // Sets CustomGraphic.
  void SetCustomGraphic(bool value) { Change(FCustomGraphic, value); }
  // Whether a double click starts the editor; true by default.
  bool DblClickActivate() const { return FDblClickActivate; }
  // Sets DblClickActivate.
  void SetDblClickActivate(bool value) { Change(FDblClickActivate, value); }
  // Whether the picture is drawn transparent; gtDefault by default.
  TGraphicTransparency GraphicTransparency() const { return FGraphicTransparency; }
  // Sets GraphicTransparency.
  void SetGraphicTransparency(TGraphicTransparency value) { Change(FGraphicTransparency, value); }
  // Whether the editor shows a popup toolbar; false by default.
  bool PopupToolBar() const { return FPopupToolBar; }
  // Sets PopupToolBar.
  void SetPopupToolBar(bool value) { Change(FPopupToolBar, value); }
  // Whether the popup toolbar's position is kept; true by default.
  bool PopupToolbarPosStored() const { return FPopupToolbarPosStored; }
  // Sets PopupToolbarPosStored.
  void SetPopupToolbarPosStored(bool value) { Change(FPopupToolbarPosStored, value); }
  // Whether the picture is drawn the quick way; false by default.
  bool QuickDraw() const { return FQuickDraw; }
  // Sets QuickDraw.
  void SetQuickDraw(bool value) { Change(FQuickDraw, value); }
  // Whether a selected picture is drawn shaded; true by default.
  bool ShadowSelection() const { return FShadowSelection; }
  // Sets ShadowSelection.
  void SetShadowSelection(bool value) { Change(FShadowSelection, value); }
  // Whether the picture is stretched to the cell; true by default.
  bool Stretch() const { return FStretch; }
  // Sets Stretch.
  void SetStretch(bool value) { Change(FStretch, value); }

 private:
  bool FCenter = true;
  std::string FCustomFilter;
  bool FCustomGraphic = false;
  bool FDblClickActivate = true;
  TGraphicTransparency FGraphicTransparency = gtDefault;
  bool FPopupToolBar = false;
  bool FPopupToolbarPosStored = true;
  bool FQuickDraw = false;
  bool FShadowSelection = true;
  bool FStretch = true;
};

// A pick column whose list holds the most recently used texts; its list does not drop down at once.
class LISTCHART_TREELIST_API TTreeListMRUColumn : public TTreeListPickColumn {
 public:
  // A column whose ImmediateDropDown is false.
  TTreeListMRUColumn() { FImmediateDropDown = false; }
  // A handler for a click on the editor's ellipsis button; stored for an editor, the tree-list does
  // not call it.
  TColumnNotifyEvent OnButtonClick;
  // The most texts the list keeps; 7 by default.
  int MaxItemCount() const { return FMaxItemCount; }
  // Sets MaxItemCount.
  void SetMaxItemCount(int value) { Change(FMaxItemCount, value); }
  // Whether the editor shows an ellipsis button; true by default.
  bool ShowEllipsis() const { return FShowEllipsis; }
  // Sets ShowEllipsis.
  void SetShowEllipsis(bool value) { Change(FShowEllipsis, value); }

 private:
  int FMaxItemCount = 7;
  bool FShowEllipsis = true;
};

// A column whose editor shows a large value in a popup: a memo, a picture or another kind. Its
// settings are stored for an editor; the tree-list does not read them.
class LISTCHART_TREELIST_API TTreeListBlobColumn : public TTreeListPopupColumn {
 public:
  // A handler for assigning a picture to the editor; stored for an editor, the tree-list does not
  // call it.
  TColumnNotifyEvent OnAssignPicture;
  // A handler that chooses the kind of picture to make; stored for an editor, the tree-list does
  // not call it.
  TColumnNotifyEvent OnGetGraphicClass;
  // Whether the memo's text is always saved back; false by default.
  bool AlwaysSaveText() const { return FAlwaysSaveText; }
  // Sets AlwaysSaveText.
  void SetAlwaysSaveText(bool value) { Change(FAlwaysSaveText, value); }
  // Which popup the editor opens: bekAuto chooses by the value, or a memo, a picture, an OLE object
  // or raw data; bekAuto by default.
  TBlobEditKind BlobEditKind() const { return FBlobEditKind; }
  // Sets BlobEditKind.
  void SetBlobEditKind(TBlobEditKind value) { Change(FBlobEditKind, value); }
  // How the cells show the value: bpsDefault, as an icon or as text; bpsDefault by default.
  TBlobPaintStyle BlobPaintStyle() const { return FBlobPaintStyle; }
  // Sets BlobPaintStyle.
  void SetBlobPaintStyle(TBlobPaintStyle value) { Change(FBlobPaintStyle, value); }
  // Whether the popup opens as soon as editing starts; false by default.
  bool ImmediatePopup() const { return FImmediatePopup; }
  // Sets ImmediatePopup.
  void SetImmediatePopup(bool value) { Change(FImmediatePopup, value); }
  // The most characters a cell shows of the value; 255 by default.
  int MaxDisplayLength() const { return FMaxDisplayLength; }
  // Sets MaxDisplayLength.
  void SetMaxDisplayLength(int value) { Change(FMaxDisplayLength, value); }
  // The case the memo shows its text in; ecNormal by default.
  TEditCharCase MemoCharCase() const { return FMemoCharCase; }
  // Sets MemoCharCase.
  void SetMemoCharCase(TEditCharCase value) { Change(FMemoCharCase, value); }
  // Whether the memo hides the scroll bars it does not need; true by default.
  bool MemoHideScrollBars() const { return FMemoHideScrollBars; }
  // Sets MemoHideScrollBars.
  void SetMemoHideScrollBars(bool value) { Change(FMemoHideScrollBars, value); }
  // The most characters the memo takes; 0 by default.
  int MemoMaxLength() const { return FMemoMaxLength; }
  // Sets MemoMaxLength.
  void SetMemoMaxLength(int value) { Change(FMemoMaxLength, value); }
  // Whether the memo converts typed text to the OEM character set; false by default.
  bool MemoOEMConvert() const { return FMemoOEMConvert; }
  // Sets MemoOEMConvert.
  void SetMemoOEMConvert(bool value) { Change(FMemoOEMConvert, value); }
  // The memo's scroll bars; ssNone by default.
  TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
  // Sets MemoScrollBars.
  void SetMemoScrollBars(TScrollStyle value) { Change(FMemoScrollBars, value); }
  // Whether the memo has a selection margin at its left; false by default.
  bool MemoSelectionBar() const { return FMemoSelectionBar; }
  // Sets MemoSelectionBar.
  void SetMemoSelectionBar(bool value) { Change(FMemoSelectionBar, value); }
  // Whether Enter types a line break in the memo; true by default.
  bool MemoWantReturns() const { return FMemoWantReturns; }
  // Sets MemoWantReturns.
  void SetMemoWantReturns(bool value) { Change(FMemoWantReturns, value); }
  // Whether Tab types a tab character in the memo; false by default.
  bool MemoWantTabs() const { return FMemoWantTabs; }
  // Sets MemoWantTabs.
  void SetMemoWantTabs(bool value) { Change(FMemoWantTabs, value); }
  // Whether the memo wraps long lines; true by default.
  bool MemoWordWrap() const { return FMemoWordWrap; }
  // Sets MemoWordWrap.
  void SetMemoWordWrap(bool value) { Change(FMemoWordWrap, value); }
  // Whether the picture popup sizes itself to the picture; true by default.
  bool PictureAutoSize() const { return FPictureAutoSize; }
  // Sets PictureAutoSize.
  void SetPictureAutoSize(bool value) { Change(FPictureAutoSize, value); }
  // The file filter of the picture's load dialog; empty by default.
  const std::string& PictureFilter() const { return FPictureFilter; }
  // Sets PictureFilter.
  void SetPictureFilter(const std::string& value) { Change(FPictureFilter, value); }
  // Whether the picture is drawn transparent; gtDefault by default.
  TGraphicTransparency PictureTransparency() const { return FPictureTransparency; }
  // Sets PictureTransparency.
  void SetPictureTransparency(TGraphicTransparency value) { Change(FPictureTransparency, value); }
  // The popup's height in pixels; 140 by default.
  int PopupHeight() const { return FPopupHeight; }
  // Sets PopupHeight.
  void SetPopupHeight(int value) { Change(FPopupHeight, value); }
  // The popup's width in pixels; 200 by default.
  int PopupWidth() const { return FPopupWidth; }
  // Sets PopupWidth.
  void SetPopupWidth(int value) { Change(FPopupWidth, value); }
  // Whether the popup's menu shows its extra items; false by default.
  bool ShowExPopupItems() const { return FShowExPopupItems; }
  // Sets ShowExPopupItems.
  void SetShowExPopupItems(bool value) { Change(FShowExPopupItems, value); }
  // Whether a picture value gets its popup menu; false by default.
  bool ShowPicturePopup() const { return FShowPicturePopup; }
  // Sets ShowPicturePopup.
  void SetShowPicturePopup(bool value) { Change(FShowPicturePopup, value); }
  // Whether the user may size the popup; true by default.
  bool SizeablePopup() const { return FSizeablePopup; }
  // Sets SizeablePopup.
  void SetSizeablePopup(bool value) { Change(FSizeablePopup, value); }

 private:
  bool FAlwaysSaveText = false;
  TBlobEditKind FBlobEditKind = bekAuto;
  TBlobPaintStyle FBlobPaintStyle = bpsDefault;
  bool FImmediatePopup = false;
  int FMaxDisplayLength = 255;
  TEditCharCase FMemoCharCase = ecNormal;
  bool FMemoHideScrollBars = true;
  int FMemoMaxLength = 0;
  bool FMemoOEMConvert = false;
  TScrollStyle FMemoScrollBars = ssNone;
  bool FMemoSelectionBar = false;
  bool FMemoWantReturns = true;
  bool FMemoWantTabs = false;
  bool FMemoWordWrap = true;
  bool FPictureAutoSize = true;
  std::string FPictureFilter;
  TGraphicTransparency FPictureTransparency = gtDefault;
  int FPopupHeight = 140;
  int FPopupWidth = 200;
  bool FShowExPopupItems = false;
  bool FShowPicturePopup = false;
  bool FSizeablePopup = true;
};

// Shows the values of another column, which the event names, drawn as that column draws them
// (its CharCase and PasswordChar, its buttons) in this column's place, colours and font.
class LISTCHART_TREELIST_API TTreeListWrapperColumn : public TTreeListColumn {
 public:
  // Asked for the column whose values to show, whenever a cell's text is needed; a reference
  // left nullptr, a column of another tree-list or a wrapper (this one too) keeps the column's
  // own values.
  std::function<void(TTreeListColumn* sender, TTreeListColumn*& reference)> OnGetReferenceColumn;
  // Asks for the reference column and takes over its value index; none keeps its own.
  TTreeListColumn* ReferenceColumn();
  // The reference column, or this one when the handler names none that can be shown.
  const TTreeListColumn* ShownColumn() const override;
};
