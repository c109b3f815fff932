#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "app/AboutBox.h"
#include "app/WindowDialogs.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void Prepare(QFileDialog& dialog, const TFileDialogRequest& request) {
  if (!request.InitialFolder.empty()) dialog.setDirectory(Q(request.InitialFolder));
  if (!request.FileName.empty()) dialog.selectFile(Q(request.FileName));
  dialog.setDefaultSuffix(Q(request.DefaultSuffix));
  QStringList filters;
  for (const std::string& filter : request.Filters) filters << Q(filter);
  dialog.setNameFilters(filters);
}

class TDesktopDialogs final : public TWindowDialogs {
 public:
  TDesktopDialogs(QWidget* window, double scale) : FWindow(window), FScale(scale) {}

  std::optional<TOpenChoice> ChooseFileToOpen(const TFileDialogRequest& request) override {
    QFileDialog dialog(FWindow);
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return TOpenChoice{dialog.selectedFiles().first().toStdString(), false};
  }

  std::optional<std::string> ChooseFileToSave(const TFileDialogRequest& request) override {
    QFileDialog dialog(FWindow);
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The window asks about replacing a file itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
  }

  TConfirmAnswer Confirm(const std::string& text) override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), Q(text),
                    QMessageBox::NoButton, FWindow);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes) return caYes;
    if (box.clickedButton() == no) return caNo;
    return caCancel;
  }

  void ShowError(const std::string& text) override {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), Q(text), QMessageBox::NoButton,
                    FWindow);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
  }

  void ShowAbout() override {
    TAboutBox about(FWindow, FScale);
    about.exec();
  }

 private:
  QWidget* FWindow;
  double FScale;
};

}  // namespace

std::unique_ptr<TWindowDialogs> CreateDesktopDialogs(QWidget* window, double scale) {
  return std::make_unique<TDesktopDialogs>(window, scale);
}
