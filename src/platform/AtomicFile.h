#pragma once

#include <cstddef>
#include <string>

#include "platform/PlatformExport.h"

// The file system calls of a file write, replaceable so that tests can make any of them fail.
// Each returns false on failure, with errno set.
class LISTCHART_PLATFORM_API TFileOps {
 public:
  virtual ~TFileOps() = default;
  // Creates a new, unique file from a mkstemp template; fd -1 on failure.
  virtual int CreateTemp(std::string& pathTemplate);
  // Writes all size bytes of data, going on after interrupted or partial writes.
  virtual bool Write(int fd, const char* data, std::size_t size);
  // Flushes the file's data to disk (fsync).
  virtual bool Sync(int fd);
  // Closes the file.
  virtual bool Close(int fd);
  // Renames from over to, replacing it.
  virtual bool Rename(const std::string& from, const std::string& to);
  // Gives the file open as `to` the access control list and extended attributes of the one
  // open as `from`.
  virtual bool CopyAttributes(int from, int to);
  // Removes the file's name; failures are ignored.
  virtual void Remove(const std::string& path);
};

// Creates or replaces the file at path with data, as a plain create-or-replace would, but
// without ever leaving a half-written plain file behind:
// - a new file, or a plain file with one name, is written to a temporary file beside it,
//   flushed to disk and renamed over it; a replaced file keeps its mode, owner, group, access
//   control list and extended attributes, a new one gets 0666 less the umask;
// - a plain file with several names, one whose folder takes no new files or whose owner,
//   group, access control list or extended attributes a new file could not keep, is
//   rewritten in place once room for the new bytes is reserved, so that every name sees the
//   new text;
// - a named pipe or a character device is written into as it stands;
// - a file the caller may not write, a folder, a block device or a socket is refused.
// A symbolic link stays a link and its target gets the new contents. On any failure throws
// Exception naming the file, and no temporary file is left.
LISTCHART_PLATFORM_API void WriteFileAtomically(const std::string& path, const std::string& data,
                                                TFileOps* ops = nullptr);
