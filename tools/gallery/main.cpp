// tankdemo-gallery: one window showing the controls with options the demo never switches on:
// the tree-list on three pages, every kind of chart series and axis on the last. The
// tree-lists keep the user's arrangement between runs.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "GalleryOutlook.h"
#include "GalleryRows.h"
#include "GalleryTree.h"
#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"
#include "gallery/GalleryChart.h"
#include "platform/Color.h"
#include "platform/QtControlHost.h"

namespace {

// The chart page: a choice of series kind or axis, flat or 3D, above the chart.
QWidget* ChartPage(TChart& chart, TSeriesOwner& owner) {
  auto* page = new QWidget;
  auto* pages = new QComboBox;
  for (const std::string& name : ChartGalleryPageNames())
    pages->addItem(QString::fromStdString(name));
  auto* view3D = new QCheckBox(QStringLiteral("3D"));
  auto* choices = new QHBoxLayout;
  choices->addWidget(pages);
  choices->addWidget(view3D);
  choices->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(choices);
  layout->addWidget(CreateQtControlHost(chart), 1);
  auto show = [&chart, &owner, pages, view3D] {
    std::string name = pages->currentText().toStdString();
    if (view3D->isChecked()) name += ":3d";
    ShowChartGalleryPage(chart, owner, *ParseChartGalleryChoice(name));
  };
  QObject::connect(pages, &QComboBox::currentIndexChanged, page, show);
  QObject::connect(view3D, &QCheckBox::toggled, page, show);
  show();
  return page;
}

constexpr const char* kSettingsFile = "tankdemo-gallery.ini";

// The page's arrangement as the user left it last time, kept again when the page goes. A
// damaged one leaves the page as built, and says so.
void KeepLayout(TTreeList& tree, const char* section) {
  tree.SetStorageFile(kSettingsFile);
  tree.SetStorageSection(section);
  tree.SetOptions(tree.Options().Include(aoStoreToIniFile));
  tree.OnLayoutError = [section](TCustomTreeListControl*, const std::string& message) {
    std::fprintf(stderr, "tankdemo-gallery: page %s: %s\n", section, message.c_str());
  };
  tree.BeginLoading();
  tree.EndLoading();
}

// Saved here rather than when the tree goes, so that a failure can still be told.
void StoreLayout(const TTreeList& tree) {
  try {
    tree.StoreLayoutSettings();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tankdemo-gallery: %s\n", e.what());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(platform && *platform) && !(x11 && *x11) && !(wayland && *wayland)) {
    std::fprintf(stderr,
                 "tankdemo-gallery: no display found; run it as `xvfb-run "
                 "tankdemo-gallery`, or draw its pages with tankdemo-snapshot --gallery-tree, "
                 "--gallery-rows, --gallery-outlook or --gallery-chart\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tankdemo-gallery"));
  SetCurrentPalette(TSystemPalette::Desktop());
  TTreeList tree;
  TGalleryImages images;
  BuildGalleryTree(tree, images);
  TTreeList rows;
  BuildGalleryRowsTree(rows);
  TTreeList outlook;
  BuildGalleryOutlookTree(outlook);
  KeepLayout(tree, "Tree");
  KeepLayout(rows, "Rows");
  KeepLayout(outlook, "Outlook");
  TSeriesOwner owner;
  TChart chart;
  QTabWidget window;
  window.addTab(CreateQtControlHost(tree), QStringLiteral("Tree-list"));
  window.addTab(CreateQtControlHost(rows), QStringLiteral("Rows"));
  window.addTab(CreateQtControlHost(outlook), QStringLiteral("Outlook"));
  const int chartPage = window.addTab(ChartPage(chart, owner), QStringLiteral("Chart"));
  // --chart opens on the chart page, with a page name after it ("area:3d", ...) on that page.
  const QStringList arguments = QApplication::arguments();
  const qsizetype chartArgument = arguments.indexOf(QStringLiteral("--chart"));
  if (chartArgument >= 0) window.setCurrentIndex(chartPage);
  if (chartArgument >= 0 && chartArgument + 1 < arguments.size()) {
    if (auto choice = ParseChartGalleryChoice(arguments[chartArgument + 1].toStdString())) {
      auto* pages = window.widget(chartPage)->findChild<QComboBox*>();
      auto* view3D = window.widget(chartPage)->findChild<QCheckBox*>();
      pages->setCurrentIndex(static_cast<int>(choice->Page));
      view3D->setChecked(choice->View3D);
    }
  }
  // The Outlook page's customizing box stands beside the window while that page shows.
  const int outlookPage = 2;
  QObject::connect(&window, &QTabWidget::currentChanged, [&outlook](int page) {
    if (page == outlookPage)
      outlook.ShowCustomizingBox();
    else
      outlook.HideCustomizingBox();
  });
  window.setWindowTitle(QStringLiteral("Gallery"));
  // --rows opens on the page of rows of several lines, --outlook on the Outlook style's.
  if (arguments.contains(QStringLiteral("--rows"))) window.setCurrentIndex(1);
  if (arguments.contains(QStringLiteral("--outlook"))) window.setCurrentIndex(2);
  window.resize(kGalleryRowsWidth, kGalleryRowsHeight + 60);
  window.show();
  if (window.currentIndex() == outlookPage) outlook.ShowCustomizingBox();
  const int result = app.exec();
  outlook.HideCustomizingBox();
  for (const TTreeList* page : {&tree, &rows, &outlook}) StoreLayout(*page);
  return result;
}
