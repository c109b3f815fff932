#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/MainWindow.h"
#include "platform/Color.h"
#include "support/GuiApp.h"

namespace {

using TAnswer = std::function<void(QDialog*)>;

// Answers the desktop's real dialogs as a user would, from the event loop they run: each
// modal dialog that opens takes the next answer, and its caption and text are written down.
class TDialogAnswerer {
 public:
  std::deque<TAnswer> Answers;
  QStringList Captions, Texts;

  TDialogAnswerer() {
    FTimer.setInterval(5);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Answer(); });
    FTimer.start();
  }

 private:
  void Answer() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog->property("answered").toBool() || !dialog->isVisible()) return;
    dialog->setProperty("answered", true);
    Captions << dialog->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) Texts << box->text();
    if (Answers.empty()) {
      ADD_FAILURE() << "unexpected dialog " << dialog->windowTitle().toStdString();
      dialog->reject();
      return;
    }
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    answer(dialog);
  }

  QTimer FTimer;
};

TAnswer Press(const QString& caption) {
  return [caption](QDialog* dialog) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
      if (button->text() == caption && button->isVisible()) return button->click();
    ADD_FAILURE() << "no button " << caption.toStdString();
    dialog->reject();
  };
}

TAnswer Choose(const std::string& fileName) {
  return [fileName](QDialog* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    files->selectFile(QString::fromStdString(fileName));
    auto* buttons = files->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(QDialogButtonBox::Save)->click();
  };
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

// The window with the desktop's own file dialogs and message boxes, answered by pressing their
// buttons: "No" and "Cancel" to the overwrite question never write.
TEST(DesktopDialogsTest, SaveAsAnswersFromTheRealDialogs) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  QTemporaryDir dir;
  const std::string existing = dir.filePath("existing.txt").toStdString();
  std::ofstream(existing) << "keep me";
  TFMain window(nullptr, 1.0);
  window.show();
  TDialogAnswerer answerer;

  for (const char* refusal : {"&No", "Cancel"}) {
    answerer.Answers = {Choose(existing), Press(refusal)};
    window.FileSaveAs1Execute();
    EXPECT_EQ(ReadFile(existing), "keep me") << refusal;
    EXPECT_EQ(window.FileCommands().FileName(), "") << refusal;
  }
  ASSERT_EQ(answerer.Captions.size(), 4);
  EXPECT_EQ(answerer.Captions[1], "Confirm");
  EXPECT_EQ(answerer.Captions[3], "Confirm");
  EXPECT_EQ(answerer.Texts.front(), QString::fromStdString("OK to overwrite " + existing));

  answerer.Answers = {Choose(existing), Press("&Yes")};
  window.FileSaveAs1Execute();
  EXPECT_NE(ReadFile(existing), "keep me");
  EXPECT_EQ(window.FileCommands().FileName(), existing);

  // A cancelled file dialog; then a name that cannot be written, reported in "Error".
  answerer.Answers = {[](QDialog* d) { d->reject(); }};
  window.FileSaveAs1Execute();
  const std::string missing = dir.filePath("no-such-folder/out.txt").toStdString();
  answerer.Answers = {Choose(missing), Press("OK")};
  window.FileSaveAs1Execute();
  EXPECT_EQ(answerer.Captions.back(), "Error");
  EXPECT_TRUE(answerer.Texts.back().contains(QString::fromStdString(missing)));
  EXPECT_EQ(window.FileCommands().FileName(), existing);
  EXPECT_TRUE(answerer.Answers.empty());
}
