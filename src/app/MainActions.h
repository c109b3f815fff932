#pragma once

#include <QString>
#include <map>
#include <string>

#include "app/ActionGlyphs.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// One command of the main window as its action list stores it. The hint is "short|long": the
// short part is the tooltip, the long part goes to the status bar.
struct TActionEntry {
  const char* Name;
  const char* Category;
  const char* Caption;
  const char* Hint;
  int Glyph;  // a TActionGlyph, or -1 for none
  const char* Shortcut;
  bool Visible;  // shown in the menu and on the toolbar
};

// The window's commands in their stored order.
const std::map<std::string, TActionEntry>& ActionTable();

// The part of a hint before the bar, and the part after it (the whole hint when it has none).
QString ShortHint(const char* hint);
QString LongHint(const char* hint);

// The window's actions by name, with the menu bar and toolbar built from them.
class TMainActions {
 public:
  // Creates every action as a child of window, the File, Edit and Help menus and the toolbar
  // (button sizes at 120 pixels per inch scaled by scale).
  TMainActions(QMainWindow& window, double scale);

  QAction* operator[](const std::string& name) const;
  QToolBar* ToolBar() const { return FToolBar; }
  QMenu* Menu(const QString& title) const;

 private:
  void CreateActions(QMainWindow& window);
  void BuildMenus(QMainWindow& window);
  void BuildToolBar(QMainWindow& window, double scale);

  std::map<std::string, QAction*> FActions;
  std::map<QString, QMenu*> FMenus;
  QToolBar* FToolBar = nullptr;
};
