#include <benchmark/benchmark.h>

#include "chart/view/ChartCanvas.h"

namespace {

// A 3D frame as the tank chart draws it: walls, then twelve stacked bars of five segments.
void DrawStackedFrame(TChartCanvas3D& s, TCanvas& window) {
  const TRect r = s.BeginFrame(window, {}, true, Rect(0, 0, 640, 320));
  s.SetupProjection(15, r, Rect(50, 20, 620, 290));
  s.ResetTools();
  s.Brush() = TBrush{clBtnFace, bsSolid, clBtnFace};
  s.FillWithBrush(r);
  s.Brush() = TBrush{clWhite, bsSolid, clWhite};
  s.DrawRectAtDepth(Rect(51, 19, 620, 290), 15);
  s.DrawSidePlane(50, 20, 290, 0, 15);
  s.DrawFloorPlane(50, 620, 290, 0, 15);
  const TColor colors[] = {clRed, clGreen, clYellow, clBlue, clWhite};
  for (int site = 0; site < 12; ++site) {
    int bottom = 290;
    for (int tank = 0; tank < 5; ++tank) {
      const int top = bottom - 10 - (site * 7 + tank * 3) % 35;
      s.Brush() = TBrush{colors[tank], bsSolid, colors[tank]};
      s.DrawBox(60 + site * 46, 90 + site * 46, top, bottom, 0, 15, true);
      bottom = top;
    }
  }
  s.EndFrame(window, window, Rect(0, 0, 640, 320));
}

}  // namespace

// A full redraw of a stale chart picture and its copy to the window.
static void ChartFrameRedrawBench(benchmark::State& state) {
  TBitmap window(640, 320);
  TChartCanvas3D surface;
  for (auto _ : state) {
    surface.MarkStale();
    DrawStackedFrame(surface, window.Canvas());
    benchmark::DoNotOptimize(window.Pixel(100, 100));
  }
}
BENCHMARK(ChartFrameRedrawBench)->Unit(benchmark::kMicrosecond);

// A paint without changes: one copy of the retained picture.
static void ChartFrameRepaintBench(benchmark::State& state) {
  TBitmap window(640, 320);
  TChartCanvas3D surface;
  DrawStackedFrame(surface, window.Canvas());
  for (auto _ : state) {
    surface.SetTarget(&window.Canvas());
    benchmark::DoNotOptimize(surface.RepaintFromPicture());
  }
}
BENCHMARK(ChartFrameRepaintBench)->Unit(benchmark::kMicrosecond);
