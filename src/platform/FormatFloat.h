#pragma once

#include <string>

#include "platform/PlatformExport.h"

// Formats a number with a picture such as "#,##0.###": "0" is a digit always shown, "#" a
// digit shown when significant, "." the decimal point, "," anywhere in the integer part
// turns on grouping by thousands. Up to three sections separated by ";" serve positive,
// negative and zero values; text in single or double quotes, and any other character, is
// copied as it stands. Always "." and "," whatever the locale; halves round away from zero
// on the decimal digits, so 0.125 with two places gives 0.13.
LISTCHART_PLATFORM_API std::string FormatFloat(const std::string& format, double value);
