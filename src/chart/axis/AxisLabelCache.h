#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The label texts an axis made last, kept while everything that changes them stays: a frame
// that changes nothing on the axis formats no label.
class TAxisLabelCache {
 public:
  // What the texts hang on besides the value.
  struct TKey {
    double rangeMin = 0;         ///< The low end of the range shown.
    double rangeMax = 0;         ///< The high end of the range shown.
    double rangeSpan = 0;        ///< The span the labels are chosen for.
    double step = 0;             ///< The step between labels.
    bool dateTime = false;       ///< Whether the labels read as dates and times.
    bool logarithmic = false;    ///< Whether the axis is logarithmic.
    std::string valuesFormat;    ///< The format of number labels.
    std::string dateTimeFormat;  ///< The format of date-time labels.
    /// Keys are equal when every part is.
    friend bool operator==(const TKey&, const TKey&) = default;
  };

  // The text of value under key; make(value) on a miss. Values match by their bits, so that
  // -0 keeps a text of its own.
  template <typename Make>
  const std::string& Text(const TKey& key, double value, Make make) {
    TTexts& texts = TextsOf(key);
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (const auto& [b, text] : texts.texts)
      if (b == bits) return text;
    // An axis shows a few dozen labels; past that the texts are made afresh.
    if (texts.texts.size() >= kMaxTexts) texts.texts.clear();
    ++FMade;
    texts.texts.emplace_back(bits, make(value));
    return texts.texts.back().second;
  }
  // How many texts were made since the axis was.
  long Made() const { return FMade; }

 private:
  static constexpr size_t kMaxTexts = 256;
  // A frame asks under more than one key (the layout measures the ends of a range it is
  // still settling, the paint draws the labels of the final one): a few sets are kept.
  static constexpr size_t kKeys = 4;
  struct TTexts {
    TKey key;
    std::vector<std::pair<std::uint64_t, std::string>> texts;
  };
  TTexts& TextsOf(const TKey& key) {
    for (TTexts& set : FSets)
      if (set.key == key) return set;
    if (FSets.size() < kKeys) {
      FSets.push_back({key, {}});
      return FSets.back();
    }
    TTexts& oldest = FSets[FNext];
    FNext = (FNext + 1) % kKeys;
    oldest.key = key;
    oldest.texts.clear();
    return oldest;
  }
  std::vector<TTexts> FSets;
  size_t FNext = 0;
  long FMade = 0;
};
