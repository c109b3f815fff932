#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Exception.h"

int TFileOps::CreateTemp(std::string& pathTemplate) {
  std::vector<char> buf(pathTemplate.begin(), pathTemplate.end());
  buf.push_back('\0');
  const int fd = mkstemp(buf.data());
  if (fd >= 0) pathTemplate.assign(buf.data());
  return fd;
}

bool TFileOps::Write(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool TFileOps::Sync(int fd) {
  return ::fsync(fd) == 0;
}
bool TFileOps::Close(int fd) {
  return ::close(fd) == 0;
}
bool TFileOps::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}
void TFileOps::Remove(const std::string& path) {
  ::unlink(path.c_str());
}

namespace {

// Where a write to path lands: a symbolic link (or a chain of them) is followed to the file it
// names, so the link stays a link and its target gets the new contents. Empty for a loop.
std::string FinalTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;  // as the kernel allows in one lookup
  std::string current = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buf.size()) return current;
    std::string target(buf.data(), static_cast<std::size_t>(n));
    if (target.empty()) return current;
    if (target[0] != '/') {
      const std::size_t slash = current.rfind('/');
      if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
    }
    current = target;
  }
  return std::string();
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& data, TFileOps* ops) {
  TFileOps system;
  TFileOps& io = ops ? *ops : system;
  auto fail = [&](const std::string& what, int err) {
    throw Exception("Cannot create file \"" + path + "\". " + what +
                    (err ? std::string(": ") + std::strerror(err) : std::string()));
  };
  if (path.empty()) fail("No file name", 0);

  const std::string target = FinalTarget(path);
  if (target.empty()) fail("The name is a loop of links", ELOOP);
  std::string temp = target + ".XXXXXX";
  const int fd = io.CreateTemp(temp);
  if (fd < 0) fail("The temporary file could not be created", errno);

  // A new file gets the usual permissions; a replaced one keeps its own.
  struct stat st {};
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  ::fchmod(fd, mode);

  bool ok = io.Write(fd, data.data(), data.size());
  int err = ok ? 0 : errno;
  const char* step = "Writing failed";
  if (ok && !(ok = io.Sync(fd))) {
    err = errno;
    step = "Flushing to disk failed";
  }
  if (!io.Close(fd) && ok) {
    ok = false;
    err = errno;
    step = "Closing failed";
  }
  if (ok && !(ok = io.Rename(temp, target))) {
    err = errno;
    step = "Replacing the file failed";
  }
  if (!ok) {
    io.Remove(temp);
    fail(step, err);
  }
}
