#include "chart/view/ChartTitle.h"

#include <algorithm>

#include "chart/ChartPanel.h"
#include "chart/view/ChartPicture.h"

void TChartTitle::Place(TTitleLayout& out, TRect& plot, TChartCanvas3D& canvas, bool atTop) const {
  if (!Visible() || Text().empty()) return;
  canvas.Font() = Font();
  const int lineHeight = canvas.MeasureTextHeight("Wg");
  const int count = static_cast<int>(Text().size());
  const int frame = Frame().Visible ? Frame().width : 0;
  const int top = atTop ? plot.top + frame : plot.bottom - frame - count * lineHeight;
  int widest = 0;
  for (const std::string& line : Text()) widest = std::max(widest, canvas.MeasureTextWidth(line));
  int x = (plot.left + plot.right) / 2;
  unsigned align = taCenterH;
  int left = x - widest / 2;
  if (Alignment() == taLeftJustify) {
    left = x = plot.left;
    align = taLeft;
  } else if (Alignment() == taRightJustify) {
    x = plot.right;
    left = x - widest;
    align = taRight;
  }
  out.Shown = true;
  out.Rect = AdjustFrame()
                 ? Rect(left - frame - 2, top - frame, left + widest + frame + 2,
                        top + count * lineHeight + frame)
                 : Rect(plot.left, top - frame, plot.right, top + count * lineHeight + frame);
  out.TextX = x;
  out.TextTop = top;
  out.LineHeight = lineHeight;
  out.Alignment = align | taTop;
  // The plot starts five pixels clear of the title (or ends five pixels above the foot).
  if (atTop)
    plot.top = top + count * lineHeight + frame + 5;
  else
    plot.bottom = top - frame - 5;
}

void TChartTitle::Draw(TChartCanvas3D& canvas, const TTitleLayout& layout) const {
  if (!layout.Shown) return;
  canvas.BeginFlatDrawing();
  canvas.Font() = Font();
  const TRect& r = layout.Rect;
  if (Frame().Visible || Color() != clDefault) {
    canvas.Pen() = Frame().Effective();
    canvas.Brush() = TBrush{Color(), Color() == clDefault ? bsClear : bsSolid, clWhite};
    canvas.DrawRect2D(r.left, r.top, r.right, r.bottom);
  }
  // The brush inside the frame's lines.
  const int frame = Frame().Visible ? Frame().width : 0;
  const TRect inside = Rect(r.left + frame, r.top + frame, r.right - frame, r.bottom - frame);
  if (Brush().Image && canvas.Target()) {
    DrawPicture(*canvas.Target(), inside, *Brush().Image, pbmTile);
  } else if (Brush().style != bsClear) {
    canvas.Pen().style = psClear;
    canvas.Brush() = Brush();
    canvas.SetBackgroundColor(Color() == clDefault ? Chart()->Color() : Color());
    canvas.SetBackgroundMode(Color() == clDefault ? bkTransparent : bkOpaque);
    canvas.FillWithBrush(inside);
  }
  canvas.SetBackgroundMode(bkTransparent);
  canvas.SetTextAlignment(layout.Alignment);
  int y = layout.TextTop;
  for (const std::string& line : Text()) {
    canvas.DrawTextAtDepth(layout.TextX, y, line, 0);
    y += layout.LineHeight;
  }
  canvas.EndFlatDrawing();
}
