#pragma once

#include <string>

#include "platform/Exception.h"

// The message of the error a call raises, or "(no error)": lets a test compare exact texts.
std::string ErrorOf(const auto& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no error)";
}
