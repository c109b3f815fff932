#pragma once

#include <charconv>
#include <string>
#include <vector>

// Reads a whole decimal number within [low, high]; false for anything else.
inline bool ParseIntArg(const std::string& text, int& value, int low, int high) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= low && value <= high;
}

// A sort request "CAPTION[:up|:down]": the caption and whether it sorts down (up when no
// direction is given); false when no caption is left.
inline bool ParseSortArg(const std::string& text, std::string& caption, bool& down) {
  caption = text;
  down = false;
  const size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    const std::string direction = text.substr(colon + 1);
    if (direction == "up" || direction == "down") {
      down = direction == "down";
      caption = text.substr(0, colon);
    }
  }
  return !caption.empty();
}

// Walks a command line one argument at a time, handing out option values; every failure
// leaves a one-line reason in Error.
class TArgReader {
 public:
  explicit TArgReader(const std::vector<std::string>& args) : FArgs(args) {}

  bool Next() { return ++FIndex < FArgs.size(); }
  const std::string& Arg() const { return FArgs[FIndex]; }

  // The value after the current option; null when there is none.
  const std::string* Value() {
    if (FIndex + 1 >= FArgs.size()) {
      Error = Arg() + " needs a value";
      return nullptr;
    }
    return &FArgs[++FIndex];
  }

  // A whole-number value in [low, high].
  bool IntValue(int& value, int low, int high) {
    const std::string& option = Arg();
    const std::string* text = Value();
    if (!text) return false;
    if (ParseIntArg(*text, value, low, high)) return true;
    Error = option + " wants a whole number from " + std::to_string(low) + " to " +
            std::to_string(high) + ", not '" + *text + "'";
    return false;
  }

  std::string Error;

 private:
  const std::vector<std::string>& FArgs;
  size_t FIndex = static_cast<size_t>(-1);
};
