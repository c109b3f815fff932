#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/DemoData.h"
#include "app/FileCommands.h"
#include "app/MainActions.h"
#include "app/Site.h"
#include "app/WindowDialogs.h"
#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"
#include "platform/Clipboard.h"
#include "treelist/TreeList.h"

class QFrame;
class QSplitter;
class QTimer;

// Names the program to the desktop. Sets no display name: the platform would append it to
// every window's caption ("About — ...").
void ConfigureApplication();

// The size of the window's stored layout on this screen: the layout is given at 120 pixels
// per inch.
double LayoutScaleFor(const QWidget* widget);

// The main window: the plant shown as a tree-list above a stacked bar chart, with the
// simulation timer, the commands and the status bar. It owns the plant, both controls and
// the series it creates; the set-up and refresh work is done by TankTree and TankChart.
class TFMain : public QMainWindow {
 public:
  // dialogs answers the file commands' questions (the desktop's when null); scale is the
  // layout scale (taken from the screen when 0).
  explicit TFMain(std::unique_ptr<TWindowDialogs> dialogs = nullptr, double scale = 0);
  ~TFMain() override;

  TTreeList& Tree() { return FTree; }
  TChart& Chart() { return FChart; }
  const TSiteList* SiteList() const { return FSiteList.get(); }
  QTimer& Timer1() { return *FTimer; }
  const TMainActions& Actions() const { return *FActions; }
  QWidget* TreeHost() const { return FTreeHost; }
  QWidget* ChartHost() const { return FChartHost; }
  QSplitter* Splitter() const { return FSplitter; }
  double LayoutScale() const { return FScale; }
  TFileCommands& FileCommands() { return *FFileCommands; }
  std::string StatusText() const;

  // The window's handlers.
  void FormShow();
  void FormDestroy();
  void Timer1Timer();
  void ViewExpandExecute();
  void ViewAnimateExecute();
  void Chart1MouseMove();
  void Chart1Click();
  void EditCopyExecute();
  void SetStatusText(const std::string& text);

  // The file and help commands.
  void FileNew1Execute();
  void FileOpen1Execute();
  void FileSave1Execute();
  void FileSaveAs1Execute();
  void FileSend1Execute();
  void FileExit1Execute();
  void HelpAbout1Execute();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildClientArea();
  void ConnectActions();
  void ConnectControls();
  void SizeToLayout();
  void UpdateCopyEnabled();
  void InitSites();
  int SiteIndexUnderCursor();

  double FScale;
  std::unique_ptr<TWindowDialogs> FDialogs;
  std::unique_ptr<TSiteList> FSiteList;
  TDemoRandom FRandom;
  TTreeList FTree;
  TSeriesOwner FSeriesOwner;
  TChart FChart;
  std::unique_ptr<TFileCommands> FFileCommands;
  TSystemClipboard FClipboard;
  std::unique_ptr<TMainActions> FActions;
  QTimer* FTimer = nullptr;
  QWidget* FTreeHost = nullptr;
  QFrame* FTreeFrame = nullptr;
  QWidget* FChartPanel = nullptr;
  QWidget* FChartHost = nullptr;
  QSplitter* FSplitter = nullptr;
  bool FShown = false;
};
