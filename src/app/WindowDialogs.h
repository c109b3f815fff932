#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// What a file dialog is opened with.
struct TFileDialogRequest {
  std::string InitialFolder;  // empty: the dialog's own choice
  std::string FileName;       // preset in the name field
  std::string DefaultSuffix;  // added to a typed name without one
  std::vector<std::string> Filters;
};

// What the user chose in the open dialog.
struct TOpenChoice {
  std::string FileName;
  bool ReadOnly = false;
};

enum TConfirmAnswer { caYes, caNo, caCancel };

// The window's dialogs and message boxes. The program shows the desktop's; tests answer
// them from a script.
class TWindowDialogs {
 public:
  virtual ~TWindowDialogs() = default;
  // Empty when the user cancels.
  virtual std::optional<TOpenChoice> ChooseFileToOpen(const TFileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const TFileDialogRequest& request) = 0;
  // "Confirm" with a question icon and the buttons Yes, No and Cancel.
  virtual TConfirmAnswer Confirm(const std::string& text) = 0;
  // "Error" with an error icon and an OK button.
  virtual void ShowError(const std::string& text) = 0;
  // The about box, modally.
  virtual void ShowAbout() = 0;
};

// The desktop's dialogs, owned by window; sizes at 120 pixels per inch scaled by scale.
std::unique_ptr<TWindowDialogs> CreateDesktopDialogs(QWidget* window, double scale);
