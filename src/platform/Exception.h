#pragma once

#include <stdexcept>
#include <string>

// Root of every error the system raises: an exception that carries its exact message text.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};
