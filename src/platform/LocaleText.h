#pragma once

#include <string>

#include "platform/PlatformExport.h"

// Locale-aware text services for the case-insensitive and locale sort options. Strings are
// UTF-8; invalid bytes are taken as replacement characters.
LISTCHART_PLATFORM_API std::string AnsiUpperCase(const std::string& s);
// The same in lower case.
LISTCHART_PLATFORM_API std::string AnsiLowerCase(const std::string& s);
// < 0, 0 or > 0 by the user's locale, case and all.
LISTCHART_PLATFORM_API int AnsiCompareStr(const std::string& a, const std::string& b);
// The same, ignoring case.
LISTCHART_PLATFORM_API int AnsiCompareText(const std::string& a, const std::string& b);
// How many characters the text shows: its code points, each invalid byte one.
LISTCHART_PLATFORM_API int CharacterCount(const std::string& s);
