#pragma once

#include <cstddef>
#include <string>

// The file system calls of an atomic write, replaceable so that tests can make any of
// them fail. Each returns false on failure, with errno set.
class TFileOps {
 public:
  virtual ~TFileOps() = default;
  // Creates a new, unique file from a mkstemp template; fd -1 on failure.
  virtual int CreateTemp(std::string& pathTemplate);
  virtual bool Write(int fd, const char* data, std::size_t size);
  virtual bool Sync(int fd);
  virtual bool Close(int fd);
  virtual bool Rename(const std::string& from, const std::string& to);
  virtual void Remove(const std::string& path);
};

// Replaces the file at path with data: written to a temporary file beside it, flushed to
// disk, then renamed over it. On any failure throws Exception naming the file; the old file
// is left byte-identical and the temporary file is removed.
void WriteFileAtomically(const std::string& path, const std::string& data, TFileOps* ops = nullptr);
