#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "platform/Color.h"

// Reads the arguments of fuzzed operations from the input bytes. Past the end every read
// gives zero. Numbers come mostly from a table of values at the edges (zero, one, negative,
// NaN, infinities, the integer limits, huge), sometimes from the raw bytes, so that short
// inputs already reach the boundaries.
class TFuzzBytes {
 public:
  TFuzzBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Bool() { return Byte() & 1; }
  // An index below count (count above 0).
  size_t Index(size_t count) { return Byte() % count; }

  int Int() {
    static constexpr int kEdges[] = {0,
                                     1,
                                     -1,
                                     2,
                                     3,
                                     5,
                                     10,
                                     100,
                                     359,
                                     360,
                                     1000,
                                     100000,
                                     std::numeric_limits<int>::max(),
                                     std::numeric_limits<int>::min()};
    const uint8_t pick = Byte();
    if (pick < 200) return kEdges[pick % std::size(kEdges)];
    if (pick < 240) return pick - 220;
    int value = 0;
    for (int i = 0; i < 4; ++i)
      value = static_cast<int>(static_cast<unsigned>(value) << 8 | Byte());
    return value;
  }

  double Double() {
    static constexpr double kEdges[] = {0,
                                        1,
                                        -1,
                                        0.5,
                                        2,
                                        10,
                                        100,
                                        1e-300,
                                        -1e-300,
                                        1e15,
                                        -1e15,
                                        1e300,
                                        -1e300,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::max(),
                                        std::numeric_limits<double>::lowest(),
                                        std::numeric_limits<double>::denorm_min()};
    const uint8_t pick = Byte();
    if (pick < 160) return kEdges[pick % std::size(kEdges)];
    if (pick < 240) return pick - 200;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  TColor Color() {
    static constexpr TColor kColors[] = {clDefault, clNone, clRed, clWhite, clBlack, clBtnFace};
    const uint8_t pick = Byte();
    return pick < 200 ? kColors[pick % std::size(kColors)] : static_cast<TColor>(Int());
  }

  std::string Text() {
    const size_t length = Byte() % 8;
    std::string text;
    for (size_t i = 0; i < length && !Empty(); ++i) text += static_cast<char>(Byte());
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};
