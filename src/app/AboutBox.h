#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

// The about box's memo, line by line.
const std::vector<std::string>& AboutLines();

// "About": a fixed dialog with the program's description in a read-only memo and one default
// OK button below it. Sizes are given at 120 pixels per inch and scaled by `scale`; the box
// grows where the desktop's font needs more room to show every line.
class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* parent = nullptr, double scale = 1.0);

  QPlainTextEdit* Memo() const { return FMemo; }
  QPushButton* OkButton() const { return FOk; }

 private:
  QSize MemoSizeForText() const;

  QPlainTextEdit* FMemo;
  QPushButton* FOk;
};
