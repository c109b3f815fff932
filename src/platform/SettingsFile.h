#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/PlatformExport.h"

// Named values in named sections, kept in a file between runs of the program.
class LISTCHART_PLATFORM_API TSettingsFile {
 public:
  virtual ~TSettingsFile() = default;
  // The value stored under section and key; none when nothing is. Raises Exception naming
  // the file when it exists but cannot be read.
  virtual std::optional<std::string> Read(const std::string& section,
                                          const std::string& key) const = 0;
  // Stores a value under section and key; Flush writes it out.
  virtual void Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  // Writes what changed to the file; raises Exception naming the file when it cannot.
  virtual void Flush() = 0;
};

// The user's configuration folder, where programs keep their settings files.
LISTCHART_PLATFORM_API std::string UserConfigFolder();

// Opens (or, on the first Flush, creates) the INI file of this name in the user's configuration
// folder; a name with a slash is taken as a path.
LISTCHART_PLATFORM_API std::unique_ptr<TSettingsFile> OpenUserSettings(const std::string& name);
