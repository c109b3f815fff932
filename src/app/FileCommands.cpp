#include "app/FileCommands.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/Shell.h"
#include "treelist/TreeList.h"

namespace {

// The export is tab-separated text: it is named and filtered as text.
const char* const kDefaultSuffix = "txt";
const char* const kTextFilter = "Text files (*.txt)";
const char* const kAllFilter = "All files (*)";

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(path), error);
}

}  // namespace

std::string OverwriteQuestion(const std::string& fileName) {
  std::string text = kOverwriteQuestion;
  return text.replace(text.find("%s"), 2, fileName);
}

TFileCommands::TFileCommands(TTreeList& tree, TWindowDialogs& dialogs)
    : FTree(tree), FDialogs(dialogs) {
  FMail.OnFailure = [this](const std::string&) { FDialogs.ShowError(kMailError); };
}

TFileDialogRequest TFileCommands::DialogRequest(const std::string& folder,
                                                const std::string& name) const {
  return TFileDialogRequest{folder, name, kDefaultSuffix, {kTextFilter, kAllFilter}};
}

void TFileCommands::New() {
  FSaveFolder = DocumentsFolder();
  FFileName = kUntitled;
  FNameFromOpen = false;
  FBuffer.Clear();
}

void TFileCommands::Open() {
  const auto choice = FDialogs.ChooseFileToOpen(DialogRequest(std::string(), std::string()));
  if (!choice) return;
  try {
    FBuffer.LoadFromFile(choice->FileName);
  } catch (const std::exception& e) {
    FDialogs.ShowError(e.what());
    return;
  }
  FFileName = choice->FileName;
  FNameFromOpen = true;
  FBuffer.SetModified(false);
  FBuffer.SetReadOnly(choice->ReadOnly);
}

void TFileCommands::Save() {
  if (FFileName.empty() || FFileName == kUntitled) {
    SaveAs();
    return;
  }
  // An opened file holds the user's own text: replacing it with the export needs a yes.
  if (FNameFromOpen && !MayReplace(FFileName)) return;
  if (!WriteExport(FFileName)) return;
  FNameFromOpen = false;
  FBuffer.SetModified(false);
}

void TFileCommands::SaveAs() {
  const auto chosen = FDialogs.ChooseFileToSave(DialogRequest(FSaveFolder, FFileName));
  if (!chosen || chosen->empty()) return;
  if (FileExists(*chosen) && !MayReplace(*chosen)) return;
  if (!WriteExport(*chosen)) return;
  FFileName = *chosen;
  FNameFromOpen = false;
  FBuffer.SetModified(false);
}

void TFileCommands::Send() {
  if (!WriteExport(kSendFileName)) return;
  try {
    FBuffer.LoadFromFile(kSendFileName);
  } catch (const std::exception& e) {
    FDialogs.ShowError(e.what());
    return;
  }
  // The window goes on while the mail program runs; a failure is reported when it comes.
  FMail.Start(FBuffer.Text(), FMailProgram);
}

bool TFileCommands::MayReplace(const std::string& fileName) {
  return FDialogs.Confirm(OverwriteQuestion(fileName)) == caYes;
}

bool TFileCommands::WriteExport(const std::string& fileName) {
  try {
    FTree.SaveToTextFile(fileName);
    return true;
  } catch (const std::exception& e) {
    FDialogs.ShowError(e.what());
    return false;
  }
}
