#pragma once

#include <cstddef>
#include <string>

// The window's hidden text buffer: the last opened file or the last sent export, with the
// modified and read-only flags an editor would keep. Nothing shows it.
class TTextBuffer {
 public:
  // Files above this size are refused rather than read into memory.
  static constexpr std::size_t kMaxFileSize = 64u << 20;

  const std::string& Text() const { return FText; }
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  void Clear();
  // Replaces the text with the file's bytes. On failure throws Exception naming the file
  // and the reason, and the buffer keeps its text.
  void LoadFromFile(const std::string& path);

 private:
  std::string FText;
  bool FModified = false;
  bool FReadOnly = false;
};
