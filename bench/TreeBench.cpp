// The tree-list model against a standard item model with a tree view on the same work: a
// plant of sites with nine tanks each, five short texts per node.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "HeapCounter.h"
#include "platform/OffscreenHost.h"
#include "platform/StringList.h"
#include "support/TestWindowHost.h"
#include "treelist/TreeList.h"

namespace {

constexpr int kTanksPerSite = 9;
constexpr int kTexts = 5;

// The five texts of a site (tank < 0) or of one of its tanks; with several lines, the status
// of a node takes one to four lines.
std::array<std::string, kTexts> NodeTexts(int site, int tank, bool lines = false) {
  const std::string name = "Site " + std::to_string(site);
  std::string status = "On-line";
  if (lines)
    for (int k = (site + tank + 1) % 4; k > 0; --k) status += "\nchecked";
  if (tank < 0) return {name, "9000", std::to_string(site % 9000), "44", status};
  return {std::to_string(tank + 1) + "/" + name, "1000", std::to_string((site + tank) % 1000),
          std::to_string(tank * 7 % 100), status};
}

std::unique_ptr<TTreeList> BuildOurs(int nodes, bool expanded, bool lines = false) {
  auto tree = std::make_unique<TTreeList>();
  tree->BeginUpdate();
  for (int s = 0; s < nodes / (kTanksPerSite + 1); ++s) {
    TTreeListNode* site = tree->Add();
    const auto texts = NodeTexts(s, -1, lines);
    for (int i = 0; i < kTexts; ++i) site->SetStrings(i, texts[i]);
    for (int t = 0; t < kTanksPerSite; ++t) {
      TTreeListNode* tank = site->AddChild();
      const auto tankTexts = NodeTexts(s, t, lines);
      for (int i = 0; i < kTexts; ++i) tank->SetStrings(i, tankTexts[i]);
    }
    if (expanded) site->SetExpanded(true);
  }
  tree->EndUpdate();
  return tree;
}

QList<QStandardItem*> ItemRow(const std::array<std::string, kTexts>& texts) {
  QList<QStandardItem*> row;
  row.reserve(kTexts);
  for (const auto& text : texts) row.append(new QStandardItem(QString::fromStdString(text)));
  return row;
}

struct TQtTree {
  QStandardItemModel Model;
  QTreeView View;
  explicit TQtTree(bool uniform = true) {
    View.setUniformRowHeights(uniform);
    View.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    View.resize(800, 600);
    View.setModel(&Model);
  }
};

// With several lines the rows differ in height, and the view measures each.
std::unique_ptr<TQtTree> BuildQt(int nodes, bool lines = false) {
  auto tree = std::make_unique<TQtTree>(!lines);
  QStandardItem* root = tree->Model.invisibleRootItem();
  for (int s = 0; s < nodes / (kTanksPerSite + 1); ++s) {
    QList<QStandardItem*> siteRow = ItemRow(NodeTexts(s, -1, lines));
    for (int t = 0; t < kTanksPerSite; ++t) siteRow[0]->appendRow(ItemRow(NodeTexts(s, t, lines)));
    root->appendRow(siteRow);
  }
  return tree;
}

// Builds and reports the heap bytes each node takes, the structure's destruction untimed.
template <class Build>
void MeasureBuild(benchmark::State& state, Build build) {
  const int nodes = static_cast<int>(state.range(0));
  double bytesPerNode = 0;
  for (auto _ : state) {
    // Reading the heap figure consolidates the allocator's free lists: keep it untimed.
    state.PauseTiming();
    const size_t before = HeapBytesInUse();
    state.ResumeTiming();
    auto tree = build(nodes);
    state.PauseTiming();
    bytesPerNode = static_cast<double>(HeapBytesInUse() - before) / nodes;
    tree.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_per_node"] = bytesPerNode;
  state.SetItemsProcessed(state.iterations() * nodes);
}

void TreeBuildOurs(benchmark::State& state) {
  MeasureBuild(state, [](int nodes) { return BuildOurs(nodes, false); });
}

void TreeBuildQt(benchmark::State& state) {
  MeasureBuild(state, [](int nodes) { return BuildQt(nodes); });
}

constexpr int kLookups = 4096;

std::vector<int> RandomRows(int count) {
  std::mt19937 random(12345);
  std::vector<int> rows(kLookups);
  for (int& r : rows) r = static_cast<int>(random() % static_cast<unsigned>(count));
  return rows;
}

void TreeAbsoluteIndexOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), true);
  std::vector<TTreeListNode*> nodes;
  for (int row : RandomRows(tree->VisibleCount())) nodes.push_back(tree->AbsoluteNodes(row));
  for (auto _ : state)
    for (TTreeListNode* node : nodes) benchmark::DoNotOptimize(node->AbsoluteIndex());
  state.SetItemsProcessed(state.iterations() * kLookups);
}

void TreeAbsoluteNodesOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), true);
  const std::vector<int> rows = RandomRows(tree->VisibleCount());
  for (auto _ : state)
    for (int row : rows) benchmark::DoNotOptimize(tree->AbsoluteNodes(row));
  state.SetItemsProcessed(state.iterations() * kLookups);
}

// The view's own row geometry: with uniform row heights a row's top is its position times
// the row height.
std::unique_ptr<TQtTree> ExpandedQt(int nodes, int& rowHeight) {
  auto tree = BuildQt(nodes);
  tree->View.expandAll();
  rowHeight = tree->View.visualRect(tree->Model.index(0, 0)).height();
  return tree;
}

void TreeAbsoluteIndexQt(benchmark::State& state) {
  int rowHeight = 0;
  auto tree = ExpandedQt(static_cast<int>(state.range(0)), rowHeight);
  std::vector<QModelIndex> indexes;
  for (int row : RandomRows(static_cast<int>(state.range(0))))
    indexes.push_back(tree->View.indexAt(QPoint(1, row * rowHeight + rowHeight / 2)));
  for (auto _ : state)
    for (const QModelIndex& index : indexes)
      benchmark::DoNotOptimize(tree->View.visualRect(index).top() / rowHeight);
  state.SetItemsProcessed(state.iterations() * kLookups);
}

void TreeAbsoluteNodesQt(benchmark::State& state) {
  int rowHeight = 0;
  auto tree = ExpandedQt(static_cast<int>(state.range(0)), rowHeight);
  const std::vector<int> rows = RandomRows(static_cast<int>(state.range(0)));
  for (auto _ : state)
    for (int row : rows)
      benchmark::DoNotOptimize(tree->View.indexAt(QPoint(1, row * rowHeight + rowHeight / 2)));
  state.SetItemsProcessed(state.iterations() * kLookups);
}

// Expanding, collapsing and sorting: each side ends with its row positions usable. The Qt
// view lays out some changes only on demand, so a row query makes it finish.
void SettleQt(TQtTree& tree) {
  benchmark::DoNotOptimize(tree.View.indexAt(QPoint(1, 1)));
}

// Times act on a tree that prepare has put back into its starting state, untimed.
template <class Tree, class Prepare, class Act>
void TimeRepeated(benchmark::State& state, Tree& tree, Prepare prepare, Act act) {
  for (auto _ : state) {
    state.PauseTiming();
    prepare(*tree);
    state.ResumeTiming();
    act(*tree);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void CollapseOurs(TTreeList& tree) {
  tree.FullCollapse();
}
void ExpandOurs(TTreeList& tree) {
  tree.FullExpand();
}
void CollapseQt(TQtTree& tree) {
  tree.View.collapseAll();
  SettleQt(tree);
}
void ExpandQt(TQtTree& tree) {
  tree.View.expandAll();
  SettleQt(tree);
}

void TreeExpandOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), false);
  TimeRepeated(state, tree, CollapseOurs, ExpandOurs);
}

void TreeExpandQt(benchmark::State& state) {
  auto tree = BuildQt(static_cast<int>(state.range(0)));
  TimeRepeated(state, tree, CollapseQt, ExpandQt);
}

void TreeCollapseOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), false);
  TimeRepeated(state, tree, ExpandOurs, CollapseOurs);
}

void TreeCollapseQt(benchmark::State& state) {
  auto tree = BuildQt(static_cast<int>(state.range(0)));
  TimeRepeated(state, tree, ExpandQt, CollapseQt);
}

// Every sibling list by the level texts, the direction alternating so that each pass moves rows.
constexpr int kLevelColumn = 2;

void TreeSortOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), false);
  bool descending = false;
  for (auto _ : state) {
    tree->SortNodes(-1, kLevelColumn, descending);
    descending = !descending;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void TreeSortQt(benchmark::State& state) {
  auto tree = BuildQt(static_cast<int>(state.range(0)));
  bool descending = false;
  for (auto _ : state) {
    tree->Model.sort(kLevelColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    SettleQt(*tree);
    descending = !descending;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void TreeExportOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), true);
  for (int i = 0; i < kTexts; ++i) tree->CreateColumn()->SetCaption("Column " + std::to_string(i));
  for (auto _ : state) {
    TStringList lines;
    tree->SaveAllToStrings(lines);
    benchmark::DoNotOptimize(lines.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One paint of the window as the application sizes it: ours through an off-screen window,
// the peer rendered into a picture of the same size.
constexpr int kPaintWidth = 846, kPaintHeight = 267;
const char* const kCaptions[kTexts] = {"Site/Tank", "Capacity", "Level", "Level %", "Status"};

void ShowLikeTheApplication(TTreeList& tree) {
  for (const char* caption : kCaptions) tree.CreateColumn()->SetCaption(caption);
  tree.SetOptions({aoRowSelect, aoAutoWidth, aoColumnSizing});
  tree.SetLookAndFeel(lfFlat);
}

void ShowLikeTheApplication(TQtTree& tree) {
  QStringList captions;
  for (const char* caption : kCaptions) captions << caption;
  tree.Model.setHorizontalHeaderLabels(captions);
  tree.View.resize(kPaintWidth, kPaintHeight);
}

// Rows sized to their text: the status takes one to four lines.
void SizeRowsToText(TTreeList& tree) {
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoRowAutoHeight));
}

// Every node expanded, the middle row at the top; the time is one whole paint into a picture
// of the given device pixel ratio.
void PaintOurs(benchmark::State& state, int nodes, bool lines, double scale) {
  auto tree = BuildOurs(nodes, true, lines);
  ShowLikeTheApplication(*tree);
  if (lines) SizeRowsToText(*tree);
  TOffscreenHost host(*tree, kPaintWidth, kPaintHeight, scale);
  tree->SetTopVisibleNode(tree->AbsoluteNodes(tree->VisibleCount() / 2));
  host.PaintAll();
  for (auto _ : state) host.PaintAll();
}

void PaintQt(benchmark::State& state, int nodes, bool lines, double scale) {
  auto tree = BuildQt(nodes, lines);
  ShowLikeTheApplication(*tree);
  tree->View.expandAll();
  const int rows = tree->Model.rowCount() / 2;
  tree->View.scrollTo(tree->Model.index(rows, 0), QAbstractItemView::PositionAtTop);
  QImage picture(static_cast<int>(kPaintWidth * scale), static_cast<int>(kPaintHeight * scale),
                 QImage::Format_RGB32);
  picture.setDevicePixelRatio(scale);
  tree->View.render(&picture);  // the warm-up render lays the view out
  for (auto _ : state) tree->View.render(&picture);
}

void TreePaintOurs(benchmark::State& state) {
  PaintOurs(state, static_cast<int>(state.range(0)), false, 1.0);
}
void TreePaintQt(benchmark::State& state) {
  PaintQt(state, static_cast<int>(state.range(0)), false, 1.0);
}
void TreePaintAutoHeightOurs(benchmark::State& state) {
  PaintOurs(state, static_cast<int>(state.range(0)), true, 1.0);
}
void TreePaintAutoHeightQt(benchmark::State& state) {
  PaintQt(state, static_cast<int>(state.range(0)), true, 1.0);
}

// The same paint on a screen of twice the density: four times the device pixels. Named
// Case/who/size so that the ratio against the peer is printed.
const bool kScaledPaintRegistered = [] {
  benchmark::RegisterBenchmark("TreePaint/ours/100000/scale2", PaintOurs, 100000, false, 2.0);
  benchmark::RegisterBenchmark("TreePaint/qt/100000/scale2", PaintQt, 100000, false, 2.0);
  return true;
}();

// Expanding a whole collapsed tree and showing it for the first time.
void TreeFirstPaintOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), false);
  ShowLikeTheApplication(*tree);
  TOffscreenHost host(*tree, kPaintWidth, kPaintHeight);
  host.PaintAll();
  for (auto _ : state) {
    state.PauseTiming();
    tree->FullCollapse();
    state.ResumeTiming();
    tree->FullExpand();
    host.PaintAll();
  }
}

void TreeFirstPaintQt(benchmark::State& state) {
  auto tree = BuildQt(static_cast<int>(state.range(0)));
  ShowLikeTheApplication(*tree);
  QImage picture(kPaintWidth, kPaintHeight, QImage::Format_RGB32);
  tree->View.render(&picture);
  for (auto _ : state) {
    state.PauseTiming();
    tree->View.collapseAll();
    SettleQt(*tree);
    state.ResumeTiming();
    tree->View.expandAll();
    tree->View.render(&picture);
  }
}

// One site in the middle of an expanded tree, shown at the top: it closes and opens again,
// and the window paints what changed.
void TreeToggleOneOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), true);
  ShowLikeTheApplication(*tree);
  TTestWindowHost host(*tree, kPaintWidth, kPaintHeight);
  TTreeListNode* site = tree->AbsoluteNodes(tree->VisibleCount() / 2);
  if (site->Parent()) site = site->Parent();
  tree->SetTopVisibleNode(site);
  host.Paint(true);
  for (auto _ : state) {
    site->SetExpanded(false);
    site->SetExpanded(true);
    host.Paint();
    host.ClearRecords();
  }
}

void TreeToggleOneQt(benchmark::State& state) {
  auto tree = BuildQt(static_cast<int>(state.range(0)));
  ShowLikeTheApplication(*tree);
  tree->View.expandAll();
  const QModelIndex site = tree->Model.index(tree->Model.rowCount() / 2, 0);
  tree->View.scrollTo(site, QAbstractItemView::PositionAtTop);
  QImage picture(kPaintWidth, kPaintHeight, QImage::Format_RGB32);
  tree->View.render(&picture);
  for (auto _ : state) {
    tree->View.collapse(site);
    tree->View.expand(site);
    tree->View.render(&picture);
  }
}

// Page Down through the control's keys, with the paint of what scrolled in; back at the top
// (untimed) when the end is reached.
void ScrollPageOurs(benchmark::State& state, bool lines) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), true, lines);
  ShowLikeTheApplication(*tree);
  if (lines) SizeRowsToText(*tree);
  TTestWindowHost host(*tree, kPaintWidth, kPaintHeight);
  host.Paint(true);
  const int last = tree->VisibleCount() - 1;
  for (auto _ : state) {
    if (tree->FocusedAbsoluteIndex() == last) {
      state.PauseTiming();
      tree->SetFocusedAbsoluteIndex(0);
      host.Paint();
      state.ResumeTiming();
    }
    host.PressKey(vkNext);
    host.Paint();
    host.ClearRecords();
  }
}

void ScrollPageQt(benchmark::State& state, bool lines) {
  auto tree = BuildQt(static_cast<int>(state.range(0)), lines);
  ShowLikeTheApplication(*tree);
  tree->View.expandAll();
  QImage picture(kPaintWidth, kPaintHeight, QImage::Format_RGB32);
  tree->View.render(&picture);
  QScrollBar* bar = tree->View.verticalScrollBar();
  for (auto _ : state) {
    if (bar->value() == bar->maximum()) {
      state.PauseTiming();
      bar->setValue(0);
      tree->View.render(&picture);
      state.ResumeTiming();
    }
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    tree->View.render(&picture);
  }
}

void TreeScrollPageOurs(benchmark::State& state) {
  ScrollPageOurs(state, false);
}
void TreeScrollPageQt(benchmark::State& state) {
  ScrollPageQt(state, false);
}
void TreeScrollPageAutoHeightOurs(benchmark::State& state) {
  ScrollPageOurs(state, true);
}
void TreeScrollPageAutoHeightQt(benchmark::State& state) {
  ScrollPageQt(state, true);
}

}  // namespace

// The behaviour cases at both tree sizes, in milliseconds.
const bool kBehaviourCases = [] {
  const std::pair<const char*, void (*)(benchmark::State&)> cases[] = {
      {"TreeExpand/ours", TreeExpandOurs},     {"TreeExpand/qt", TreeExpandQt},
      {"TreeCollapse/ours", TreeCollapseOurs}, {"TreeCollapse/qt", TreeCollapseQt},
      {"TreeSort/ours", TreeSortOurs},         {"TreeSort/qt", TreeSortQt},
      {"TreeExport/ours", TreeExportOurs}};
  for (const auto& [name, fn] : cases)
    benchmark::RegisterBenchmark(name, fn)->Arg(100000)->Arg(1000000)->Unit(
        benchmark::kMillisecond);
  return true;
}();

// One typed character of an incremental search, every node expanded, from the middle row:
// the characters alternate so that each finds a row a few rows further on ("1" the next
// first tank, "S" the next site).
void TreeSearchKeyOurs(benchmark::State& state) {
  auto tree = BuildOurs(static_cast<int>(state.range(0)), true);
  ShowLikeTheApplication(*tree);
  TTreeListOptionsEx options = tree->OptionsEx();
  tree->SetOptionsEx(options.Include(aoAutoSearch));
  TOffscreenHost host(*tree, kPaintWidth, kPaintHeight);
  tree->SetFocusedNode(tree->AbsoluteNodes(tree->VisibleCount() / 2), 0, true);
  host.PaintAll();
  int i = 0;
  for (auto _ : state) {
    if (tree->FocusedAbsoluteIndex() + 20 > tree->VisibleCount()) {
      state.PauseTiming();
      tree->SetFocusedNode(tree->Items(0), 0, true);
      state.ResumeTiming();
    }
    tree->EndSearch();
    char key = i++ % 2 ? 'S' : '1';
    tree->KeyPress(key);
  }
}

void TreeSearchKeyQt(benchmark::State& state) {
  auto tree = BuildQt(static_cast<int>(state.range(0)));
  ShowLikeTheApplication(*tree);
  tree->View.expandAll();
  QApplication::setKeyboardInputInterval(0);  // every call a search of its own
  const QModelIndex middle = tree->Model.index(tree->Model.rowCount() / 2, 0);
  tree->View.setCurrentIndex(middle);
  QImage picture(kPaintWidth, kPaintHeight, QImage::Format_RGB32);
  tree->View.render(&picture);
  int i = 0;
  for (auto _ : state) {
    const QModelIndex current = tree->View.currentIndex();
    const int site = current.parent().isValid() ? current.parent().row() : current.row();
    if (site + 3 > tree->Model.rowCount()) {
      state.PauseTiming();
      tree->View.setCurrentIndex(tree->Model.index(0, 0));
      state.ResumeTiming();
    }
    tree->View.keyboardSearch(i++ % 2 ? QStringLiteral("S") : QStringLiteral("1"));
  }
}

BENCHMARK(TreeBuildOurs)
    ->Name("TreeBuild/ours")
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TreeBuildQt)
    ->Name("TreeBuild/qt")
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TreeAbsoluteIndexOurs)->Name("TreeAbsoluteIndex/ours")->Arg(100000)->Arg(1000000);
BENCHMARK(TreeAbsoluteIndexQt)->Name("TreeAbsoluteIndex/qt")->Arg(100000)->Arg(1000000);
BENCHMARK(TreeAbsoluteNodesOurs)->Name("TreeAbsoluteNodes/ours")->Arg(100000)->Arg(1000000);
BENCHMARK(TreeAbsoluteNodesQt)->Name("TreeAbsoluteNodes/qt")->Arg(100000)->Arg(1000000);
BENCHMARK(TreePaintOurs)->Name("TreePaint/ours")->Arg(1000)->Arg(100000)->Arg(1000000);
BENCHMARK(TreePaintQt)->Name("TreePaint/qt")->Arg(1000)->Arg(100000)->Arg(1000000);
BENCHMARK(TreeFirstPaintOurs)
    ->Name("TreeFirstPaint/ours")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TreeFirstPaintQt)->Name("TreeFirstPaint/qt")->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeToggleOneOurs)->Name("TreeToggleOne/ours")->Arg(1000000);
BENCHMARK(TreeToggleOneQt)->Name("TreeToggleOne/qt")->Arg(1000000);
BENCHMARK(TreeScrollPageOurs)->Name("TreeScrollPage/ours")->Arg(1000)->Arg(1000000);
BENCHMARK(TreeSearchKeyOurs)->Name("TreeSearchKey/ours")->Arg(1000000);
BENCHMARK(TreeSearchKeyQt)->Name("TreeSearchKey/qt")->Arg(1000000);
BENCHMARK(TreeScrollPageQt)->Name("TreeScrollPage/qt")->Arg(1000)->Arg(1000000);
BENCHMARK(TreePaintAutoHeightOurs)->Name("TreePaintAutoHeight/ours")->Arg(1000)->Arg(1000000);
BENCHMARK(TreePaintAutoHeightQt)->Name("TreePaintAutoHeight/qt")->Arg(1000)->Arg(1000000);
BENCHMARK(TreeScrollPageAutoHeightOurs)
    ->Name("TreeScrollPageAutoHeight/ours")
    ->Arg(1000)
    ->Arg(1000000);
BENCHMARK(TreeScrollPageAutoHeightQt)->Name("TreeScrollPageAutoHeight/qt")->Arg(1000)->Arg(1000000);
