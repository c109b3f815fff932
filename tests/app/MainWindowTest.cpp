#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/AboutBox.h"
#include "app/MainWindow.h"
#include "app/SitePointer.h"
#include "platform/Color.h"
#include "platform/QtControlHost.h"
#include "support/GuiApp.h"
#include "support/ScriptedDialogs.h"
#include "treelist/view/TreeListLayout.h"

namespace {

void Pump() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The real window at 120 pixels per inch on the offscreen platform, its dialogs scripted and
// its handler errors collected.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    SetCurrentPalette(TSystemPalette::Classic());
    SetQtControlHostErrorHandler([this](const std::string& m) { errors.push_back(m); });
    auto scripted = std::make_unique<TScriptedDialogs>();
    dialogs = scripted.get();
    window = std::make_unique<TFMain>(std::move(scripted), 1.0);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Pump();
  }
  void TearDown() override {
    window.reset();
    SetQtControlHostErrorHandler(nullptr);
    EXPECT_TRUE(errors.empty()) << errors.front();
  }

  TTreeList& Tree() { return window->Tree(); }
  QAction* Action(const char* name) { return window->Actions()[name]; }
  QWidget* ChartViewport() { return window->ChartHost()->focusProxy(); }
  QWidget* TreeViewport() { return window->TreeHost()->focusProxy(); }
  std::vector<std::string> Row(const TTreeListNode* node) {
    std::vector<std::string> texts;
    for (int i = 0; i < 5; ++i) texts.push_back(node->Strings(i));
    return texts;
  }
  // The chart's pixel over the middle of a site's bar.
  QPoint BarCentre(int site) {
    TChart& chart = window->Chart();
    const int level = window->SiteList()->GetSite(site).GetLevel();
    return {chart.BottomAxis().ValueToPixel(site), chart.LeftAxis().ValueToPixel(level / 2.0)};
  }
  void MoveOverChart(QPoint p) {
    QCursor::setPos(ChartViewport()->mapToGlobal(p));
    QTest::mouseMove(ChartViewport(), p);
    Pump();
  }
  void ClickChart(QPoint p) {
    MoveOverChart(p);
    QTest::mouseClick(ChartViewport(), Qt::LeftButton, Qt::NoModifier, p);
    Pump();
  }
  int ExpandedSites() {
    int n = 0;
    for (int i = 0; i < Tree().Count(); ++i) n += Tree().Items(i)->Expanded() ? 1 : 0;
    return n;
  }

  std::unique_ptr<TFMain> window;
  TScriptedDialogs* dialogs = nullptr;
  std::vector<std::string> errors;
};

}  // namespace

TEST_F(MainWindowTest, StartsWithTheStoredLayout) {
  EXPECT_EQ(window->windowTitle(), "Velmora Tank Monitoring Demo");
  EXPECT_EQ(window->centralWidget()->width(), 850);
  EXPECT_EQ(window->Actions().ToolBar()->height(), 24);
  EXPECT_EQ(window->statusBar()->height(), 19);
  EXPECT_EQ(window->Splitter()->handleWidth(), 5);
  EXPECT_EQ(window->ChartHost()->width(), 850);
  EXPECT_EQ(window->ChartHost()->height(), 173);
  EXPECT_EQ(Tree().ClientWidth(), 846);
  EXPECT_EQ(window->TreeHost()->height(), 267 - 4);
  EXPECT_FALSE(window->Timer1().isActive());
  EXPECT_EQ(window->Timer1().interval(), 2000);

  // A taller window gives its height to the tree, not the chart.
  window->resize(window->width(), window->height() + 100);
  Pump();
  EXPECT_EQ(window->ChartHost()->height(), 173);
  EXPECT_EQ(window->TreeHost()->height(), 267 - 4 + 100);
}

TEST_F(MainWindowTest, MenusAndToolbarShowTheVisibleCommandsInOrder) {
  auto captions = [](const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
  };
  const QList<QAction*> menus = window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(captions(menus[0]->menu()->actions()),
            QStringList({"&Save", "Save &As...", "-", "Sen&d", "-", "E&xit"}));
  EXPECT_EQ(captions(menus[1]->menu()->actions()), QStringList({"Cu&t", "&Copy", "&Paste"}));
  EXPECT_EQ(captions(menus[2]->menu()->actions()), QStringList({"&About..."}));
  EXPECT_EQ(menus[0]->statusTip(), "File related commands");

  QStringList buttons;
  for (QAction* a : window->Actions().ToolBar()->actions())
    if (!a->text().isEmpty()) buttons << a->text();
  EXPECT_EQ(buttons,
            QStringList({"&Save", "Sen&d", "Cu&t", "&Copy", "&Paste", "Expand", "Animate"}));
  EXPECT_EQ(Action("FileSave1")->toolTip(), "Save");
  EXPECT_EQ(Action("FileSave1")->statusTip(), "Save current file");
  EXPECT_EQ(Action("ViewExpand")->statusTip(), "Expand/Collapse Tree");
  for (const char* name : {"FileNew1", "FileOpen1", "FileSave1", "FileSend1", "EditCut1",
                           "EditCopy1", "EditPaste1", "ViewExpand", "ViewAnimate"})
    EXPECT_FALSE(Action(name)->icon().isNull()) << name;
  EXPECT_FALSE(Action("EditCut1")->isEnabled());
  EXPECT_FALSE(Action("EditPaste1")->isEnabled());
}

TEST_F(MainWindowTest, HiddenCommandsRunFromTheirShortcuts) {
  dialogs->OpenAnswers.push_back(std::nullopt);
  QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(dialogs->OpenRequests.size(), 1u);
  QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(window->FileCommands().FileName(), "Untitled");
}

TEST_F(MainWindowTest, ShowsThePlantAfterStart) {
  ASSERT_EQ(Tree().Count(), 12);
  EXPECT_EQ(ExpandedSites(), 0);
  EXPECT_EQ(Tree().FocusedNode(), Tree().Items(0));
  EXPECT_EQ(Row(Tree().Items(0)),
            (std::vector<std::string>{"Cratfield", "2000", "30", "1", "On-line"}));
  Tree().Items(0)->SetExpanded(true);
  EXPECT_EQ(Tree().Items(0)->Items(0)->Strings(0), "1/Cratfield");
  EXPECT_EQ(Tree().Items(0)->Items(1)->Strings(0), "2/Cratfield");
  EXPECT_EQ(Tree().Items(0)->Items(0)->Strings(2), "0");
  EXPECT_EQ(Tree().Items(0)->Items(1)->Strings(2), "30");

  TChart& chart = window->Chart();
  ASSERT_EQ(chart.CountSeries(), 5);
  for (int s = 0; s < 5; ++s) EXPECT_EQ(chart.SeriesAt(s)->PointCount(), 12);
  EXPECT_FALSE(chart.LeftAxis().Automatic());
  EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 10000);
}

TEST_F(MainWindowTest, TicksRefreshBothViewsButNeverTheAxes) {
  const std::string before = Tree().Items(0)->Strings(2);
  std::vector<std::string> levels;
  for (int step = 0; step < 5; ++step) {
    window->Timer1Timer();
    levels.push_back(Tree().Items(0)->Strings(2));
  }
  const TSite& cratfield = window->SiteList()->GetSite(0);
  EXPECT_EQ(Tree().Items(0)->Strings(2), std::to_string(cratfield.GetLevel()));
  EXPECT_EQ(window->Chart().SeriesAt(0)->YValues().ValueAt(0), cratfield.GetTank(0).Level());
  EXPECT_EQ(window->Chart().LeftAxis().Maximum(), 10000);
}

// Counts the paint passes a widget goes through.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    Paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

TEST_F(MainWindowTest, ATickRepaintsEachViewOnce) {
  TPaintCounter tree(TreeViewport()), chart(ChartViewport());
  window->Timer1Timer();
  Pump();
  EXPECT_EQ(tree.Paints, 1);
  EXPECT_EQ(chart.Paints, 1);
}

// A mail client that opens in the foreground keeps the mail program running while the user
// writes: the window goes on ticking and painting, and no error is shown.
TEST_F(MainWindowTest, SendLeavesTheWindowRunningWhileTheMailClientIsOpen) {
  QTemporaryDir dir;
  const QString program = dir.filePath("mail-client"), pidFile = dir.filePath("pid");
  {
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho $$ > '" + pidFile + "'\nexec sleep 60\n").toUtf8());
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());  // Send writes tankdemo.txt here
  window->FileCommands().SetMailProgram(program.toStdString());
  window->FileCommands().Mail().SetWait(std::chrono::milliseconds(300));
  int ticks = 0;
  QObject::connect(&window->Timer1(), &QTimer::timeout, [&] { ++ticks; });
  window->Timer1().setInterval(20);
  Action("ViewAnimate")->trigger();
  TPaintCounter chart(ChartViewport());

  Action("FileSend1")->trigger();
  const int ticksBefore = ticks;
  QTest::qWait(700);
  EXPECT_GE(ticks - ticksBefore, 3);
  EXPECT_GE(chart.Paints, 3);
  EXPECT_EQ(window->FileCommands().Mail().Awaited(), 0) << "the short wait is over";
  EXPECT_TRUE(dialogs->Errors.empty()) << "a mail client still open is no failure";
  QFile pid(pidFile);
  ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
  const pid_t client = pid.readAll().trimmed().toInt();
  EXPECT_EQ(::kill(client, 0), 0) << "the mail client was stopped";
  ::kill(client, SIGTERM);
  Action("ViewAnimate")->trigger();
  QDir::setCurrent(previous);
}

TEST_F(MainWindowTest, CopyTakesTheTreesSelectedRows) {
  QApplication::clipboard()->clear();
  TreeViewport()->setFocus();
  Pump();
  Action("EditCopy1")->trigger();
  const QString text = QApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith("Site/Tank\tCapacity")) << text.toStdString();
  EXPECT_TRUE(text.contains("Cratfield\t2000\t30\t1\tOn-line\r\n")) << text.toStdString();
  EXPECT_FALSE(text.contains("Laxfield")) << "only the selected row";
}

TEST_F(MainWindowTest, ExpandOpensAllUntilHalfTheSitesAreOpen) {
  window->ViewExpandExecute();
  EXPECT_EQ(ExpandedSites(), 12);
  window->ViewExpandExecute();
  EXPECT_EQ(ExpandedSites(), 0);
  for (int i = 0; i < 5; ++i) Tree().Items(i)->SetExpanded(true);
  window->ViewExpandExecute();
  EXPECT_EQ(ExpandedSites(), 12);
  Tree().FullCollapse();
  for (int i = 0; i < 6; ++i) Tree().Items(i)->SetExpanded(true);
  Action("ViewExpand")->trigger();
  EXPECT_EQ(ExpandedSites(), 0);
}

TEST_F(MainWindowTest, AnimateStartsAndStopsTheTimer) {
  Action("ViewAnimate")->trigger();
  EXPECT_TRUE(window->Timer1().isActive());
  EXPECT_TRUE(Action("ViewAnimate")->isChecked());
  Action("ViewAnimate")->trigger();
  EXPECT_FALSE(window->Timer1().isActive());
  EXPECT_FALSE(Action("ViewAnimate")->isChecked());
  auto* button = qobject_cast<QToolButton*>(
      window->Actions().ToolBar()->widgetForAction(Action("ViewAnimate")));
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->isChecked());
}

TEST_F(MainWindowTest, ThePointerOverTheChartNamesTheSite) {
  for (int site : {0, 5, 10, 11}) {
    MoveOverChart(BarCentre(site));
    EXPECT_EQ(window->StatusText(), SiteStatusText(window->SiteList()->GetSite(site))) << site;
  }
  // Left of the first bar's slot there is no site.
  MoveOverChart(QPoint(BarCentre(0).x() - (BarCentre(1).x() - BarCentre(0).x()), 60));
  EXPECT_EQ(window->StatusText(), "");
}

TEST_F(MainWindowTest, ClickingABarOpensItsSite) {
  window->ViewExpandExecute();
  ClickChart(BarCentre(11));
  const TTreeListNode* linstead = Tree().Items(11);
  EXPECT_EQ(ExpandedSites(), 1);
  EXPECT_TRUE(linstead->Expanded());
  EXPECT_EQ(linstead->Count(), 3);
  EXPECT_EQ(Tree().FocusedNode(), linstead);
}

TEST_F(MainWindowTest, AZoomStaysAcrossTicks) {
  QWidget* chart = ChartViewport();
  const QPoint from(BarCentre(2).x(), 20), to(BarCentre(6).x(), 150);
  QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(chart, to);
  QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to);
  Pump();
  const double minimum = window->Chart().LeftAxis().Minimum();
  const double maximum = window->Chart().LeftAxis().Maximum();
  ASSERT_TRUE(window->Chart().IsZoomed());
  ASSERT_LT(maximum, 10000);
  window->Timer1Timer();
  EXPECT_EQ(window->Chart().LeftAxis().Minimum(), minimum);
  EXPECT_EQ(window->Chart().LeftAxis().Maximum(), maximum);
}

// A right-button pan moves the view until a button, whichever, is released.
TEST_F(MainWindowTest, APanEndsOnTheReleaseOfAnyButton) {
  QWidget* chart = ChartViewport();
  const TChartAxis& axis = window->Chart().LeftAxis();
  for (const Qt::MouseButton released : {Qt::RightButton, Qt::LeftButton, Qt::MiddleButton}) {
    const QPoint from(BarCentre(5).x(), 80), to(BarCentre(4).x(), 110);
    const double before = axis.Minimum();
    QTest::mousePress(chart, Qt::RightButton, Qt::NoModifier, from);
    QTest::mouseMove(chart, to);
    Pump();
    EXPECT_NE(axis.Minimum(), before) << "the pan did not move the view";
    QTest::mouseRelease(chart, released, Qt::NoModifier, to);
    const double ended = axis.Minimum();
    QTest::mouseMove(chart, from);
    Pump();
    EXPECT_EQ(axis.Minimum(), ended) << "still panning after releasing button " << released;
    if (released != Qt::RightButton) QTest::mouseRelease(chart, Qt::RightButton, {}, from);
  }
}

TEST_F(MainWindowTest, SiteRowsAreYellowUnlessSelected) {
  auto rowColour = [&](int row) {
    const QImage picture = TreeViewport()->grab().toImage();
    const TTreeListRowPlace place = Tree().Geometry().Rows.at(static_cast<size_t>(row));
    return picture.pixelColor(picture.width() - 40, (place.Top + place.Bottom) / 2);
  };
  const QColor yellow(255, 255, 0);
  TreeViewport()->setFocus();
  Pump();
  EXPECT_NE(rowColour(0), yellow) << "the focused site is drawn selected";
  EXPECT_EQ(rowColour(1), yellow);
  ChartViewport()->setFocus();
  Pump();
  EXPECT_EQ(rowColour(0), yellow) << "without the focus the selection is hidden";
}

TEST_F(MainWindowTest, AboutBoxShowsTheProgramsDescription) {
  Action("HelpAbout1")->trigger();
  EXPECT_EQ(dialogs->AboutShown, 1);
  TAboutBox about(window.get(), 1.0);
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.size(), QSize(367, 257));
  const QStringList lines = about.Memo()->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 13);
  EXPECT_EQ(lines[0], "Velmora Tank Monitoring Demo Version 1.0");
  EXPECT_EQ(lines[8], "Position cursor over bar for site details. ");
  EXPECT_EQ(lines[12], "of tank level changes.");
  EXPECT_TRUE(about.Memo()->isReadOnly());
  EXPECT_TRUE(about.OkButton()->isDefault());
  QTimer::singleShot(0, about.OkButton(), &QPushButton::click);
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

// The platform appends a display name to every window caption; the program sets none, so its
// dialogs read "About", "Error" and "Confirm".
TEST_F(MainWindowTest, CaptionsCarryNoProgramName) {
  ConfigureApplication();
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
  EXPECT_EQ(QGuiApplication::desktopFileName(), "tankdemo");
}

TEST_F(MainWindowTest, CopyIsEnabledOnlyWhileTheTreeHasTheFocus) {
  QAction* copy = Action("EditCopy1");
  TreeViewport()->setFocus();
  Pump();
  EXPECT_TRUE(copy->isEnabled());
  ChartViewport()->setFocus();
  Pump();
  EXPECT_FALSE(copy->isEnabled()) << "nothing to copy from the chart";
  QApplication::clipboard()->setText("kept");
  QTest::keyClick(ChartViewport(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "kept");
  TreeViewport()->setFocus();
  Pump();
  EXPECT_TRUE(copy->isEnabled());
}

namespace {

// The desktop's font as a screen of the given density draws it: 10 points, in pixels.
class TDesktopFontAt {
 public:
  explicit TDesktopFontAt(int dpi) : FSaved(QApplication::font()) {
    QFont font = FSaved;
    font.setPixelSize(static_cast<int>(std::lround(10 * dpi / 72.0)));
    QApplication::setFont(font);
  }
  ~TDesktopFontAt() { QApplication::setFont(FSaved); }

 private:
  QFont FSaved;
};

}  // namespace

// The stored layout is scaled to the screen while the desktop's font is not: the about box
// and the status bar must still show all of their text.
TEST(ScreenDensityTest, AboutBoxAndStatusBarShowTheirWholeText) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  for (const int dpi : {96, 120, 144}) {
    TDesktopFontAt font(dpi);
    TAboutBox about(nullptr, dpi / 120.0);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    Pump();
    QPlainTextEdit* memo = about.Memo();
    EXPECT_FALSE(memo->horizontalScrollBar()->isVisible()) << dpi << " dpi";
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << dpi << " dpi: lines hidden";
    const QTextCursor last(memo->document()->lastBlock());
    EXPECT_LE(memo->cursorRect(last).bottom(), memo->viewport()->height()) << dpi << " dpi";
    const QRect ok(about.OkButton()->mapTo(&about, QPoint(0, 0)), about.OkButton()->size());
    EXPECT_TRUE(about.rect().contains(ok)) << dpi << " dpi";
    EXPECT_GE(about.width(), std::lround(367 * dpi / 120.0));

    TFMain window(std::make_unique<TScriptedDialogs>(), dpi / 120.0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStatusBar* status = window.statusBar();
    EXPECT_GE(status->contentsRect().height(), status->fontMetrics().height()) << dpi << " dpi";
  }
}

TEST_F(MainWindowTest, ErrorsInTheWindowsHandlersAreShownAndTheWindowGoesOn) {
  dialogs->OpenAnswers.push_back(TOpenChoice{"/nonexistent/file.txt", false});
  Action("FileOpen1")->trigger();
  ASSERT_EQ(dialogs->Errors.size(), 1u);
  EXPECT_NE(dialogs->Errors[0].find("/nonexistent/file.txt"), std::string::npos);
  Action("ViewExpand")->trigger();
  EXPECT_EQ(ExpandedSites(), 12);
}

namespace {

// Records the keys that reach it past the control it holds.
class KeyDialog : public QDialog {
 public:
  std::vector<int> keys;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    keys.push_back(e->key());
    QDialog::keyPressEvent(e);
  }
};

}  // namespace

// A tree-list in a dialog: Alt combinations are the window's, a character without a virtual
// key searches, Esc ends a search first and closes the dialog only then.
TEST(TreeListInADialog, KeysGoToTheTreeOrTheDialogAsTheirMeaningSays) {
  EnsureGuiApplication();
  TTreeList tree;
  tree.CreateColumn()->SetCaption("Site");
  tree.CreateColumn()->SetCaption("Level");
  for (const char* name : {"Alpha", "Beta", "\xc3\xa9lan", "Sierra"})
    tree.Add()->SetStrings(0, name);
  TTreeListOptionsEx options = tree.OptionsEx();
  options.Include(aoAutoSearch);
  tree.SetOptionsEx(options);
  KeyDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  QWidget* host = CreateQtControlHost(tree, &dialog);
  layout->addWidget(host);
  dialog.resize(200, 200);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QWidget* viewport = host->focusProxy();
  viewport->setFocus();
  tree.SetFocusedNode(tree.Items(0), 0, true);

  QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00e9"));
  QApplication::sendEvent(viewport, &accented);
  EXPECT_EQ(tree.FocusedNode(), tree.Items(2));
  EXPECT_TRUE(dialog.keys.empty());

  QTest::keyClick(viewport, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible()) << "the Esc that ended the search closed the dialog";
  // Esc during a header drag cancels the drag and no more.
  QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 8));
  QTest::mouseMove(viewport, QPoint(60, 8));
  QTest::mouseMove(viewport, QPoint(120, 8));
  EXPECT_NE(tree.Input().State(), msNone);
  QTest::keyClick(viewport, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible()) << "the Esc that ended the header drag closed the dialog";
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(120, 8));
  EXPECT_EQ(tree.Input().State(), msNone);
  QTest::keyClick(viewport, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());

  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  viewport->setFocus();
  tree.SetFocusedNode(tree.Items(0), 0, true);
  dialog.keys.clear();
  QTest::keyClick(viewport, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(tree.FocusedNode(), tree.Items(0)) << "Alt+S searched the tree";
  EXPECT_EQ(std::count(dialog.keys.begin(), dialog.keys.end(), Qt::Key_S), 1)
      << "Alt+S never reached the dialog";
}
