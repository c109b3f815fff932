#include "platform/StringList.h"

#include "platform/AtomicFile.h"
#include "platform/Exception.h"

int TStrings::Add(const std::string& line) {
  FLines.push_back(line);
  return Count() - 1;
}

const std::string& TStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FLines[index];
}

std::string TStrings::Text() const {
  size_t size = 0;
  for (const auto& line : FLines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : FLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TStrings::SaveToFile(const std::string& path, TFileOps* ops) const {
  WriteFileAtomically(path, Text(), ops);
}
