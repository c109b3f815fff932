#pragma once

#include <charconv>
#include <string>

// Reads a whole decimal number within [low, high]; false for anything else.
inline bool ParseIntArg(const std::string& text, int& value, int low, int high) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= low && value <= high;
}
