#pragma once

#include <string>

// Text measurement and widgets need a Qt application; tests that draw text or make widgets call
// this first. It makes one (on the platform the environment names) the first time and keeps it.
void EnsureGuiApplication();

// Locale-aware comparison and case follow the named locale (say "en_US") while this lives; the
// C locale that tests run in compares bytes.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name);
  ~ScopedLocale();
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::string previous_;
};
