#pragma once

#include <string>

// Locale-aware text services for the case-insensitive and locale sort options. Strings are
// UTF-8; invalid bytes are taken as replacement characters.
std::string AnsiUpperCase(const std::string& s);
// < 0, 0 or > 0 by the user's locale, case and all.
int AnsiCompareStr(const std::string& a, const std::string& b);
// The same, ignoring case.
int AnsiCompareText(const std::string& a, const std::string& b);
