#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/ActionGlyphs.h"
#include "app/SitePointer.h"
#include "app/TankChart.h"
#include "app/TankTree.h"
#include "platform/Color.h"
#include "platform/QtControlHost.h"

namespace {

// The stored layout, in pixels at 120 pixels per inch.
constexpr double kLayoutPixelsPerInch = 120.0;
constexpr int kClientWidth = 850;
constexpr int kTreeHeight = 267;
constexpr int kSplitterHeight = 5;
constexpr int kChartPanelHeight = 173;
constexpr int kStatusBarHeight = 19;
constexpr int kStatusTextMargin = 2;  // above and below the status text
constexpr int kTreeBorder = 2;        // the tree-list's sunken edge, not scaled
constexpr int kTimerInterval = 2000;

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

// The splitter's grip: a raised bevel across the window.
class TBevelHandle final : public QSplitterHandle {
 public:
  using QSplitterHandle::QSplitterHandle;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(r.topLeft(), r.topRight());
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(r.bottomLeft(), r.bottomRight());
  }
};

class TBevelSplitter final : public QSplitter {
 public:
  using QSplitter::QSplitter;

 protected:
  QSplitterHandle* createHandle() override { return new TBevelHandle(orientation(), this); }
};

}  // namespace

void ConfigureApplication() {
  QGuiApplication::setApplicationName(QStringLiteral("tankdemo"));
  // Ties the windows to the desktop entry, whose name the desktop shows for the program.
  QGuiApplication::setDesktopFileName(QStringLiteral("tankdemo"));
}

double LayoutScaleFor(const QWidget* widget) {
  const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
  if (!screen) return 1.0;
  return screen->logicalDotsPerInch() / kLayoutPixelsPerInch;
}

TFMain::TFMain(std::unique_ptr<TWindowDialogs> dialogs, double scale)
    : FScale(scale > 0 ? scale : LayoutScaleFor(nullptr)), FDialogs(std::move(dialogs)) {
  setWindowTitle(QStringLiteral("Velmora Tank Monitoring Demo"));
  setWindowIcon(ProgramIcon());
  if (!FDialogs) FDialogs = CreateDesktopDialogs(this, FScale);
  FFileCommands = std::make_unique<TFileCommands>(FTree, *FDialogs);

  ConfigureTankTreeList(FTree);
  ApplyStoredChartSettings(FChart, FSeriesOwner);

  FActions = std::make_unique<TMainActions>(*this, FScale);
  BuildClientArea();
  FTimer = new QTimer(this);
  FTimer->setInterval(kTimerInterval);
  ConnectActions();
  ConnectControls();
  SizeToLayout();
}

TFMain::~TFMain() {
  FTimer->stop();
  // The hosts draw the controls, which are members: they go first.
  delete FSplitter;
  FormDestroy();
}

void TFMain::BuildClientArea() {
  FTreeFrame = new QFrame;
  FTreeFrame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  FTreeFrame->setLineWidth(kTreeBorder);
  auto* frameLayout = new QVBoxLayout(FTreeFrame);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  FTreeHost = CreateQtControlHost(FTree, FTreeFrame);
  frameLayout->addWidget(FTreeHost);

  FChartPanel = new QWidget;
  auto* panelLayout = new QVBoxLayout(FChartPanel);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  FChartHost = CreateQtControlHost(FChart, FChartPanel);
  panelLayout->addWidget(FChartHost);

  FSplitter = new TBevelSplitter(Qt::Vertical);
  FSplitter->setChildrenCollapsible(false);
  FSplitter->setHandleWidth(Scaled(kSplitterHeight, FScale));
  FSplitter->addWidget(FTreeFrame);
  FSplitter->addWidget(FChartPanel);
  // A taller window gives its height to the tree; the chart panel keeps its own.
  FSplitter->setStretchFactor(0, 1);
  FSplitter->setStretchFactor(1, 0);
  setCentralWidget(FSplitter);

  // The stored height, or more when the desktop's font needs it for a whole line of text.
  const int textHeight = statusBar()->fontMetrics().height() + 2 * kStatusTextMargin;
  statusBar()->setFixedHeight(std::max(Scaled(kStatusBarHeight, FScale), textHeight));
  statusBar()->setSizeGripEnabled(false);
}

void TFMain::SizeToLayout() {
  FSplitter->setSizes({Scaled(kTreeHeight, FScale), Scaled(kChartPanelHeight, FScale)});
  const int height = menuBar()->sizeHint().height() + FActions->ToolBar()->height() +
                     Scaled(kTreeHeight + kSplitterHeight + kChartPanelHeight, FScale) +
                     statusBar()->height();
  resize(Scaled(kClientWidth, FScale), height);
}

void TFMain::ConnectActions() {
  const std::pair<const char*, void (TFMain::*)()> bindings[] = {
      {"FileNew1", &TFMain::FileNew1Execute},     {"FileOpen1", &TFMain::FileOpen1Execute},
      {"FileSave1", &TFMain::FileSave1Execute},   {"FileSaveAs1", &TFMain::FileSaveAs1Execute},
      {"FileSend1", &TFMain::FileSend1Execute},   {"FileExit1", &TFMain::FileExit1Execute},
      {"EditCopy1", &TFMain::EditCopyExecute},    {"HelpAbout1", &TFMain::HelpAbout1Execute},
      {"ViewExpand", &TFMain::ViewExpandExecute}, {"ViewAnimate", &TFMain::ViewAnimateExecute},
  };
  for (const auto& [name, handler] : bindings) {
    QAction* action = (*FActions)[name];
    connect(action, &QAction::triggered, this,
            [this, handler = handler] { RunReportingErrors(this, [&] { (this->*handler)(); }); });
  }
  // Nothing in the window can be edited: cut and paste have nothing to act on. Copy takes the
  // tree's rows while the tree has the focus.
  (*FActions)["EditCut1"]->setEnabled(false);
  (*FActions)["EditPaste1"]->setEnabled(false);
  UpdateCopyEnabled();
  connect(qApp, &QApplication::focusChanged, this, [this] { UpdateCopyEnabled(); });
  connect(FTimer, &QTimer::timeout, this,
          [this] { RunReportingErrors(this, [&] { Timer1Timer(); }); });
}

void TFMain::ConnectControls() {
  FTree.SetClipboard(&FClipboard);
  FChart.OnMouseMove = [this](auto&&...) { Chart1MouseMove(); };
  FChart.OnClick = [this](auto&&...) { Chart1Click(); };
}

void TFMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FShown) return;
  FShown = true;
  RunReportingErrors(this, [&] { FormShow(); });
}

void TFMain::FormShow() {
  InitSites();
  SetupChart(FChart, FSeriesOwner, *FSiteList);
  RefreshChart(FChart, *FSiteList);
  UpdateCopyEnabled();
}

void TFMain::InitSites() {
  FSiteList = BuildSites();
  RandomizeLevels(*FSiteList, FRandom);
  LoadTree(FTree, *FSiteList);
  RefreshTree(FTree, *FSiteList);
}

void TFMain::FormDestroy() {
  // The tree's nodes outlive the plant here; clear the plant's references to them first.
  FChart.OnGetAccessibleName = nullptr;
  FSiteList.reset();
}

void TFMain::Timer1Timer() {
  if (!FSiteList) return;
  SimulateStep(*FSiteList, FRandom);
  RefreshTree(FTree, *FSiteList);
  RefreshChart(FChart, *FSiteList);
}

void TFMain::ViewExpandExecute() {
  int expanded = 0;
  for (int i = 0; i < FTree.Count(); ++i) expanded += FTree.Items(i)->Expanded() ? 1 : 0;
  if (expanded < FTree.Count() / 2)
    FTree.FullExpand();
  else
    FTree.FullCollapse();
}

void TFMain::ViewAnimateExecute() {
  if (FTimer->isActive())
    FTimer->stop();
  else
    FTimer->start();
  (*FActions)["ViewAnimate"]->setChecked(FTimer->isActive());
}

int TFMain::SiteIndexUnderCursor() {
  if (!FSiteList || FChart.CountSeries() == 0) return -1;
  double x = 0, y = 0;
  FChart.SeriesAt(0)->ValuesAtCursor(x, y);
  return SiteIndexAtX(x, FSiteList->Count());
}

void TFMain::Chart1MouseMove() {
  if (!FSiteList || FChart.CountSeries() == 0) return;
  const int site = SiteIndexUnderCursor();
  SetStatusText(site < 0 ? std::string() : SiteStatusText(FSiteList->GetSite(site)));
}

void TFMain::Chart1Click() {
  const int site = SiteIndexUnderCursor();
  if (site >= 0) OpenSiteNode(FTree, FSiteList->GetSite(site));
}

void TFMain::EditCopyExecute() {
  if (FTreeHost->hasFocus()) FTree.CopySelectedToClipboard();
}

void TFMain::UpdateCopyEnabled() {
  const bool rows = FTree.FocusedNode() || FTree.SelectedCount() > 0;
  (*FActions)["EditCopy1"]->setEnabled(FTreeHost->hasFocus() && rows);
}

void TFMain::SetStatusText(const std::string& text) {
  statusBar()->showMessage(QString::fromStdString(text));
}

std::string TFMain::StatusText() const {
  return statusBar()->currentMessage().toStdString();
}

void TFMain::FileNew1Execute() {
  FFileCommands->New();
}
void TFMain::FileOpen1Execute() {
  FFileCommands->Open();
}
void TFMain::FileSave1Execute() {
  FFileCommands->Save();
}
void TFMain::FileSaveAs1Execute() {
  FFileCommands->SaveAs();
}
void TFMain::FileSend1Execute() {
  FFileCommands->Send();
}
void TFMain::FileExit1Execute() {
  close();
}

void TFMain::HelpAbout1Execute() {
  FDialogs->ShowAbout();
}
