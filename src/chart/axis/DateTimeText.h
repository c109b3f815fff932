#pragma once

#include <ctime>
#include <string>

#include "chart/ChartExport.h"

// Date-time values count days since 1899-12-30, the fraction being the time of day; they
// run to the last day of the year 9999.
constexpr double kLastDateTime = 2958465.0;

// The calendar parts of a date-time (UTC); false for NaN and values outside 0..year 9999.
LISTCHART_CHART_API bool DateTimeParts(double value, std::tm& parts);
// The date-time of midnight starting a calendar day (month 1..12; months past 12 run on).
LISTCHART_CHART_API double DateTimeOfDay(int year, int month, int day);
// The value as a short date, a time of day, or both; empty outside 0..year 9999.
LISTCHART_CHART_API std::string DateTimeText(double value, bool withDate, bool withTime);
inline std::string DateTimeText(double value, bool withDate) {
  return DateTimeText(value, withDate, !withDate);
}
// The value in a pattern of yyyy, yy, mm, dd, hh, nn (minutes) and ss; other characters stand
// as they are. Empty outside 0..year 9999.
LISTCHART_CHART_API std::string FormatDateTime(const std::string& pattern, double value);
