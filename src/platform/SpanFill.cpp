#include "platform/SpanFill.h"

#include <algorithm>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TANKDEMO_X86 1
#endif

namespace {

void FillPlain(std::uint32_t* p, std::size_t n, std::uint32_t v) {
  std::fill(p, p + n, v);
}

#ifdef TANKDEMO_X86

// Pixels one by one up to the alignment, then aligned 16-byte stores, then the tail.
void FillSse2(std::uint32_t* p, std::size_t n, std::uint32_t v) {
  for (; n > 0 && (reinterpret_cast<std::uintptr_t>(p) & 15) != 0; --n) *p++ = v;
  const __m128i w = _mm_set1_epi32(static_cast<int>(v));
  for (; n >= 16; n -= 16, p += 16) {
    _mm_store_si128(reinterpret_cast<__m128i*>(p), w);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 4), w);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 8), w);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 12), w);
  }
  for (; n >= 4; n -= 4, p += 4) _mm_store_si128(reinterpret_cast<__m128i*>(p), w);
  for (; n > 0; --n) *p++ = v;
}

// Short runs (the most of a chart's polygon rows) gain nothing from the wider stores.
constexpr std::size_t kAvx2MinRun = 48;

__attribute__((target("avx2"))) void FillAvx2(std::uint32_t* p, std::size_t n, std::uint32_t v) {
  if (n < kAvx2MinRun) return FillSse2(p, n, v);
  // One unaligned store covers the head; the aligned ones start at the next 32 bytes.
  const __m256i w = _mm256_set1_epi32(static_cast<int>(v));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), w);
  const std::size_t head = (32 - (reinterpret_cast<std::uintptr_t>(p) & 31)) / 4;
  p += head;
  n -= head;
  for (; n >= 32; n -= 32, p += 32) {
    _mm256_store_si256(reinterpret_cast<__m256i*>(p), w);
    _mm256_store_si256(reinterpret_cast<__m256i*>(p + 8), w);
    _mm256_store_si256(reinterpret_cast<__m256i*>(p + 16), w);
    _mm256_store_si256(reinterpret_cast<__m256i*>(p + 24), w);
  }
  for (; n >= 8; n -= 8, p += 8) _mm256_store_si256(reinterpret_cast<__m256i*>(p), w);
  // The tail as one unaligned store ending at the last pixel (the run is long enough).
  if (n > 0) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + n - 8), w);
}

#endif

std::vector<TSpanFillKind> FindKinds() {
  std::vector<TSpanFillKind> kinds{{"plain", FillPlain}};
#ifdef TANKDEMO_X86
  kinds.push_back({"sse2", FillSse2});
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) kinds.push_back({"avx2", FillAvx2});
#endif
  return kinds;
}

const std::vector<TSpanFillKind>& Kinds() {
  static const std::vector<TSpanFillKind> kinds = FindKinds();
  return kinds;
}

}  // namespace

namespace {

// The first fill asks which kind to use: a fill made while other files' statics are still
// being set up finds the kind all the same.
void FillChoosing(std::uint32_t* p, std::size_t n, std::uint32_t v) {
  const TSpanFillFn chosen = Kinds().back().fill;
  gSpanFill.store(chosen, std::memory_order_relaxed);
  chosen(p, n, v);
}

}  // namespace

std::atomic<TSpanFillFn> gSpanFill{FillChoosing};

std::span<const TSpanFillKind> SpanFillKinds() {
  return Kinds();
}
