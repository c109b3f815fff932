#pragma once

#include <stdexcept>
#include <string>

#include "platform/PlatformExport.h"

// Root of every error the system raises: an exception that carries its exact message text.
class LISTCHART_PLATFORM_API Exception : public std::runtime_error {
 public:
  // An error with the given message.
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  // The message text.
  std::string Message() const { return what(); }
};

// A list addressed by an index outside its items.
class LISTCHART_PLATFORM_API EListError : public Exception {
 public:
  // An error with the given message.
  using Exception::Exception;
};

// Raises EListError with the platform's list-index message for the given index.
[[noreturn]] LISTCHART_PLATFORM_API void ListIndexError(int index);
