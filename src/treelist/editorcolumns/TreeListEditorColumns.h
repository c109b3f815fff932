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

class LISTCHART_TREELIST_API TTreeListMaskColumn : public TTreeListColumn {
 public:
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& value) { Change(FEditMask, value); }
  bool IgnoreMaskBlank() const { return FIgnoreMaskBlank; }
  void SetIgnoreMaskBlank(bool value) { Change(FIgnoreMaskBlank, value); }

 private:
  std::string FEditMask;
  bool FIgnoreMaskBlank = false;
};

class LISTCHART_TREELIST_API TTreeListMemoColumn : public TTreeListColumn {
 public:
  bool HideScrollBars() const { return FHideScrollBars; }
  void SetHideScrollBars(bool value) { Change(FHideScrollBars, value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value) { Change(FScrollBars, value); }
  bool SelectionBar() const { return FSelectionBar; }
  void SetSelectionBar(bool value) { Change(FSelectionBar, value); }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { Change(FWantReturns, value); }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { Change(FWantTabs, value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value) { Change(FWordWrap, value); }

 private:
  bool FHideScrollBars = true;
  TScrollStyle FScrollBars = ssNone;
  bool FSelectionBar = false;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

class LISTCHART_TREELIST_API TTreeListDropDownColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnEditButtonClick;
  TShowButtonStyle ShowButtonStyle() const { return FShowButtonStyle; }
  void SetShowButtonStyle(TShowButtonStyle value) { Change(FShowButtonStyle, value); }

 private:
  TShowButtonStyle FShowButtonStyle = sbDefault;
};

// A drop-down column whose editor opens a window: where the window goes and its border.
class LISTCHART_TREELIST_API TTreeListPopupColumn : public TTreeListDropDownColumn {
 public:
  TAlignment PopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(TAlignment value) { Change(FPopupAlignment, value); }
  TPopupBorder PopupBorder() const { return FPopupBorder; }
  void SetPopupBorder(TPopupBorder value) { Change(FPopupBorder, value); }

 private:
  TAlignment FPopupAlignment = taLeftJustify;
  TPopupBorder FPopupBorder = pbDefault;
};

class LISTCHART_TREELIST_API TTreeListDateColumn : public TTreeListPopupColumn {
 public:
  std::function<void(TTreeListColumn* sender, const std::string& text, bool& accept)>
      OnDateValidateInput;
  int DateButtons() const { return FDateButtons; }
  void SetDateButtons(int value) { Change(FDateButtons, value); }
  TDateOnError DateOnError() const { return FDateOnError; }
  void SetDateOnError(TDateOnError value) { Change(FDateOnError, value); }
  bool DateValidation() const { return FDateValidation; }
  void SetDateValidation(bool value) { Change(FDateValidation, value); }
  bool SaveTime() const { return FSaveTime; }
  void SetSaveTime(bool value) { Change(FSaveTime, value); }
  bool UseEditMask() const { return FUseEditMask; }
  void SetUseEditMask(bool value) { Change(FUseEditMask, value); }
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
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
  explicit TEditButton(TEditButtons* collection) : FCollection(collection) {}
  int Index() const;

  bool Default() const { return FDefault; }
  void SetDefault(bool value) { Change(FDefault, value); }
  TButtonKind Kind() const { return FKind; }
  void SetKind(TButtonKind value) { Change(FKind, value); }
  bool LeftAlignment() const { return FLeftAlignment; }
  void SetLeftAlignment(bool value) { Change(FLeftAlignment, value); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { Change(FVisible, value); }
  // 0 sizes the button to its glyph or caption.
  int Width() const { return FWidth; }
  void SetWidth(int value) { Change(FWidth, value); }
  TBitmap& Glyph() { return FGlyph.Get(); }
  bool HasGlyph() const { return FGlyph.Exists(); }

 private:
  bool FDefault = false;
  TButtonKind FKind = bkEllipsis;
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

class LISTCHART_TREELIST_API TEditButtons {
 public:
  explicit TEditButtons(std::function<void()> changed) : FChanged(std::move(changed)) {}
  int Count() const { return static_cast<int>(FButtons.size()); }
  TEditButton* Items(int index) const;
  TEditButton* Add();
  void Delete(int index);
  void Clear();
  int IndexOf(const TEditButton* button) const;

 private:
  friend class TEditButton;
  std::function<void()> FChanged;
  std::vector<std::unique_ptr<TEditButton>> FButtons;
};

class LISTCHART_TREELIST_API TTreeListButtonColumn : public TTreeListDropDownColumn {
 public:
  TTreeListButtonColumn();
  TEditButtons& Buttons() { return FButtons; }
  // Event arguments: the column and the button's index.
  std::function<void(TTreeListColumn* sender, int buttonIndex)> OnButtonClick;

  bool ButtonOnly() const { return FButtonOnly; }
  void SetButtonOnly(bool value) { Change(FButtonOnly, value); }
  TEditButtonStyle EditButtonStyle() const { return FEditButtonStyle; }
  void SetEditButtonStyle(TEditButtonStyle value) { Change(FEditButtonStyle, value); }
  // The key that clicks the default button; Ctrl+Enter by default.
  int ClickKey() const { return FClickKey; }
  void SetClickKey(int value) { Change(FClickKey, value); }
  bool HideEditCursor() const { return FHideEditCursor; }
  void SetHideEditCursor(bool value) { Change(FHideEditCursor, value); }
  TBitmap& Glyph() { return FGlyph.Get(); }
  bool HasGlyph() const { return FGlyph.Exists(); }

 private:
  bool FButtonOnly = false;
  TEditButtonStyle FEditButtonStyle = ebsEllipsis;
  int FClickKey = 16397;
  bool FHideEditCursor = false;
  TLazyBitmap FGlyph;

  TEditButtons FButtons;
};

class LISTCHART_TREELIST_API TTreeListCheckColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnToggleClick;
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { Change(FAllowGrayed, value); }
  bool Border3D() const { return FBorder3D; }
  void SetBorder3D(bool value) { Change(FBorder3D, value); }
  int GlyphCount() const { return FGlyphCount; }
  void SetGlyphCount(int value) { Change(FGlyphCount, value); }
  TShowNullFieldStyle ShowNullFieldStyle() const { return FShowNullFieldStyle; }
  void SetShowNullFieldStyle(TShowNullFieldStyle value) { Change(FShowNullFieldStyle, value); }
  const std::string& ValueChecked() const { return FValueChecked; }
  void SetValueChecked(const std::string& value) { Change(FValueChecked, value); }
  const std::string& ValueGrayed() const { return FValueGrayed; }
  void SetValueGrayed(const std::string& value) { Change(FValueGrayed, value); }
  const std::string& ValueUnchecked() const { return FValueUnchecked; }
  void SetValueUnchecked(const std::string& value) { Change(FValueUnchecked, value); }
  TBitmap& Glyph() { return FGlyph.Get(); }
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

class LISTCHART_TREELIST_API TTreeListImageColumn : public TTreeListPopupColumn {
 public:
  TColumnNotifyEvent OnCloseUp;
  bool DefaultImages() const { return FDefaultImages; }
  void SetDefaultImages(bool value) { Change(FDefaultImages, value); }
  const std::vector<std::string>& Descriptions() const { return FDescriptions; }
  void SetDescriptions(const std::vector<std::string>& value) { Change(FDescriptions, value); }
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int value) { Change(FDropDownRows, value); }
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int value) { Change(FDropDownWidth, value); }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* value) { Change(FImages, value); }
  const std::vector<std::string>& ImageIndexes() const { return FImageIndexes; }
  void SetImageIndexes(const std::vector<std::string>& value) { Change(FImageIndexes, value); }
  bool Incremental() const { return FIncremental; }
  void SetIncremental(bool value) { Change(FIncremental, value); }
  TImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TImageList* value) { Change(FLargeImages, value); }
  int ListWidth() const { return FListWidth; }
  void SetListWidth(int value) { Change(FListWidth, value); }
  bool MultiLineText() const { return FMultiLineText; }
  void SetMultiLineText(bool value) { Change(FMultiLineText, value); }
  bool ShowDescription() const { return FShowDescription; }
  void SetShowDescription(bool value) { Change(FShowDescription, value); }
  const std::vector<std::string>& Values() const { return FValues; }
  void SetValues(const std::vector<std::string>& value) { Change(FValues, value); }
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
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

class LISTCHART_TREELIST_API TTreeListSpinColumn : public TTreeListColumn {
 public:
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value) { Change(FEditorEnabled, value); }
  double Increment() const { return FIncrement; }
  void SetIncrement(double value) { Change(FIncrement, value); }
  double MinValue() const { return FMinValue; }
  void SetMinValue(double value) { Change(FMinValue, value); }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double value) { Change(FMaxValue, value); }
  TShowButtonStyle ShowButtonStyle() const { return FShowButtonStyle; }
  void SetShowButtonStyle(TShowButtonStyle value) { Change(FShowButtonStyle, value); }
  bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
  void SetUseCtrlIncrement(bool value) { Change(FUseCtrlIncrement, value); }
  TSpinValueType ValueType() const { return FValueType; }
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

class LISTCHART_TREELIST_API TTreeListPickColumn : public TTreeListPopupColumn {
 public:
  TColumnNotifyEvent OnCloseUp;
  bool DropDownListStyle() const { return FDropDownListStyle; }
  void SetDropDownListStyle(bool value) { Change(FDropDownListStyle, value); }
  const std::vector<std::string>& Items() const { return FItems; }
  void SetItems(const std::vector<std::string>& value) { Change(FItems, value); }
  bool ItemsSorted() const { return FItemsSorted; }
  void SetItemsSorted(bool value) { Change(FItemsSorted, value); }
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int value) { Change(FDropDownRows, value); }
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int value) { Change(FDropDownWidth, value); }
  bool CanDeleteText() const { return FCanDeleteText; }
  void SetCanDeleteText(bool value) { Change(FCanDeleteText, value); }
  bool Revertable() const { return FRevertable; }
  void SetRevertable(bool value) { Change(FRevertable, value); }
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
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
  bool ImmediateDropDown() const { return FImmediateDropDown; }
  void SetImmediateDropDown(bool value) { Change(FImmediateDropDown, value); }

 protected:
  bool FImmediateDropDown = true;
};

class LISTCHART_TREELIST_API TTreeListCalcColumn : public TTreeListPopupColumn {
 public:
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool value) { Change(FBeepOnError, value); }
  TCalcButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TCalcButtonStyle value) { Change(FButtonStyle, value); }
  int Precision() const { return FPrecision; }
  void SetPrecision(int value) { Change(FPrecision, value); }
  bool QuickClose() const { return FQuickClose; }
  void SetQuickClose(bool value) { Change(FQuickClose, value); }
  bool ShowButtonFrame() const { return FShowButtonFrame; }
  void SetShowButtonFrame(bool value) { Change(FShowButtonFrame, value); }
  TBitmap& ButtonGlyph() { return FButtonGlyph.Get(); }
  bool HasButtonGlyph() const { return FButtonGlyph.Exists(); }

 private:
  bool FBeepOnError = true;
  TCalcButtonStyle FButtonStyle = bsStandard;
  int FPrecision = 13;
  bool FQuickClose = false;
  bool FShowButtonFrame = false;
  TLazyBitmap FButtonGlyph;
};

class LISTCHART_TREELIST_API TTreeListHyperLinkColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnStartClick;
  TColor EditBackgroundColor() const { return FEditBackgroundColor; }
  void SetEditBackgroundColor(TColor value) { Change(FEditBackgroundColor, value); }
  TColor EditFontColor() const { return FEditFontColor; }
  void SetEditFontColor(TColor value) { Change(FEditFontColor, value); }
  bool SingleClick() const { return FSingleClick; }
  void SetSingleClick(bool value) { Change(FSingleClick, value); }
  int StartKey() const { return FStartKey; }
  void SetStartKey(int value) { Change(FStartKey, value); }

 private:
  TColor FEditBackgroundColor = 0xFFFFFF;
  TColor FEditFontColor = 0xFF0000;
  bool FSingleClick = false;
  int FStartKey = 16397;
};

class LISTCHART_TREELIST_API TTreeListTimeColumn : public TTreeListColumn {
 public:
  TTimeEditFormat TimeEditFormat() const { return FTimeEditFormat; }
  void SetTimeEditFormat(TTimeEditFormat value) { Change(FTimeEditFormat, value); }
  bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
  void SetUseCtrlIncrement(bool value) { Change(FUseCtrlIncrement, value); }

 private:
  TTimeEditFormat FTimeEditFormat = tfHourMinSec;
  bool FUseCtrlIncrement = false;
};

class LISTCHART_TREELIST_API TTreeListCurrencyColumn : public TTreeListColumn {
 public:
  int DecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(int value) { Change(FDecimalPlaces, value); }
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& value) { Change(FDisplayFormat, value); }
  double MinValue() const { return FMinValue; }
  void SetMinValue(double value) { Change(FMinValue, value); }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double value) { Change(FMaxValue, value); }
  bool UseThousandSeparator() const { return FUseThousandSeparator; }
  void SetUseThousandSeparator(bool value) { Change(FUseThousandSeparator, value); }

 private:
  int FDecimalPlaces = 2;
  std::string FDisplayFormat;
  double FMinValue = 0.0;
  double FMaxValue = 0.0;
  bool FUseThousandSeparator = false;
};

class LISTCHART_TREELIST_API TTreeListGraphicColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnAssignPicture;
  TColumnNotifyEvent OnCustomClick;
  TColumnNotifyEvent OnGetGraphicClass;
  bool Center() const { return FCenter; }
  void SetCenter(bool value) { Change(FCenter, value); }
  const std::string& CustomFilter() const { return FCustomFilter; }
  void SetCustomFilter(const std::string& value) { Change(FCustomFilter, value); }
  bool CustomGraphic() const { return FCustomGraphic; }
  void SetCustomGraphic(bool value) { Change(FCustomGraphic, value); }
  bool DblClickActivate() const { return FDblClickActivate; }
  void SetDblClickActivate(bool value) { Change(FDblClickActivate, value); }
  TGraphicTransparency GraphicTransparency() const { return FGraphicTransparency; }
  void SetGraphicTransparency(TGraphicTransparency value) { Change(FGraphicTransparency, value); }
  bool PopupToolBar() const { return FPopupToolBar; }
  void SetPopupToolBar(bool value) { Change(FPopupToolBar, value); }
  bool PopupToolbarPosStored() const { return FPopupToolbarPosStored; }
  void SetPopupToolbarPosStored(bool value) { Change(FPopupToolbarPosStored, value); }
  bool QuickDraw() const { return FQuickDraw; }
  void SetQuickDraw(bool value) { Change(FQuickDraw, value); }
  bool ShadowSelection() const { return FShadowSelection; }
  void SetShadowSelection(bool value) { Change(FShadowSelection, value); }
  bool Stretch() const { return FStretch; }
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

class LISTCHART_TREELIST_API TTreeListMRUColumn : public TTreeListPickColumn {
 public:
  TTreeListMRUColumn() { FImmediateDropDown = false; }
  TColumnNotifyEvent OnButtonClick;
  int MaxItemCount() const { return FMaxItemCount; }
  void SetMaxItemCount(int value) { Change(FMaxItemCount, value); }
  bool ShowEllipsis() const { return FShowEllipsis; }
  void SetShowEllipsis(bool value) { Change(FShowEllipsis, value); }

 private:
  int FMaxItemCount = 7;
  bool FShowEllipsis = true;
};

class LISTCHART_TREELIST_API TTreeListBlobColumn : public TTreeListPopupColumn {
 public:
  TColumnNotifyEvent OnAssignPicture;
  TColumnNotifyEvent OnGetGraphicClass;
  bool AlwaysSaveText() const { return FAlwaysSaveText; }
  void SetAlwaysSaveText(bool value) { Change(FAlwaysSaveText, value); }
  TBlobEditKind BlobEditKind() const { return FBlobEditKind; }
  void SetBlobEditKind(TBlobEditKind value) { Change(FBlobEditKind, value); }
  TBlobPaintStyle BlobPaintStyle() const { return FBlobPaintStyle; }
  void SetBlobPaintStyle(TBlobPaintStyle value) { Change(FBlobPaintStyle, value); }
  bool ImmediatePopup() const { return FImmediatePopup; }
  void SetImmediatePopup(bool value) { Change(FImmediatePopup, value); }
  int MaxDisplayLength() const { return FMaxDisplayLength; }
  void SetMaxDisplayLength(int value) { Change(FMaxDisplayLength, value); }
  TEditCharCase MemoCharCase() const { return FMemoCharCase; }
  void SetMemoCharCase(TEditCharCase value) { Change(FMemoCharCase, value); }
  bool MemoHideScrollBars() const { return FMemoHideScrollBars; }
  void SetMemoHideScrollBars(bool value) { Change(FMemoHideScrollBars, value); }
  int MemoMaxLength() const { return FMemoMaxLength; }
  void SetMemoMaxLength(int value) { Change(FMemoMaxLength, value); }
  bool MemoOEMConvert() const { return FMemoOEMConvert; }
  void SetMemoOEMConvert(bool value) { Change(FMemoOEMConvert, value); }
  TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
  void SetMemoScrollBars(TScrollStyle value) { Change(FMemoScrollBars, value); }
  bool MemoSelectionBar() const { return FMemoSelectionBar; }
  void SetMemoSelectionBar(bool value) { Change(FMemoSelectionBar, value); }
  bool MemoWantReturns() const { return FMemoWantReturns; }
  void SetMemoWantReturns(bool value) { Change(FMemoWantReturns, value); }
  bool MemoWantTabs() const { return FMemoWantTabs; }
  void SetMemoWantTabs(bool value) { Change(FMemoWantTabs, value); }
  bool MemoWordWrap() const { return FMemoWordWrap; }
  void SetMemoWordWrap(bool value) { Change(FMemoWordWrap, value); }
  bool PictureAutoSize() const { return FPictureAutoSize; }
  void SetPictureAutoSize(bool value) { Change(FPictureAutoSize, value); }
  const std::string& PictureFilter() const { return FPictureFilter; }
  void SetPictureFilter(const std::string& value) { Change(FPictureFilter, value); }
  TGraphicTransparency PictureTransparency() const { return FPictureTransparency; }
  void SetPictureTransparency(TGraphicTransparency value) { Change(FPictureTransparency, value); }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int value) { Change(FPopupHeight, value); }
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int value) { Change(FPopupWidth, value); }
  bool ShowExPopupItems() const { return FShowExPopupItems; }
  void SetShowExPopupItems(bool value) { Change(FShowExPopupItems, value); }
  bool ShowPicturePopup() const { return FShowPicturePopup; }
  void SetShowPicturePopup(bool value) { Change(FShowPicturePopup, value); }
  bool SizeablePopup() const { return FSizeablePopup; }
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

// Shows the values of another column, which the event names.
class LISTCHART_TREELIST_API TTreeListWrapperColumn : public TTreeListColumn {
 public:
  std::function<void(TTreeListColumn* sender, TTreeListColumn*& reference)> OnGetReferenceColumn;
  // Asks for the reference column and takes over its value index; none keeps its own.
  TTreeListColumn* ReferenceColumn();
};
