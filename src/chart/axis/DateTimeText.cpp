#include "chart/axis/DateTimeText.h"

#include <cmath>
#include <cstdio>

namespace {

// Days from 1970-01-01 to 1899-12-30, the date-time epoch.
constexpr double kUnixEpochDay = 25569.0;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

bool DateTimeParts(double value, std::tm& parts) {
  if (!(value >= 0 && value <= kLastDateTime + 1)) return false;
  const double days = std::floor(value);
  const std::time_t seconds = static_cast<std::time_t>((days - kUnixEpochDay) * 86400.0 +
                                                       std::round((value - days) * 86400.0));
  parts = {};
  return gmtime_r(&seconds, &parts) != nullptr;
}

double DateTimeOfDay(int year, int month, int day) {
  const long long months = static_cast<long long>(year) * 12 + (month - 1);
  const long long y = months >= 0 ? months / 12 : (months - 11) / 12;
  const unsigned m = static_cast<unsigned>(months - y * 12) + 1;
  return static_cast<double>(DaysFromCivil(y, m, static_cast<unsigned>(day))) + kUnixEpochDay;
}

std::string DateTimeText(double value, bool withDate, bool withTime) {
  std::tm parts;
  if (!(value <= kLastDateTime) || !DateTimeParts(value, parts)) return {};
  const char* pattern = !withTime ? "%Y-%m-%d" : withDate ? "%Y-%m-%d %H:%M:%S" : "%H:%M:%S";
  char buffer[32];
  std::strftime(buffer, sizeof buffer, pattern, &parts);
  return buffer;
}

std::string FormatDateTime(const std::string& pattern, double value) {
  std::tm parts;
  if (!(value <= kLastDateTime) || !DateTimeParts(value, parts)) return {};
  struct TToken {
    const char* text;
    int value;
    int digits;
  } const tokens[] = {{"yyyy", parts.tm_year + 1900, 4},
                      {"yy", (parts.tm_year + 1900) % 100, 2},
                      {"mm", parts.tm_mon + 1, 2},
                      {"dd", parts.tm_mday, 2},
                      {"hh", parts.tm_hour, 2},
                      {"nn", parts.tm_min, 2},
                      {"ss", parts.tm_sec, 2}};
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    const TToken* match = nullptr;
    for (const TToken& token : tokens)
      if (pattern.compare(i, std::char_traits<char>::length(token.text), token.text) == 0) {
        match = &token;
        break;
      }
    if (!match) {
      out += pattern[i++];
      continue;
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", match->digits, match->value);
    out += digits;
    i += std::char_traits<char>::length(match->text);
  }
  return out;
}
