#pragma once

// Runs of 32-bit pixels set to one value: the inner loop of every solid fill. The stores are
// explicit vector stores, so the speed does not hang on the compiler's flags; the widest kind
// the processor has is chosen once, at start.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

using TSpanFillFn = void (*)(std::uint32_t* pixels, std::size_t count, std::uint32_t value);

// The kind chosen at the first fill.
extern std::atomic<TSpanFillFn> gSpanFill;

// Sets pixels[0..count) to value. Runs of a few pixels (text, dots, thin strokes) stay
// inline; longer ones go to the chosen kind.
inline void FillSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t value) {
  if (count <= 4) {
    for (std::size_t i = 0; i < count; ++i) pixels[i] = value;
    return;
  }
  gSpanFill.load(std::memory_order_relaxed)(pixels, count, value);
}

struct TSpanFillKind {
  const char* name;
  TSpanFillFn fill;
};
// Every kind this processor can run, the plain loop first; the last is the one in use.
std::span<const TSpanFillKind> SpanFillKinds();

// Sets every step-th pixel of pixels[0..count) to value, starting with the first: the dots
// of a dotted pen along a row.
inline void FillStrided(std::uint32_t* pixels, std::size_t count, std::size_t step,
                        std::uint32_t value) {
  for (std::size_t i = 0; i < count; i += step) pixels[i] = value;
}
