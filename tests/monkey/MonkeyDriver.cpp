#include "MonkeyDriver.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <filesystem>

#include "app/MainWindow.h"
#include "platform/Bitmap.h"
#include "platform/QtControlHost.h"
#include "platform/QtImage.h"
#include "support/ScriptedDialogs.h"
#include "treelist/model/TreeListConsistency.h"
#include "treelist/view/TreeListLayout.h"

namespace {

void Pump() {
  QApplication::processEvents();
}

Qt::KeyboardModifiers ModifiersOf(int bits) {
  Qt::KeyboardModifiers m;
  if (bits & 1) m |= Qt::ShiftModifier;
  if (bits & 2) m |= Qt::ControlModifier;
  return m;
}

int Within(uint32_t value, int size) {
  return size > 0 ? static_cast<int>(value % size) : 0;
}

struct TKey {
  Qt::Key Key;
  Qt::KeyboardModifiers Modifiers;
};

const TKey kKeys[] = {
    {Qt::Key_Up, {}},
    {Qt::Key_Down, {}},
    {Qt::Key_Left, {}},
    {Qt::Key_Right, {}},
    {Qt::Key_PageUp, {}},
    {Qt::Key_PageDown, {}},
    {Qt::Key_Home, {}},
    {Qt::Key_End, {}},
    {Qt::Key_Plus, {}},
    {Qt::Key_Minus, {}},
    {Qt::Key_Asterisk, {}},
    {Qt::Key_Escape, {}},
    {Qt::Key_Tab, {}},
    {Qt::Key_Return, {}},
    {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_Insert, Qt::ControlModifier},
    {Qt::Key_S, Qt::ControlModifier},
    {Qt::Key_N, Qt::ControlModifier},
    {Qt::Key_O, Qt::ControlModifier},
    {Qt::Key_A, {}},
    {Qt::Key_M, {}},
    {Qt::Key_Space, {}},
};

}  // namespace

TMonkeyDriver::TMonkeyDriver(TFMain& window, TScriptedDialogs& dialogs, std::string folder)
    : FWindow(window), FDialogs(dialogs), FFolder(std::move(folder)) {
  SetQtControlHostErrorHandler([this](const std::string& m) { FHandlerErrors.push_back(m); });
  // Ticks come only as events of the run, never from the clock, so a run can be replayed.
  FWindow.Timer1().setInterval(24 * 60 * 60 * 1000);
  // Send hands the export to a stand-in that accepts it.
  FWindow.FileCommands().SetMailProgram("true");
}

TMonkeyDriver::TPlace TMonkeyDriver::PlaceFor(const TMonkeyEvent& e) const {
  if (e.Area <= maTreeBelowRows) return TreePlace(e);
  if (e.Area <= maChartOutside) return ChartPlace(e);
  QWidget* handle = FWindow.Splitter()->handle(1);
  return {handle, QPoint(Within(e.A, handle->width()), Within(e.B, handle->height()))};
}

void TMonkeyDriver::Move(const TPlace& place, Qt::MouseButtons held) {
  QCursor::setPos(place.Target->mapToGlobal(place.Point));
  QMouseEvent move(QEvent::MouseMove, QPointF(place.Point),
                   QPointF(place.Target->mapToGlobal(place.Point)), Qt::NoButton, held,
                   Qt::NoModifier);
  QApplication::sendEvent(place.Target, &move);
}

void TMonkeyDriver::Drag(const TMonkeyEvent& e) {
  const TPlace from = PlaceFor(e);
  const Qt::MouseButton button = e.Button ? Qt::RightButton : Qt::LeftButton;
  const Qt::KeyboardModifiers modifiers = ModifiersOf(e.Modifiers);
  Move(from, Qt::NoButton);
  QTest::mousePress(from.Target, button, modifiers, from.Point);
  constexpr int kSteps = 4;
  for (int i = 1; i <= kSteps; ++i) {
    const QPoint p = from.Point + QPoint(e.Dx * i / kSteps, e.Dy * i / kSteps);
    Move({from.Target, p}, button);
    Pump();
  }
  QTest::mouseRelease(from.Target, button, modifiers, from.Point + QPoint(e.Dx, e.Dy));
}

void TMonkeyDriver::Wheel(const TMonkeyEvent& e) {
  const TPlace at = PlaceFor(e);
  Move(at, Qt::NoButton);
  QWheelEvent wheel(QPointF(at.Point), QPointF(at.Target->mapToGlobal(at.Point)), QPoint(),
                    QPoint(0, e.Dy * 120), Qt::NoButton, ModifiersOf(e.Modifiers),
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(at.Target, &wheel);
}

void TMonkeyDriver::Key(const TMonkeyEvent& e) {
  const TKey& key = kKeys[e.A % (sizeof kKeys / sizeof kKeys[0])];
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus ? focus : &FWindow, key.Key, key.Modifiers | ModifiersOf(e.Modifiers));
}

void TMonkeyDriver::Resize(const TMonkeyEvent& e) {
  // From nothing to far beyond any screen, small sizes most often.
  const int scale = (e.B % 4 == 0) ? 4000 : (e.B % 4 == 1 ? 1200 : 60);
  FWindow.resize(1 + Within(e.A, scale), 1 + Within(e.A >> 12, scale));
}

void TMonkeyDriver::FileCommand(const TMonkeyEvent& e) {
  const std::string saved = FFolder + "/saved.txt";
  const std::string paths[] = {saved, FFolder + "/other.txt", "/nonexistent-folder/x.txt", FFolder};
  const std::string& path = paths[e.B % 4];
  const bool cancel = (e.B >> 4) % 4 == 0;
  FDialogs.SaveAnswers.clear();
  FDialogs.OpenAnswers.clear();
  FDialogs.ConfirmAnswers.clear();
  FDialogs.SaveAnswers.push_back(cancel ? std::nullopt : std::optional<std::string>(path));
  FDialogs.OpenAnswers.push_back(cancel ? std::nullopt
                                        : std::optional<TOpenChoice>(TOpenChoice{path, false}));
  FDialogs.ConfirmAnswers.push_back(static_cast<TConfirmAnswer>((e.B >> 8) % 3));
  const char* commands[] = {"FileNew1", "FileOpen1", "FileSave1", "FileSaveAs1", "FileSend1"};
  FWindow.Actions()[commands[e.A % 5]]->trigger();
}

void TMonkeyDriver::Apply(const TMonkeyEvent& e) {
  FTicked = false;
  switch (e.Kind) {
    case mkMove:
      Move(PlaceFor(e), Qt::NoButton);
      break;
    case mkClick: {
      const TPlace at = PlaceFor(e);
      Move(at, Qt::NoButton);
      QTest::mouseClick(at.Target, e.Button ? Qt::RightButton : Qt::LeftButton,
                        ModifiersOf(e.Modifiers), at.Point);
      break;
    }
    case mkDoubleClick: {
      const TPlace at = PlaceFor(e);
      Move(at, Qt::NoButton);
      QTest::mouseDClick(at.Target, Qt::LeftButton, ModifiersOf(e.Modifiers), at.Point);
      break;
    }
    case mkDrag:
      Drag(e);
      break;
    case mkWheel:
      Wheel(e);
      break;
    case mkKey:
      Key(e);
      break;
    case mkTick:
      FWindow.Timer1Timer();
      FTicked = true;
      break;
    case mkResize:
      Resize(e);
      break;
    case mkExpand:
      FWindow.Actions()["ViewExpand"]->trigger();
      break;
    case mkAnimate:
      FWindow.Actions()["ViewAnimate"]->trigger();
      break;
    case mkFileCommand:
      FileCommand(e);
      break;
    case mkKindCount:
      break;
  }
  Pump();
}

std::string TMonkeyDriver::Summary() const {
  return "focus moved " + std::to_string(FFocusMoves) + " times; chart zoomed after " +
         std::to_string(FZoomedChecks) + " events, tree sorted after " +
         std::to_string(FSortedChecks) + "; " + std::to_string(FPictureChecks) +
         " pictures compared";
}

std::string TMonkeyDriver::CheckInvariants(const TMonkeyEvent& e) {
  if (FWindow.Tree().FocusedNode() != FLastFocus) ++FFocusMoves;
  FLastFocus = FWindow.Tree().FocusedNode();
  FZoomedChecks += FWindow.Chart().IsZoomed() ? 1 : 0;
  FSortedChecks += FWindow.Tree().SortColumns().empty() ? 0 : 1;
  if (!FHandlerErrors.empty()) {
    const std::string error = FHandlerErrors.front();
    FHandlerErrors.clear();
    return "a handler raised: " + error;
  }
  for (const std::string& fault : {TreeFault(), ChartFault(), FTicked ? PlantFault() : ""})
    if (!fault.empty()) return fault;
  const bool gestureEnded = e.Kind == mkClick || e.Kind == mkDrag || e.Kind == mkDoubleClick;
  return (gestureEnded || FEveryPicture) ? PictureFault() : std::string();
}

std::string TMonkeyDriver::ChartFault() const {
  for (TCustomChartAxis* axis : FWindow.Chart().Axes()) {
    const double lo = axis->Minimum(), hi = axis->Maximum();
    if (!std::isfinite(lo) || !std::isfinite(hi)) return "an axis range is not finite";
    if (lo > hi) return "an axis minimum lies above its maximum";
  }
  if (!(FWindow.Chart().LeftAxis().Minimum() < FWindow.Chart().LeftAxis().Maximum()))
    return "the left axis' range is empty";
  return std::string();
}

std::string TMonkeyDriver::PlantFault() const {
  const TSiteList* sites = FWindow.SiteList();
  if (!sites) return "the plant is gone";
  for (int s = 0; s < sites->Count(); ++s) {
    const TSite& site = sites->GetSite(s);
    const TTreeListNode* node = site.Node;
    if (node->Strings(2) != std::to_string(site.GetLevel()))
      return "the tree shows a stale level for " + site.Name();
    for (int t = 0; t < site.Count(); ++t) {
      const TTreeListNode* tank = site.GetTank(t).Node;
      if (tank->Strings(2) != std::to_string(site.GetTank(t).Level()))
        return "the tree shows a stale level for " + site.GetTankLabel(t);
    }
  }
  return std::string();
}

TMonkeyDriver::TPlace TMonkeyDriver::TreePlace(const TMonkeyEvent& e) const {
  QWidget* target = FWindow.TreeHost()->focusProxy();
  TTreeList& tree = FWindow.Tree();
  const TTreeListGeometry g = tree.Geometry();
  const int w = std::max(1, target->width()), h = std::max(1, target->height());
  const int rows = std::max<int>(1, static_cast<int>(g.Rows.size()));
  const TTreeListRowPlace* row = g.Rows.empty() ? nullptr : &g.Rows[e.B % rows];
  switch (e.Area) {
    case maTreeRow:
      return {target, QPoint(Within(e.A, w), row ? (row->Top + row->Bottom) / 2 : h / 2)};
    case maTreeButton:
      return {target, QPoint(row ? row->ButtonLeft + Within(e.A, 16) : Within(e.A, 40),
                             row ? (row->Top + row->Bottom) / 2 : h / 2)};
    case maTreeHeader:
      return {target,
              QPoint(Within(e.A, w),
                     g.HeaderPanel.top + Within(e.B, g.HeaderPanel.bottom - g.HeaderPanel.top))};
    case maTreeHeaderEdge: {
      if (g.Columns.empty()) return {target, QPoint(Within(e.A, w), 2)};
      const TTreeListColumnPlace& place = g.Columns[e.A % g.Columns.size()];
      return {target, QPoint(place.Header.right + Within(e.B, 9) - 4,
                             (place.Header.top + place.Header.bottom) / 2)};
    }
    default: {
      const int below = g.Rows.empty() ? g.RowsArea.top : g.Rows.back().Bottom;
      return {target, QPoint(Within(e.A, w), std::min(h - 1, below + Within(e.B, 60)))};
    }
  }
}

TMonkeyDriver::TPlace TMonkeyDriver::ChartPlace(const TMonkeyEvent& e) const {
  QWidget* target = FWindow.ChartHost()->focusProxy();
  TChart& chart = FWindow.Chart();
  const TRect plot = chart.PlotRect();
  const int w = std::max(1, target->width()), h = std::max(1, target->height());
  switch (e.Area) {
    case maChartBar: {
      const int sites = FWindow.SiteList() ? FWindow.SiteList()->Count() : 1;
      const int site = Within(e.A, sites);
      const double top = FWindow.SiteList() ? FWindow.SiteList()->GetSite(site).GetLevel() : 0;
      return {target, QPoint(chart.BottomAxis().ValueToPixel(site),
                             chart.LeftAxis().ValueToPixel(top * Within(e.B, 101) / 100.0))};
    }
    case maChartPlot:
      return {target, QPoint(plot.left + Within(e.A, plot.right - plot.left + 1),
                             plot.top + Within(e.B, plot.bottom - plot.top + 1))};
    case maChartAxis:
      return {target, QPoint(plot.left - Within(e.A, 40), Within(e.B, h))};
    default:
      return {target, QPoint(Within(e.A, w + 40) - 20, Within(e.B, h + 40) - 20)};
  }
}

std::string TMonkeyDriver::TreeFault() const {
  TTreeList& tree = FWindow.Tree();
  for (const std::string& fault :
       {RowIndexFault(tree), NodeReferenceFault(tree), SortColumnsFault(tree)})
    if (!fault.empty()) return fault;
  const TTreeListGeometry g = tree.Geometry();
  const int scrollWidth = std::max(0, g.TotalWidth - (g.Client.right - g.Client.left));
  if (tree.LeftCoord() < 0 || tree.LeftCoord() > scrollWidth)
    return "LeftCoord " + std::to_string(tree.LeftCoord()) + " outside 0.." +
           std::to_string(scrollWidth);
  const int top = tree.TopVisibleNode() ? tree.TopVisibleNode()->AbsoluteIndex() : 0;
  if (top < 0 || top > std::max(0, tree.VisibleCount() - 1))
    return "the top row " + std::to_string(top) + " lies outside the rows";
  // Automatic widths fill the client exactly once it is wide enough for every column.
  const int client = g.Client.right - g.Client.left;
  if (client >= 100 * static_cast<int>(g.Columns.size())) {
    int sum = 0;
    for (const TTreeListColumnPlace& place : g.Columns) sum += place.CellRight - place.CellLeft;
    if (sum != client)
      return "the columns add up to " + std::to_string(sum) + ", the client is " +
             std::to_string(client);
  }
  return std::string();
}

namespace {

// Where two pictures differ, with both kept beside the temporary folder for a look.
std::string PictureDifference(const std::string& what, const QImage& shown, const QImage& drawn) {
  QRect box;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != drawn.pixel(x, y)) box |= QRect(x, y, 1, 1);
  const std::string stem =
      (std::filesystem::temp_directory_path() / ("tankdemo-monkey-" + what)).string();
  // Small windows are hard to look at: the pictures are kept at least 400 pixels wide.
  const int zoom = std::max(1, 400 / std::max(1, shown.width()));
  shown.scaled(shown.size() * zoom).save(QString::fromStdString(stem + "-shown.png"));
  drawn.scaled(drawn.size() * zoom).save(QString::fromStdString(stem + "-fresh.png"));
  return "the " + what + " on screen differs from a fresh paint in x " +
         std::to_string(box.left()) + ".." + std::to_string(box.right()) + ", y " +
         std::to_string(box.top()) + ".." + std::to_string(box.bottom()) + " (pictures: " + stem +
         "-shown.png, -fresh.png)";
}

}  // namespace

std::string TMonkeyDriver::PictureFault() const {
  const struct {
    TControl* Control;
    QWidget* Viewport;
  } views[] = {{&FWindow.Tree(), FWindow.TreeHost()->focusProxy()},
               {&FWindow.Chart(), FWindow.ChartHost()->focusProxy()}};
  ++const_cast<TMonkeyDriver*>(this)->FPictureChecks;
  for (const auto& view : views) {
    const int w = view.Viewport->width(), h = view.Viewport->height();
    if (w <= 0 || h <= 0) continue;
    const QImage shown = view.Viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    TBitmap fresh(w, h);
    view.Control->Paint(fresh.Canvas(), Rect(0, 0, w, h));
    const QImage drawn = fresh.Image().image.convertToFormat(QImage::Format_RGB32);
    if (shown.size() != drawn.size()) continue;  // a resize still on its way
    if (shown != drawn)
      return PictureDifference(view.Control == &FWindow.Tree() ? "tree" : "chart", shown, drawn);
  }
  return std::string();
}
