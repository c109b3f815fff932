#include "app/TextBuffer.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/Exception.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw Exception("Cannot open file \"" + path + "\". " + reason);
}

}  // namespace

void TTextBuffer::Clear() {
  FText.clear();
  FModified = false;
}

void TTextBuffer::LoadFromFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) Fail(path, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) Fail(path, std::strerror(EISDIR));
  if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > kMaxFileSize)
    Fail(path, "The file is larger than 64 MiB.");
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, std::strerror(errno));
  std::string text;
  char block[65536];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    text.append(block, static_cast<std::size_t>(in.gcount()));
    // A device or pipe has no size to check up front.
    if (text.size() > kMaxFileSize) Fail(path, "The file is larger than 64 MiB.");
  }
  if (in.bad()) Fail(path, std::strerror(errno));
  FText = std::move(text);
  FModified = false;
}
