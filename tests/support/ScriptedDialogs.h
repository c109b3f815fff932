#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/WindowDialogs.h"

// Dialogs answered from a script: each question takes the next queued answer (a cancel when
// none is queued) and is written down, so a test sees what the window asked.
class TScriptedDialogs final : public TWindowDialogs {
 public:
  std::deque<std::optional<TOpenChoice>> OpenAnswers;
  std::deque<std::optional<std::string>> SaveAnswers;
  std::deque<TConfirmAnswer> ConfirmAnswers;

  std::vector<TFileDialogRequest> OpenRequests, SaveRequests;
  std::vector<std::string> Confirmations, Errors;
  int AboutShown = 0;

  std::optional<TOpenChoice> ChooseFileToOpen(const TFileDialogRequest& request) override {
    OpenRequests.push_back(request);
    return Next(OpenAnswers, std::optional<TOpenChoice>());
  }
  std::optional<std::string> ChooseFileToSave(const TFileDialogRequest& request) override {
    SaveRequests.push_back(request);
    return Next(SaveAnswers, std::optional<std::string>());
  }
  TConfirmAnswer Confirm(const std::string& text) override {
    Confirmations.push_back(text);
    return Next(ConfirmAnswers, caCancel);
  }
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  void ShowAbout() override { ++AboutShown; }

 private:
  template <typename T>
  static T Next(std::deque<T>& answers, T none) {
    if (answers.empty()) return none;
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};
