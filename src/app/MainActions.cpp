#include "app/MainActions.h"

#include <QAction>
#include <QFrame>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <cmath>
#include <vector>

namespace {

constexpr int kButtonWidth = 23;
constexpr int kSeparatorWidth = 8;
constexpr int kToolBarHeight = 24;

const std::vector<TActionEntry>& OrderedEntries() {
  static const std::vector<TActionEntry> entries = {
      {"FileNew1", "File", "&New", "New|Create a new file", agNew, "Ctrl+N", false},
      {"FileOpen1", "File", "&Open", "Open|Open a file", agOpen, "Ctrl+O", false},
      {"FileSave1", "File", "&Save", "Save|Save current file", agSave, "Ctrl+S", true},
      {"FileSaveAs1", "File", "Save &As...", "Save As|Save current file with different name", -1,
       "", true},
      {"FileSend1", "File", "Sen&d", "Send|Send current file through electronic mail", agSend, "",
       true},
      {"FileExit1", "File", "E&xit", "Exit|Exit application", -1, "", true},
      {"EditCut1", "Edit", "Cu&t", "Cut|Cuts the selection and puts it on the Clipboard", agCut,
       "Ctrl+X", true},
      {"EditCopy1", "Edit", "&Copy", "Copy|Copies the selection and puts it on the Clipboard",
       agCopy, "Ctrl+C", true},
      {"EditPaste1", "Edit", "&Paste", "Paste|Inserts Clipboard contents", agPaste, "Ctrl+V", true},
      {"HelpAbout1", "Help", "&About...",
       "About|Displays program information, version number, and copyright", -1, "", true},
      {"ViewExpand", "View", "Expand", "Expand/Collapse Tree", agExpand, "", true},
      {"ViewAnimate", "View", "Animate", "Start/Stop simulation", agAnimate, "", true},
  };
  return entries;
}

// A separator in a menu or toolbar list.
const char* const kSeparator = "-";

struct TMenuEntry {
  const char* Title;
  const char* Hint;
  std::vector<const char*> Items;
};

const std::vector<TMenuEntry>& MenuEntries() {
  static const std::vector<TMenuEntry> menus = {
      {"&File",
       "File related commands",
       {"FileNew1", "FileOpen1", "FileSave1", "FileSaveAs1", kSeparator, "FileSend1", kSeparator,
        "FileExit1"}},
      {"&Edit", "Edit commands", {"EditCut1", "EditCopy1", "EditPaste1"}},
      {"&Help", "Help topics", {"HelpAbout1"}},
  };
  return menus;
}

const std::vector<const char*>& ToolBarItems() {
  static const std::vector<const char*> items = {
      "FileNew1",  "FileOpen1",  "FileSave1", kSeparator,   "FileSend1", kSeparator,   "EditCut1",
      "EditCopy1", "EditPaste1", kSeparator,  "ViewExpand", kSeparator,  "ViewAnimate"};
  return items;
}

bool IsSeparator(const char* item) {
  return item == kSeparator;
}

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

}  // namespace

const std::map<std::string, TActionEntry>& ActionTable() {
  static const std::map<std::string, TActionEntry> byName = [] {
    std::map<std::string, TActionEntry> m;
    for (const TActionEntry& entry : OrderedEntries()) m.emplace(entry.Name, entry);
    return m;
  }();
  return byName;
}

QString ShortHint(const char* hint) {
  return QString::fromUtf8(hint).section(QLatin1Char('|'), 0, 0);
}

QString LongHint(const char* hint) {
  const QString text = QString::fromUtf8(hint);
  const int bar = text.indexOf(QLatin1Char('|'));
  return bar < 0 ? text : text.mid(bar + 1);
}

TMainActions::TMainActions(QMainWindow& window, double scale) {
  CreateActions(window);
  BuildMenus(window);
  BuildToolBar(window, scale);
}

QAction* TMainActions::operator[](const std::string& name) const {
  const auto it = FActions.find(name);
  return it == FActions.end() ? nullptr : it->second;
}

QMenu* TMainActions::Menu(const QString& title) const {
  const auto it = FMenus.find(title);
  return it == FMenus.end() ? nullptr : it->second;
}

void TMainActions::CreateActions(QMainWindow& window) {
  for (const TActionEntry& entry : OrderedEntries()) {
    auto* action = new QAction(QString::fromUtf8(entry.Caption), &window);
    action->setObjectName(QString::fromUtf8(entry.Name));
    action->setProperty("category", QString::fromUtf8(entry.Category));
    action->setToolTip(ShortHint(entry.Hint));
    action->setStatusTip(LongHint(entry.Hint));
    if (entry.Glyph >= 0) action->setIcon(ActionIcon(static_cast<TActionGlyph>(entry.Glyph)));
    if (*entry.Shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(entry.Shortcut)));
    // A hidden command keeps its shortcut: it is added to the window itself, which runs it,
    // and left out of the menu and toolbar.
    if (!entry.Visible) window.addAction(action);
    FActions[entry.Name] = action;
  }
  FActions["ViewAnimate"]->setCheckable(true);
}

void TMainActions::BuildMenus(QMainWindow& window) {
  for (const TMenuEntry& entry : MenuEntries()) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(entry.Title));
    menu->menuAction()->setStatusTip(QString::fromUtf8(entry.Hint));
    FMenus[menu->title()] = menu;
    for (const char* item : entry.Items) {
      if (IsSeparator(item)) {
        menu->addSeparator();
        continue;
      }
      if (ActionTable().at(item).Visible) menu->addAction(FActions.at(item));
    }
  }
}

void TMainActions::BuildToolBar(QMainWindow& window, double scale) {
  FToolBar = window.addToolBar(QStringLiteral("ToolBar1"));
  FToolBar->setObjectName(QStringLiteral("ToolBar1"));
  FToolBar->setMovable(false);
  FToolBar->setFloatable(false);
  FToolBar->setFixedHeight(Scaled(kToolBarHeight, scale));
  FToolBar->setIconSize(QSize(16, 16));
  FToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const char* item : ToolBarItems()) {
    if (IsSeparator(item)) {
      auto* gap = new QFrame(FToolBar);
      gap->setFrameShape(QFrame::VLine);
      gap->setFrameShadow(QFrame::Sunken);
      gap->setFixedWidth(Scaled(kSeparatorWidth, scale));
      FToolBar->addWidget(gap);
      continue;
    }
    if (!ActionTable().at(item).Visible) continue;
    FToolBar->addAction(FActions.at(item));
    if (QWidget* button = FToolBar->widgetForAction(FActions.at(item)))
      button->setFixedWidth(Scaled(kButtonWidth, scale));
  }
}
