#include "platform/AtomicFile.h"

#include <acl/libacl.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/Exception.h"
#include "platform/ScopeGuard.h"

int TFileOps::CreateTemp(std::string& pathTemplate) {
  std::vector<char> buf(pathTemplate.begin(), pathTemplate.end());
  buf.push_back('\0');
  const int fd = mkostemp(buf.data(), O_CLOEXEC);
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

// The file system keeps no such thing: there is nothing to copy.
bool Unsupported(int err) {
  return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

// The names of a file's extended attributes, or false with errno.
bool AttributeNames(int fd, std::vector<char>& names) {
  for (;;) {
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0) return false;
    names.resize(static_cast<std::size_t>(size));
    const ssize_t got = size > 0 ? ::flistxattr(fd, names.data(), names.size()) : 0;
    if (got >= 0) {
      names.resize(static_cast<std::size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;  // the list grew meanwhile: ask again
  }
}

bool CopyAttribute(int from, int to, const char* name) {
  for (;;) {
    const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
    if (size < 0) return errno == ENODATA;  // gone meanwhile
    std::vector<char> value(static_cast<std::size_t>(size));
    const ssize_t got = size > 0 ? ::fgetxattr(from, name, value.data(), value.size()) : 0;
    if (got >= 0) return ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) == 0;
    if (errno != ERANGE) return false;
  }
}

// The access list (which also sets the group's bits to its mask), replacing whatever a new
// file took over from its folder's default list.
bool CopyAccessList(int from, int to) {
  const acl_t acl = acl_get_fd(from);
  if (!acl) return Unsupported(errno);
  const bool copied = acl_set_fd(to, acl) == 0;
  const int err = errno;
  acl_free(acl);
  errno = err;
  return copied;
}

}  // namespace

bool TFileOps::CopyAttributes(int from, int to) {
  if (!CopyAccessList(from, to)) return false;
  std::vector<char> names;
  if (!AttributeNames(from, names)) return Unsupported(errno);
  for (std::size_t at = 0; at < names.size();) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
    // The access lists travel as lists, above.
    const std::string_view view(name);
    if (view == "system.posix_acl_access" || view == "system.posix_acl_default") continue;
    if (!CopyAttribute(from, to, name)) return false;
  }
  return true;
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

[[noreturn]] void Fail(const std::string& path, const std::string& what, int err) {
  throw Exception("Cannot create file \"" + path + "\". " + what +
                  (err ? std::string(": ") + std::strerror(err) : std::string()));
}

// What a new file gets: 0666 less the umask, as a plain create would give it.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// The step that failed and its errno; no step when all went well.
struct TStepError {
  const char* Step = nullptr;
  int Err = 0;
};

// Writes data to fd, flushes it to disk when it is a plain file, and closes it.
TStepError WriteAndClose(TFileOps& io, int fd, const std::string& data, bool plainFile) {
  TStepError error;
  if (!io.Write(fd, data.data(), data.size()))
    error = {"Writing failed", errno};
  else if (plainFile && !io.Sync(fd))
    error = {"Flushing to disk failed", errno};
  if (!io.Close(fd) && !error.Step) error = {"Closing failed", errno};
  return error;
}

// Gives a new file in a folder with a default access list the list a plain create (mode 0666)
// would: the folder's, without execute rights for the owner, the mask and others. False when
// the folder has none or it cannot be set; a chmod would then rewrite the inherited list.
bool TakeOverDefaultAcl(int fd, const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const acl_t acl = acl_get_file(folder.c_str(), ACL_TYPE_DEFAULT);
  if (!acl) return false;
  const auto freeAcl = OnScopeExit([&] { acl_free(acl); });
  if (acl_entries(acl) <= 0) return false;
  bool hasMask = false;
  acl_entry_t entry;
  for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1;
       which = ACL_NEXT_ENTRY) {
    acl_tag_t tag;
    hasMask = hasMask || (acl_get_tag_type(entry, &tag) == 0 && tag == ACL_MASK);
  }
  for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1;
       which = ACL_NEXT_ENTRY) {
    acl_tag_t tag;
    acl_permset_t permissions;
    if (acl_get_tag_type(entry, &tag) != 0 || acl_get_permset(entry, &permissions) != 0)
      return false;
    const bool classEntry =
        tag == ACL_USER_OBJ || tag == ACL_OTHER || tag == (hasMask ? ACL_MASK : ACL_GROUP_OBJ);
    if (classEntry && (acl_delete_perm(permissions, ACL_EXECUTE) != 0 ||
                       acl_set_permset(entry, permissions) != 0))
      return false;
  }
  return acl_set_fd(fd, acl) == 0;
}

// Gives a new file the mode, owner and group of the one it replaces (old), or what a new file
// at target gets. False when they cannot all be kept.
bool TakeOverAttributes(int fd, const struct stat* old, const std::string& target) {
  if (!old) return TakeOverDefaultAcl(fd, target) || ::fchmod(fd, NewFileMode()) == 0;
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old->st_uid || now.st_gid != old->st_gid) &&
      ::fchown(fd, old->st_uid, old->st_gid) != 0)
    return false;
  return ::fchmod(fd, old->st_mode & 07777) == 0;
}

// A mkstemp template beside target whose last part the folder takes: target's own name with
// a suffix, cut short where the name is already near the longest the folder allows.
std::string TemporaryTemplate(const std::string& target) {
  static constexpr std::string_view kSuffix = ".XXXXXX";
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::size_t limit = longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
  const std::size_t keep = limit > kSuffix.size() ? limit - kSuffix.size() : 0;
  return target.substr(0, nameStart + std::min(keep, target.size() - nameStart)) +
         std::string(kSuffix);
}

// Writes a temporary file beside target and renames it over target. Returns false, leaving
// nothing behind, when an existing file (old, open as oldFd) is better rewritten in place: its
// folder takes no new files, or its owner, mode, access list or extended attributes could not
// be kept. Every other failure throws.
bool ReplaceByRename(TFileOps& io, const std::string& path, const std::string& target,
                     const std::string& data, const struct stat* old, int oldFd) {
  std::string temp = TemporaryTemplate(target);
  const int fd = io.CreateTemp(temp);
  if (fd < 0) {
    const int err = errno;
    if (old && (err == EACCES || err == EPERM || err == EROFS)) return false;
    Fail(path, "The temporary file could not be created", err);
  }
  const bool kept = TakeOverAttributes(fd, old, target) && (!old || io.CopyAttributes(oldFd, fd));
  if (!kept && old) {
    io.Close(fd);
    io.Remove(temp);
    return false;
  }
  TStepError error = WriteAndClose(io, fd, data, true);
  if (!error.Step && !io.Rename(temp, target)) error = {"Replacing the file failed", errno};
  if (error.Step) {
    io.Remove(temp);
    Fail(path, error.Step, error.Err);
  }
  return true;
}

// Rewrites an open plain file over its old bytes. Room for the new bytes is reserved first,
// so that a full disk fails before anything changes.
void RewriteInPlace(TFileOps& io, int fd, const std::string& path, const std::string& data) {
  const off_t size = static_cast<off_t>(data.size());
  const int reserved = size > 0 ? ::posix_fallocate(fd, 0, size) : 0;
  TStepError error;
  if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
    io.Close(fd);
    Fail(path, "There is no room for the new contents", reserved);
  }
  if (!io.Write(fd, data.data(), data.size()))
    error = {"Writing failed", errno};
  else if (::ftruncate(fd, size) != 0)
    error = {"Cutting off the old contents failed", errno};
  else if (!io.Sync(fd))
    error = {"Flushing to disk failed", errno};
  if (!io.Close(fd) && !error.Step) error = {"Closing failed", errno};
  if (error.Step) Fail(path, error.Step, error.Err);
}

// A named pipe or a character device takes the data as it stands.
void WriteIntoDevice(TFileOps& io, const std::string& path, const std::string& data, bool pipe) {
  // Opened without waiting: a pipe that nobody reads from fails at once instead of hanging.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (pipe && errno == ENXIO) Fail(path, "No program is reading from the named pipe", 0);
    Fail(path, "The file could not be opened for writing", errno);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  const TStepError error = WriteAndClose(io, fd, data, false);
  if (error.Step) Fail(path, error.Step, error.Err);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& data, TFileOps* ops) {
  TFileOps system;
  TFileOps& io = ops ? *ops : system;
  if (path.empty()) Fail(path, "No file name", 0);

  // Asked of the kernel first, which also follows the links of /proc (/dev/stdout).
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))
      return WriteIntoDevice(io, path, data, S_ISFIFO(st.st_mode));
    if (S_ISDIR(st.st_mode)) Fail(path, "It is a folder", 0);
    Fail(path, "Only files, named pipes and character devices are written", 0);
  }

  const std::string target = FinalTarget(path);
  if (target.empty()) Fail(path, "The name is a loop of links", ELOOP);
  // Opening the old file tells whether a plain create-or-replace could write it.
  const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) Fail(path, "The file could not be opened for writing", errno);
    ReplaceByRename(io, path, target, data, nullptr, -1);
    return;
  }
  auto closeOld = OnScopeExit([&] { ::close(fd); });
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    Fail(path, "The file changed while it was being opened", 0);
  // A second name would keep the old text if the file were replaced by a new one.
  if (st.st_nlink == 1 && ReplaceByRename(io, path, target, data, &st, fd)) return;
  closeOld.Dismiss();
  RewriteInPlace(io, fd, path, data);
}
