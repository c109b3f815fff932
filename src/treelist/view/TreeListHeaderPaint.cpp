// The header panel: each header drawn into a picture of its own and copied, the rest of the
// panel in the panel's shadow colour.
#include <algorithm>
#include <memory>

#include "platform/Bitmap.h"
#include "treelist/TreeList.h"
#include "treelist/view/TreeListPainter.h"

namespace {

constexpr int kSortMarkWidth = 16;  // reserved at the right of the content
constexpr TColor kUltraFlatPanel = 0xA0A0A0;

void Edge(TCanvas& canvas, const TRect& r, unsigned sides) {
  canvas.DrawEdge(r, bdRaisedInner, sides);
}

void Line(TCanvas& canvas, TColor color, const std::vector<TPoint>& points) {
  canvas.Pen() = TPen{color, 1, psSolid, pmCopy};
  canvas.Polyline(points);
}

// An etched triangle around the middle of r; the last point of each polyline stays undrawn.
void DrawSortMark(TCanvas& canvas, const TRect& r, TTreeListColumnSort sorted) {
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  if (sorted == csUp) {
    Line(canvas, clBtnShadow, {{cx - 1, cy - 3}, {cx - 4, cy + 4}});
    Line(canvas, clBtnShadow, {{cx - 2, cy - 2}, {cx - 4, cy + 3}});
    Line(canvas, clBtnHighlight, {{cx - 3, cy + 3}, {cx + 3, cy + 3}, {cx, cy - 4}});
    Line(canvas, clBtnHighlight, {{cx, cy - 2}, {cx + 3, cy + 3}});
  } else {
    Line(canvas, clBtnShadow, {{cx + 3, cy - 3}, {cx - 4, cy - 3}, {cx - 1, cy + 4}});
    Line(canvas, clBtnShadow, {{cx - 3, cy - 2}, {cx - 1, cy + 3}});
    Line(canvas, clBtnHighlight, {{cx + 3, cy - 2}, {cx, cy + 4}});
    Line(canvas, clBtnHighlight, {{cx + 2, cy - 2}, {cx, cy + 3}});
  }
}

}  // namespace

void TTreeListPainter::PaintHeaderPanel() {
  if (!Visible(G.HeaderPanel)) return;
  C.SaveClip();
  C.IntersectClipRect(G.HeaderPanel);
  for (const TTreeListColumnPlace& place : G.Columns) {
    const TRect shown = G.Shown(place, place.Header);
    if (IsRectEmpty(shown) || !Visible(shown)) continue;
    C.SaveClip();
    C.IntersectClipRect(shown);
    PaintHeader(place);
    C.RestoreClip();
  }
  for (const TTreeListColumnPlace& place : G.Columns)
    C.ExcludeClipRect(G.Shown(place, place.Header));
  Fill(G.HeaderPanel, FTree.LookAndFeel() == lfUltraFlat ? kUltraFlatPanel : clBtnShadow);
  C.RestoreClip();
}

void TTreeListPainter::PaintHeader(const TTreeListColumnPlace& place) {
  TTreeListColumn* column = place.Column;
  std::string text = column->DisableCaption() ? std::string() : column->Caption();
  TColor color = FTree.HeaderColor();
  TAlignment alignment = column->HeaderAlignment();
  TTreeListColumnSort sorted = FTree.ColumnSortMark(column);
  TFont font = FTree.HeaderFont();
  if (FTree.OnCustomDrawColumnHeader || column->OnCustomDrawColumnHeader) {
    const TFont saved = C.Font();
    C.Font() = font;
    C.SaveClip();
    C.IntersectClipRect(place.Header);
    bool done = false;
    if (FTree.OnCustomDrawColumnHeader)
      FTree.OnCustomDrawColumnHeader(&FTree, column, C, place.Header, text, color, C.Font(),
                                     alignment, sorted, done);
    if (!done && column->OnCustomDrawColumnHeader)
      column->OnCustomDrawColumnHeader(column, column, C, place.Header, text, color, C.Font(),
                                       alignment, sorted, done);
    C.RestoreClip();
    font = C.Font();
    C.Font() = saved;
    if (done) return;
  }
  const TBitmap* glyph = column->HasHeaderGlyph() ? &column->HeaderGlyph() : nullptr;
  DrawHeaderPicture(place.Header, {text, color, font, alignment, sorted, glyph,
                                   place.Lines * FTree.Metrics().HeaderLines, place.Position,
                                   place.RowColumns, FTree.PressedHeader() == column});
}

// Drawn into a picture of its own and copied: the frame, the content inside it, and in the
// flat looks a pressed header inverted.
void TTreeListPainter::DrawHeaderPicture(const TRect& header, const THeaderFace& face) {
  const int w = header.Width(), h = header.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap picture(w, h, C.Scale());
  TCanvas& canvas = picture.Canvas();
  canvas.Font() = face.Font;
  canvas.Brush() = TBrush{face.Color, bsSolid, face.Color};
  TRect r = Rect(0, 0, w, h);
  DrawHeaderFrame(canvas, r, face.Position, face.Count, face.Pressed);
  InflateRect(r, -1, -1);
  --r.bottom;
  if (face.Pressed && FTree.LookAndFeel() == lfStandard) OffsetRect(r, 3, 3);
  DrawHeaderContent(canvas, r, face.Glyph, face.Lines, face.Text, face.Alignment, face.Sorted);
  if (face.Pressed && FTree.LookAndFeel() != lfStandard) canvas.InvertRect(Rect(0, 0, w, h));
  C.CopyRect(header, canvas, Rect(0, 0, w, h));
}

void TTreeListPainter::DrawLoneHeader(const TRect& r, const std::string& text, TColor color,
                                      const TFont& font, TAlignment alignment, bool pressed) {
  DrawHeaderPicture(r, {text, color, font, alignment, csNone, nullptr, 1, 0, 1, pressed});
}

// The frame of the look, filled with the brush; r ends as the area inside it.
void TTreeListPainter::DrawHeaderFrame(TCanvas& canvas, TRect& r, int position, int count,
                                       bool pressed) const {
  const TLookAndFeel look = FTree.LookAndFeel();
  if (look == lfStandard) {
    canvas.DrawEdge(r, bdRaisedOuter, bfsRight | bfsBottom);
    --r.right, --r.bottom;
    if (pressed) {
      canvas.DrawEdge(r, bdSunkenOuter, bfsLeft | bfsTop);
      ++r.left, ++r.top;
    } else {
      canvas.DrawEdge(r, bdRaisedInner, bfsRight | bfsBottom);
      --r.right, --r.bottom;
    }
    canvas.DrawEdge(r, bdRaisedInner, bfsLeft | bfsTop);
    ++r.left, ++r.top;
    canvas.FillRect(r);
    return;
  }
  if (count == 1) {
    if (look == lfFlat) {
      Edge(canvas, r, bfsRect);
    } else {
      const TBrush fill = canvas.Brush();
      canvas.Brush() = TBrush{clBtnShadow, bsSolid, clBtnShadow};
      canvas.FrameRect(r);
      canvas.Brush() = fill;
    }
    InflateRect(r, -1, -1);
    canvas.FillRect(r);
    if (look == lfFlat) ++r.left, --r.right;
    return;
  }
  // Several headers in the row: neighbours meet in short split lines.
  canvas.FillRect(r);
  if (look == lfFlat) {
    Edge(canvas, r, bfsTop | bfsBottom);
    const int inset = position == 0 ? 1 : 2;
    Edge(canvas, Rect(r.left, r.top + inset, r.right, r.bottom - inset), bfsLeft);
  } else {
    const TBrush fill = canvas.Brush();
    canvas.Brush() = TBrush{clBtnShadow, bsSolid, clBtnShadow};
    canvas.FillRect(Rect(r.left, r.top, r.right, r.top + 1));
    canvas.FillRect(Rect(r.left, r.bottom - 1, r.right, r.bottom));
    canvas.Brush() = fill;
  }
  if (position == count - 1)
    Edge(canvas, Rect(r.left, r.top, r.right, r.bottom - 1), bfsRight);
  else
    Edge(canvas, Rect(r.left, r.top + 2, r.right, r.bottom - 2), bfsRight);
  r.left += 2, r.right -= 2, r.top += 1, r.bottom -= 1;
}

void TTreeListPainter::DrawHeaderContent(TCanvas& canvas, TRect content, const TBitmap* glyph,
                                         int lines, const std::string& text, TAlignment alignment,
                                         TTreeListColumnSort sorted) const {
  if (sorted != csNone && content.Width() > kSortMarkWidth - 1) {
    DrawSortMark(canvas,
                 Rect(content.right - kSortMarkWidth, content.top, content.right, content.bottom),
                 sorted);
    content.right -= kSortMarkWidth;
  }
  if (glyph && !glyph->Empty()) {
    canvas.Draw(content.left, (content.top + content.bottom - glyph->Height()) / 2, *glyph);
    content.left += glyph->Width();
  }
  if (text.empty() || IsRectEmpty(content)) return;
  canvas.SetBkMode(bkTransparent);
  unsigned flags = dtExpandTabs | dtNoPrefix;
  flags |= alignment == taRightJustify ? dtRight : alignment == taCenter ? dtCenter : dtLeft;
  if (lines > 1) {
    flags |= dtWordBreak;
  } else {
    flags |= dtVCenter | dtSingleLine | dtEndEllipsis;
    if (canvas.TextWidth(text) <= content.Width()) flags |= dtNoClip;
  }
  canvas.DrawText(text, content, flags);
}

// The band panel: band headers framed like column headers of one row, in the band colour and
// font, the rest of the panel in the shadow colour.
void TTreeListPainter::PaintBandPanel() {
  if (!Visible(G.BandPanel)) return;
  C.SaveClip();
  C.IntersectClipRect(G.BandPanel);
  const int count = static_cast<int>(G.Bands.size());
  for (int b = 0; b < count; ++b) {
    const TTreeListBandPlace& place = G.Bands[b];
    const TRect shown = Rect(std::max(place.Header.left, place.ShownLeft), place.Header.top,
                             std::min(place.Header.right, place.ShownRight), place.Header.bottom);
    if (IsRectEmpty(shown) || !Visible(shown)) continue;
    C.SaveClip();
    C.IntersectClipRect(shown);
    PaintBand(place, b, count);
    C.RestoreClip();
    C.ExcludeClipRect(shown);
  }
  Fill(G.BandPanel, FTree.LookAndFeel() == lfUltraFlat ? kUltraFlatPanel : clBtnShadow);
  C.RestoreClip();
}

void TTreeListPainter::PaintBand(const TTreeListBandPlace& place, int position, int count) {
  TTreeListBand* band = place.Band;
  std::string text = band->Caption();
  TColor color = FTree.BandColor();
  TAlignment alignment = band->Alignment();
  TFont font = FTree.BandFont();
  if (FTree.OnCustomDrawBand) {
    const TFont saved = C.Font();
    C.Font() = font;
    bool done = false;
    FTree.OnCustomDrawBand(&FTree, band, C, place.Header, text, color, C.Font(), alignment, done);
    font = C.Font();
    C.Font() = saved;
    if (done) return;
  }
  DrawHeaderPicture(place.Header,
                    {text, color, font, alignment, csNone, nullptr, FTree.BandRowCount(), position,
                     count, FTree.PressedBand() == band});
}
