#include "platform/FormatFloat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct TPicture {
  std::string Prefix, Suffix;  // literal text around the number
  int MinIntDigits = 0;
  int MaxDecimals = 0;
  int MinDecimals = 0;
  bool Thousands = false;
  bool HasPlaceholder = false;
};

std::vector<std::string> SplitSections(const std::string& format) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

TPicture ParsePicture(const std::string& section) {
  TPicture picture;
  bool inFraction = false, seenPlaceholder = false;
  char quote = 0;
  for (char c : section) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        (seenPlaceholder ? picture.Suffix : picture.Prefix) += c;
      continue;
    }
    switch (c) {
      case '\'':
      case '"':
        quote = c;
        break;
      case '0':
      case '#':
        seenPlaceholder = true;
        picture.Suffix.clear();  // literals between placeholders are dropped
        if (inFraction) {
          ++picture.MaxDecimals;
          if (c == '0') picture.MinDecimals = picture.MaxDecimals;
        } else if (c == '0') {
          ++picture.MinIntDigits;
        }
        break;
      case '.':
        if (!inFraction) {
          inFraction = true;
          seenPlaceholder = true;
          picture.Suffix.clear();
          break;
        }
        [[fallthrough]];
      case ',':
        if (c == ',' && !inFraction) {
          picture.Thousands = true;
          break;
        }
        [[fallthrough]];
      default:
        (seenPlaceholder ? picture.Suffix : picture.Prefix) += c;
    }
  }
  picture.HasPlaceholder = seenPlaceholder;
  return picture;
}

// The decimal digits of |value| rounded half away from zero to `decimals` places: the
// integer digits (no leading zeros, possibly empty) and exactly `decimals` fraction digits.
void RoundedDigits(double value, int decimals, std::string& intDigits, std::string& fracDigits) {
  // Fifteen significant digits: the decimal value a person typed, without the binary noise
  // that more digits would show (1.0005 stays 1.0005 and rounds up).
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  std::string mantissa;
  for (const char* p = buffer; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') mantissa += *p;
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  // Digit k of the mantissa has weight 10^(exponent - k). Keep those down to 10^-decimals.
  const int keep = exponent + 1 + decimals;
  std::string digits;
  if (keep <= 0) {
    digits.assign(1, keep == 0 && mantissa[0] >= '5' ? '1' : '0');
  } else {
    digits = mantissa.substr(0, std::min<size_t>(static_cast<size_t>(keep), mantissa.size()));
    digits.append(static_cast<size_t>(keep) - digits.size(), '0');
    if (static_cast<size_t>(keep) < mantissa.size() && mantissa[static_cast<size_t>(keep)] >= '5') {
      int i = static_cast<int>(digits.size()) - 1;
      while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
        digits[static_cast<size_t>(i--)] = '0';
      if (i < 0)
        digits.insert(digits.begin(), '1');
      else
        ++digits[static_cast<size_t>(i)];
    }
  }
  // digits now holds the value times 10^decimals as an integer.
  if (static_cast<int>(digits.size()) <= decimals)
    digits.insert(0, static_cast<size_t>(decimals + 1) - digits.size(), '0');
  intDigits = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
  fracDigits = digits.substr(digits.size() - static_cast<size_t>(decimals));
  const size_t firstNonZero = intDigits.find_first_not_of('0');
  intDigits = firstNonZero == std::string::npos ? "" : intDigits.substr(firstNonZero);
}

std::string GroupThousands(const std::string& digits) {
  std::string result;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result;
}

}  // namespace

std::string FormatFloat(const std::string& format, double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";

  const std::vector<std::string> sections = SplitSections(format);
  std::string section = sections[0];
  bool negativeSection = false;
  if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    negativeSection = true;
  }
  TPicture picture = ParsePicture(section);
  if (!picture.HasPlaceholder && format.empty()) {
    picture = ParsePicture("0.###############");
  }

  std::string intDigits, fracDigits;
  RoundedDigits(value, picture.MaxDecimals, intDigits, fracDigits);
  const bool roundsToZero =
      intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;
  if (roundsToZero && sections.size() > 2 && !sections[2].empty()) {
    picture = ParsePicture(sections[2]);
    RoundedDigits(0, picture.MaxDecimals, intDigits, fracDigits);
    negativeSection = true;  // the zero section carries its own sign, none
  }
  if (!picture.HasPlaceholder) return picture.Prefix + picture.Suffix;

  if (static_cast<int>(intDigits.size()) < picture.MinIntDigits)
    intDigits.insert(0, static_cast<size_t>(picture.MinIntDigits) - intDigits.size(), '0');
  while (static_cast<int>(fracDigits.size()) > picture.MinDecimals && !fracDigits.empty() &&
         fracDigits.back() == '0')
    fracDigits.pop_back();

  std::string number = picture.Thousands ? GroupThousands(intDigits) : intDigits;
  if (!fracDigits.empty()) number += "." + fracDigits;
  if (number.empty()) number.assign(1, '0');
  const bool minus = value < 0 && !negativeSection && !roundsToZero;
  return (minus ? "-" : "") + picture.Prefix + number + picture.Suffix;
}
