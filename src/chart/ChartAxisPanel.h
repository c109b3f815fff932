#pragma once

#include <cstdint>
#include <vector>

#include "platform/Color.h"

class TChartSeries;

// The chart side of the series: the ordered list of series it shows (not owned), the colour
// rule for series that join it, and the invalidation every series change ends in.
class TCustomAxisPanel {
 public:
  TCustomAxisPanel();
  virtual ~TCustomAxisPanel();
  TCustomAxisPanel(const TCustomAxisPanel&) = delete;
  TCustomAxisPanel& operator=(const TCustomAxisPanel&) = delete;

  const std::vector<TChartSeries*>& SeriesList() const { return FSeriesList; }
  int CountSeries() const { return static_cast<int>(FSeriesList.size()); }
  TChartSeries* SeriesAt(int index) const;
  int IndexOfSeries(const TChartSeries* series) const;

  void AttachSeries(TChartSeries* series);
  void DetachSeries(TChartSeries* series);
  void DetachAllSeries();
  // Detaches every series and destroys those whose owner is known (a TSeriesOwner).
  void DestroyAllSeries();

  TColor PickFreeSeriesColor(bool checkBackground) const;
  virtual bool IsSeriesColorFree(TColor color, bool checkBackground) const;

  // Background of the panel.
  TColor Color() const { return FColor; }
  void SetColor(TColor value);

  // Asks for one repaint: marks the retained picture stale and invalidates the window.
  // Does nothing while RepaintOnChange is off.
  void Invalidate();
  bool RepaintOnChange = false;
  bool Destroying() const { return FDestroying; }

  // The mouse cursor shown over the chart, and the one to go back to.
  int16_t Cursor = 0;
  int16_t OriginalCursor = 0;

  // Owners of series that DestroyAllSeries may destroy.
  class TSeriesOwner* SeriesOwner = nullptr;

 protected:
  // The back wall's colour, which a new series' colour must also differ from.
  virtual TColor BackWallColor() const { return clDefault; }
  // Marks the picture stale and asks the window for a repaint.
  virtual void InvalidateView() {}
  bool FDestroying = false;

 private:
  friend class TChartSeries;
  std::vector<TChartSeries*> FSeriesList;
  TColor FColor = clBtnFace;
};
