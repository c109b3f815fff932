#pragma once

#include <string>
#include <vector>

#include "platform/PlatformExport.h"

class TFileOps;

// An ordered list of 8-bit strings. Its text is every line followed by CR LF.
class LISTCHART_PLATFORM_API TStrings {
 public:
  virtual ~TStrings() = default;

  // Appends a line; returns its index.
  int Add(const std::string& line);
  // Removes every line.
  void Clear() { FLines.clear(); }
  // The number of lines.
  int Count() const { return static_cast<int>(FLines.size()); }
  // Raises EListError for an index outside the lines.
  const std::string& Strings(int index) const;
  // The line at index, as Strings.
  const std::string& operator[](int index) const { return Strings(index); }
  // Every line followed by CR LF.
  std::string Text() const;
  // Creates or replaces the file with Text(), atomically: on failure it raises, naming the
  // file, and an existing file keeps its bytes.
  void SaveToFile(const std::string& path, TFileOps* ops = nullptr) const;

 private:
  std::vector<std::string> FLines;
};

class LISTCHART_PLATFORM_API TStringList : public TStrings {};
