// The buttons of a button column's editor, drawn in its cells when the column shows them: each
// a raised button with its face, a default button framed darker as a dialog frames it.
#include <algorithm>

#include "treelist/TreeList.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"
#include "treelist/view/TreeListPainter.h"

namespace {

constexpr int kEdge = 2;  // the raised edge, each side

}  // namespace

TRect TTreeListPainter::DrawEditButtons(const TRect& cell, const TTreeListColumn& shown,
                                        bool selected) {
  const auto* column = dynamic_cast<const TTreeListButtonColumn*>(&shown);
  if (!column || !FTree.OptionsEx().Contains(aoShowButtonAlways)) return cell;
  const TShowButtonStyle style = column->ShowButtonStyle();
  if (style == sbNone || (style != sbAlways && !selected)) return cell;
  TRect area = cell;
  const TEditButtons& buttons = column->Buttons();
  for (int i = 0; i < buttons.Count(); ++i) {
    const TEditButton& button = *buttons.Items(i);
    if (!button.Visible()) continue;
    const int width = column->ButtonWidth(button);
    const bool left = button.LeftAlignment();
    const TRect r = left ? Rect(area.left, cell.top, area.left + width, cell.bottom)
                         : Rect(area.right - width, cell.top, area.right, cell.bottom);
    (left ? area.left : area.right) += left ? width : -width;
    DrawEditButton(r, *column, button);
  }
  return column->ButtonOnly() ? TRect{} : area;
}

// The face: the glyph centred, a down arrow, or three dots; all clipped inside the edge.
void TTreeListPainter::DrawEditButton(const TRect& r, const TTreeListButtonColumn& column,
                                      const TEditButton& button) {
  Fill(r, clBtnFace);
  TRect edge = r;
  if (button.Default()) {
    C.Brush() = TBrush{clWindowFrame, bsSolid, clWindowFrame};
    C.FrameRect(r);
    InflateRect(edge, -1, -1);
  }
  C.DrawEdge(edge, edgeRaised, bfsRect);
  TRect face = edge;
  InflateRect(face, -kEdge, -kEdge);
  if (IsRectEmpty(face)) return;
  C.SaveClip();
  C.IntersectClipRect(face);
  const TButtonKind kind = column.ButtonFace(button);
  const TBitmap* glyph = kind == bkGlyph ? column.FaceGlyph(button) : nullptr;
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  if (glyph) {
    C.Draw(cx - glyph->Width() / 2, cy - glyph->Height() / 2, *glyph);
  } else if (kind == bkDown) {
    for (int k = 0; k < 3; ++k) Fill(Rect(cx - 2 + k, cy - 1 + k, cx + 3 - k, cy + k), clBtnText);
  } else {
    // A glyph face without a picture still reads as a button: three dots.
    for (int k = -1; k <= 1; ++k) Fill(Rect(cx + 3 * k - 1, cy, cx + 3 * k + 1, cy + 2), clBtnText);
  }
  C.RestoreClip();
}
