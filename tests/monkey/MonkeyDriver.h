#pragma once

#include <QPoint>
#include <string>
#include <vector>

#include "MonkeyEvent.h"

class QWidget;
class TFMain;
class TScriptedDialogs;

// Feeds monkey events to the real main window through Qt's input path and checks, after
// each, that nothing the window shows or holds has gone wrong.
class TMonkeyDriver {
 public:
  // folder: a scratch folder for the files the commands write (the current directory too).
  TMonkeyDriver(TFMain& window, TScriptedDialogs& dialogs, std::string folder);

  void Apply(const TMonkeyEvent& event);
  // Compare the screen with a fresh paint after every event, not only after gestures.
  void SetEveryPicture(bool value) { FEveryPicture = value; }
  // Empty when every invariant holds, else what broke.
  std::string CheckInvariants(const TMonkeyEvent& event);
  // What the run reached, for the closing line: how often the tree's focus moved, the
  // chart was zoomed, a column was sorted, a picture was compared.
  std::string Summary() const;
  // Errors that escaped a handler to the window's error box since the last check.
  std::vector<std::string>& HandlerErrors() { return FHandlerErrors; }

 private:
  struct TPlace {
    QWidget* Target;
    QPoint Point;
  };
  TPlace PlaceFor(const TMonkeyEvent& event) const;
  TPlace TreePlace(const TMonkeyEvent& event) const;
  TPlace ChartPlace(const TMonkeyEvent& event) const;
  void Move(const TPlace& place, Qt::MouseButtons held);
  void Drag(const TMonkeyEvent& event);
  void Wheel(const TMonkeyEvent& event);
  void Key(const TMonkeyEvent& event);
  void Resize(const TMonkeyEvent& event);
  void FileCommand(const TMonkeyEvent& event);
  std::string TreeFault() const;
  std::string ChartFault() const;
  std::string PlantFault() const;
  std::string PictureFault() const;

  TFMain& FWindow;
  TScriptedDialogs& FDialogs;
  std::string FFolder;
  std::vector<std::string> FHandlerErrors;
  bool FTicked = false;
  bool FEveryPicture = false;
  int FFocusMoves = 0, FZoomedChecks = 0, FSortedChecks = 0, FPictureChecks = 0;
  const void* FLastFocus = nullptr;
};
