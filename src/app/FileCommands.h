#pragma once

#include <string>

#include "app/MailWatch.h"
#include "app/TextBuffer.h"
#include "app/WindowDialogs.h"

class TTreeList;

// The window's messages.
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kOverwriteQuestion = "OK to overwrite %s";
inline constexpr const char* kMailError = "Error sending mail";
// The file Send writes the export to, in the current directory.
inline constexpr const char* kSendFileName = "tankdemo.txt";

// "OK to overwrite %s" with the name in place of %s.
std::string OverwriteQuestion(const std::string& fileName);

// New, Open, Save, Save As and Send: the tree's text export written to files the user names
// or handed to the mail client, with the current file name and the hidden text buffer.
// Every question goes through dialogs; every write replaces its file atomically, so a failed
// write leaves the old file as it was.
class TFileCommands {
 public:
  TFileCommands(TTreeList& tree, TWindowDialogs& dialogs);

  const std::string& FileName() const { return FFileName; }
  const TTextBuffer& Buffer() const { return FBuffer; }
  // The folder the save dialog opens in (set by New).
  const std::string& SaveFolder() const { return FSaveFolder; }
  // The mail program (xdg-email, found on the PATH, unless a test names another).
  void SetMailProgram(const std::string& program) { FMailProgram = program; }
  // The hand-offs of Send: "Error sending mail" follows a failure within their short wait.
  TMailWatch& Mail() { return FMail; }

  void New();
  void Open();
  void Save();
  void SaveAs();
  void Send();

 private:
  TFileDialogRequest DialogRequest(const std::string& folder, const std::string& name) const;
  bool MayReplace(const std::string& fileName);
  bool WriteExport(const std::string& fileName);

  TTreeList& FTree;
  TWindowDialogs& FDialogs;
  std::string FFileName;
  // The current name came from Open: that file is the user's, not an export of ours.
  bool FNameFromOpen = false;
  std::string FSaveFolder;
  std::string FMailProgram = "xdg-email";
  TTextBuffer FBuffer;
  TMailWatch FMail;
};
