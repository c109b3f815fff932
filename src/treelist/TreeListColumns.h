#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "treelist/TreeListColumn.h"
#include "treelist/TreeListOptions.h"

// The column classes beyond the plain text column. Editing is not built, so each class holds
// the published settings of its editor family and draws like a text column.

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

class TTreeListMaskColumn : public TTreeListColumn {
  TREELIST_PROPERTY(std::string, EditMask, {})
  TREELIST_PROPERTY(bool, IgnoreMaskBlank, false)
};

class TTreeListMemoColumn : public TTreeListColumn {
  TREELIST_PROPERTY(bool, HideScrollBars, true)
  TREELIST_PROPERTY(TScrollStyle, ScrollBars, ssNone)
  TREELIST_PROPERTY(bool, SelectionBar, false)
  TREELIST_PROPERTY(bool, WantReturns, true)
  TREELIST_PROPERTY(bool, WantTabs, false)
  TREELIST_PROPERTY(bool, WordWrap, true)
};

class TTreeListDropDownColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnEditButtonClick;
  TREELIST_PROPERTY(TShowButtonStyle, ShowButtonStyle, sbDefault)
};

// Pop-up placement shared by the drop-down columns that open a window.
#define TREELIST_POPUP_PROPERTIES                              \
  TREELIST_PROPERTY(TAlignment, PopupAlignment, taLeftJustify) \
  TREELIST_PROPERTY(TPopupBorder, PopupBorder, pbDefault)

class TTreeListDateColumn : public TTreeListDropDownColumn {
 public:
  std::function<void(TTreeListColumn* sender, const std::string& text, bool& accept)>
      OnDateValidateInput;
  TREELIST_PROPERTY(int, DateButtons, 0)
  TREELIST_PROPERTY(TDateOnError, DateOnError, deNoChange)
  TREELIST_PROPERTY(bool, DateValidation, false)
  TREELIST_PROPERTY(bool, SaveTime, true)
  TREELIST_PROPERTY(bool, UseEditMask, false)
  TREELIST_GLYPH(ButtonGlyph)
  TREELIST_POPUP_PROPERTIES
};

class TEditButtons;

// One button of a button column's editor.
class TEditButton {
 public:
  explicit TEditButton(TEditButtons* collection) : FCollection(collection) {}
  int Index() const;

  TREELIST_PROPERTY(bool, Default, false)
  TREELIST_PROPERTY(TButtonKind, Kind, bkEllipsis)
  TREELIST_PROPERTY(bool, LeftAlignment, false)
  TREELIST_PROPERTY(bool, Visible, true)
  TREELIST_PROPERTY(int, Width, 0)  // 0: automatic
  TREELIST_GLYPH(Glyph)

 private:
  void Changed();
  TEditButtons* FCollection;
};

class TEditButtons {
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

class TTreeListButtonColumn : public TTreeListDropDownColumn {
 public:
  TTreeListButtonColumn();
  TEditButtons& Buttons() { return FButtons; }
  // Event arguments: the column and the button's index.
  std::function<void(TTreeListColumn* sender, int buttonIndex)> OnButtonClick;

  TREELIST_PROPERTY(bool, ButtonOnly, false)
  TREELIST_PROPERTY(TEditButtonStyle, EditButtonStyle, ebsEllipsis)
  TREELIST_PROPERTY(int, ClickKey, 16397)  // Ctrl+Enter
  TREELIST_PROPERTY(bool, HideEditCursor, false)
  TREELIST_GLYPH(Glyph)

 private:
  TEditButtons FButtons;
};

class TTreeListCheckColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnToggleClick;
  TREELIST_PROPERTY(bool, AllowGrayed, false)
  TREELIST_PROPERTY(bool, Border3D, false)
  TREELIST_PROPERTY(int, GlyphCount, 6)
  TREELIST_PROPERTY(TShowNullFieldStyle, ShowNullFieldStyle, nsUnchecked)
  TREELIST_PROPERTY(std::string, ValueChecked, {})
  TREELIST_PROPERTY(std::string, ValueGrayed, {})
  TREELIST_PROPERTY(std::string, ValueUnchecked, {})
  TREELIST_GLYPH(Glyph)
};

class TTreeListImageColumn : public TTreeListDropDownColumn {
 public:
  TColumnNotifyEvent OnCloseUp;
  TREELIST_PROPERTY(bool, DefaultImages, true)
  TREELIST_PROPERTY(std::vector<std::string>, Descriptions, {})
  TREELIST_PROPERTY(int, DropDownRows, 7)
  TREELIST_PROPERTY(int, DropDownWidth, 0)
  TREELIST_PROPERTY(TImageList*, Images, nullptr)
  TREELIST_PROPERTY(std::vector<std::string>, ImageIndexes, {})
  TREELIST_PROPERTY(bool, Incremental, false)
  TREELIST_PROPERTY(TImageList*, LargeImages, nullptr)
  TREELIST_PROPERTY(int, ListWidth, 0)
  TREELIST_PROPERTY(bool, MultiLineText, false)
  TREELIST_PROPERTY(bool, ShowDescription, false)
  TREELIST_PROPERTY(std::vector<std::string>, Values, {})
  TREELIST_GLYPH(ButtonGlyph)
  TREELIST_POPUP_PROPERTIES
};

class TTreeListSpinColumn : public TTreeListColumn {
  TREELIST_PROPERTY(bool, EditorEnabled, true)
  TREELIST_PROPERTY(double, Increment, 1.0)
  TREELIST_PROPERTY(double, MinValue, 0.0)
  TREELIST_PROPERTY(double, MaxValue, 0.0)
  TREELIST_PROPERTY(TShowButtonStyle, ShowButtonStyle, sbDefault)
  TREELIST_PROPERTY(bool, UseCtrlIncrement, false)
  TREELIST_PROPERTY(TSpinValueType, ValueType, svtInteger)
};

class TTreeListPickColumn : public TTreeListDropDownColumn {
 public:
  TColumnNotifyEvent OnCloseUp;
  TREELIST_PROPERTY(bool, DropDownListStyle, false)
  TREELIST_PROPERTY(std::vector<std::string>, Items, {})
  TREELIST_PROPERTY(bool, ItemsSorted, false)
  TREELIST_PROPERTY(int, DropDownRows, 7)
  TREELIST_PROPERTY(int, DropDownWidth, 0)
  TREELIST_PROPERTY(bool, CanDeleteText, false)
  TREELIST_PROPERTY(bool, Revertable, false)
  TREELIST_GLYPH(ButtonGlyph)
  TREELIST_POPUP_PROPERTIES

 public:
  bool ImmediateDropDown() const { return FImmediateDropDown; }
  void SetImmediateDropDown(bool value) {
    if (value == FImmediateDropDown) return;
    FImmediateDropDown = value;
    Changed();
  }

 protected:
  bool FImmediateDropDown = true;
};

class TTreeListCalcColumn : public TTreeListDropDownColumn {
  TREELIST_PROPERTY(bool, BeepOnError, true)
  TREELIST_PROPERTY(TCalcButtonStyle, ButtonStyle, bsStandard)
  TREELIST_PROPERTY(int, Precision, 13)
  TREELIST_PROPERTY(bool, QuickClose, false)
  TREELIST_PROPERTY(bool, ShowButtonFrame, false)
  TREELIST_GLYPH(ButtonGlyph)
  TREELIST_POPUP_PROPERTIES
};

class TTreeListHyperLinkColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnStartClick;
  TREELIST_PROPERTY(TColor, EditBackgroundColor, 0xFFFFFF)
  TREELIST_PROPERTY(TColor, EditFontColor, 0xFF0000)
  TREELIST_PROPERTY(bool, SingleClick, false)
  TREELIST_PROPERTY(int, StartKey, 16397)
};

class TTreeListTimeColumn : public TTreeListColumn {
  TREELIST_PROPERTY(TTimeEditFormat, TimeEditFormat, tfHourMinSec)
  TREELIST_PROPERTY(bool, UseCtrlIncrement, false)
};

class TTreeListCurrencyColumn : public TTreeListColumn {
  TREELIST_PROPERTY(int, DecimalPlaces, 2)
  TREELIST_PROPERTY(std::string, DisplayFormat, {})
  TREELIST_PROPERTY(double, MinValue, 0.0)
  TREELIST_PROPERTY(double, MaxValue, 0.0)
  TREELIST_PROPERTY(bool, UseThousandSeparator, false)
};

class TTreeListGraphicColumn : public TTreeListColumn {
 public:
  TColumnNotifyEvent OnAssignPicture;
  TColumnNotifyEvent OnCustomClick;
  TColumnNotifyEvent OnGetGraphicClass;
  TREELIST_PROPERTY(bool, Center, true)
  TREELIST_PROPERTY(std::string, CustomFilter, {})
  TREELIST_PROPERTY(bool, CustomGraphic, false)
  TREELIST_PROPERTY(bool, DblClickActivate, true)
  TREELIST_PROPERTY(TGraphicTransparency, GraphicTransparency, gtDefault)
  TREELIST_PROPERTY(bool, PopupToolBar, false)
  TREELIST_PROPERTY(bool, PopupToolbarPosStored, true)
  TREELIST_PROPERTY(bool, QuickDraw, false)
  TREELIST_PROPERTY(bool, ShadowSelection, true)
  TREELIST_PROPERTY(bool, Stretch, true)
};

class TTreeListMRUColumn : public TTreeListPickColumn {
 public:
  TTreeListMRUColumn() { FImmediateDropDown = false; }
  TColumnNotifyEvent OnButtonClick;
  TREELIST_PROPERTY(int, MaxItemCount, 7)
  TREELIST_PROPERTY(bool, ShowEllipsis, true)
};

class TTreeListBlobColumn : public TTreeListDropDownColumn {
 public:
  TColumnNotifyEvent OnAssignPicture;
  TColumnNotifyEvent OnGetGraphicClass;
  TREELIST_PROPERTY(bool, AlwaysSaveText, false)
  TREELIST_PROPERTY(TBlobEditKind, BlobEditKind, bekAuto)
  TREELIST_PROPERTY(TBlobPaintStyle, BlobPaintStyle, bpsDefault)
  TREELIST_PROPERTY(bool, ImmediatePopup, false)
  TREELIST_PROPERTY(int, MaxDisplayLength, 255)
  TREELIST_PROPERTY(TEditCharCase, MemoCharCase, ecNormal)
  TREELIST_PROPERTY(bool, MemoHideScrollBars, true)
  TREELIST_PROPERTY(int, MemoMaxLength, 0)
  TREELIST_PROPERTY(bool, MemoOEMConvert, false)
  TREELIST_PROPERTY(TScrollStyle, MemoScrollBars, ssNone)
  TREELIST_PROPERTY(bool, MemoSelectionBar, false)
  TREELIST_PROPERTY(bool, MemoWantReturns, true)
  TREELIST_PROPERTY(bool, MemoWantTabs, false)
  TREELIST_PROPERTY(bool, MemoWordWrap, true)
  TREELIST_PROPERTY(bool, PictureAutoSize, true)
  TREELIST_PROPERTY(std::string, PictureFilter, {})
  TREELIST_PROPERTY(TGraphicTransparency, PictureTransparency, gtDefault)
  TREELIST_PROPERTY(int, PopupHeight, 140)
  TREELIST_PROPERTY(int, PopupWidth, 200)
  TREELIST_PROPERTY(bool, ShowExPopupItems, false)
  TREELIST_PROPERTY(bool, ShowPicturePopup, false)
  TREELIST_PROPERTY(bool, SizeablePopup, true)
  TREELIST_POPUP_PROPERTIES
};

// Shows the values of another column, which the event names.
class TTreeListWrapperColumn : public TTreeListColumn {
 public:
  std::function<void(TTreeListColumn* sender, TTreeListColumn*& reference)> OnGetReferenceColumn;
  // Asks for the reference column and takes over its value index; none keeps its own.
  TTreeListColumn* ReferenceColumn();
};
