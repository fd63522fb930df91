#include "platform/posix_env.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/files/temporary_file_name.h"

namespace tolvane {
namespace {

std::string ErrnoText(const char* what, const std::filesystem::path& path) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

// Keeps a descriptor with a flock on it; closing the descriptor drops the lock.
class FlockHold : public Hold {
 public:
  explicit FlockHold(int fd) : fd_(fd) {}
  ~FlockHold() override { ::close(fd_); }
  FlockHold(const FlockHold&) = delete;
  FlockHold& operator=(const FlockHold&) = delete;

 private:
  int fd_;
};

constexpr std::size_t kCopyBlockBytes = 1 << 16;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& path) {
  static std::mt19937_64 random{std::random_device{}()};
  return path.parent_path() / TemporaryFileName(path.filename().string(),
                                                static_cast<std::uint64_t>(::getpid()),
                                                random() % 1000000);
}

// What kind of file `mode` is, for messages.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

// Opens `path` for a hold without ever blocking: whatever is not a regular
// file is refused before it is opened (opening a device may have effects of
// its own) and again after (it may have been swapped in between). Returns
// the descriptor, or -1 with the reason in *why.
int OpenRegularFile(const std::filesystem::path& path, int flags, std::string* why) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    *why = std::string("it is ") + KindOf(st.st_mode);
    return -1;
  }
  int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
  if (fd < 0) {
    *why = std::string("it cannot be opened: ") + std::strerror(errno);
    return -1;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    *why = std::string("it is ") + KindOf(st.st_mode);
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

PosixEnv::PosixEnv(std::filesystem::path mutex_dir, std::chrono::milliseconds mutex_wait)
    : mutex_dir_(std::move(mutex_dir)), mutex_wait_(mutex_wait) {}

std::filesystem::path PosixEnv::DefaultMutexDirectory(std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
    if (PrivateDirectory(runtime, error)) return runtime;
  }
  std::error_code ec;
  std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  const std::filesystem::path own = temp / ("tolvane-" + std::to_string(::geteuid()));
  if (PrivateDirectory(own, error)) return own;
  return {};
}

bool PosixEnv::PrivateDirectory(const std::filesystem::path& dir, std::string* error) {
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
    *error = ErrnoText("cannot create", dir);
    return false;
  }
  struct stat st {};
  const char* why = nullptr;
  if (::lstat(dir.c_str(), &st) != 0) {
    *error = ErrnoText("cannot read", dir);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    why = "it is not a directory";
  } else if (st.st_uid != ::geteuid()) {
    why = "it belongs to another user";
  } else if ((st.st_mode & 077) != 0) {
    why = "other users may enter it";
  }
  if (why != nullptr) *error = dir.string() + ": " + why;
  return why == nullptr;
}

bool PosixEnv::ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                           std::string* error) {
  return ReplaceWith(
      path, [contents](int fd, std::string*) { return WriteAll(fd, contents); }, error);
}

bool PosixEnv::CopyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string* error) {
  // A block at a time: a damaged store may be as large as the largest one.
  std::string why;
  const int in = OpenRegularFile(from, O_RDONLY, &why);
  if (in < 0) {
    if (error) *error = from.string() + ": " + why;
    return false;
  }
  const bool copied = ReplaceWith(
      to,
      [in, &from](int fd, std::string* copy_error) {
        std::vector<char> block(kCopyBlockBytes);
        for (;;) {
          const ssize_t n = ::read(in, block.data(), block.size());
          if (n == 0) return true;
          if (n < 0) {
            if (errno == EINTR) continue;
            *copy_error = ErrnoText("cannot read", from);
            return false;
          }
          if (!WriteAll(fd, std::string_view(block.data(), static_cast<std::size_t>(n)))) {
            return false;
          }
        }
      },
      error);
  ::close(in);
  return copied;
}

bool PosixEnv::ReplaceWith(const std::filesystem::path& path,
                           const std::function<bool(int fd, std::string* why)>& write,
                           std::string* error) {
  auto fail = [&](std::string why, const std::filesystem::path& temp) {
    if (error) *error = std::move(why);
    if (!temp.empty()) ::unlink(temp.c_str());
    return false;
  };
  // A store the user made a link to stays a link: its target is replaced,
  // with the temporary file beside the target so the rename stays atomic.
  std::filesystem::path target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return fail(ErrnoText("cannot follow the link", path), {});
    target = real;
    std::free(real);
  }
  if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    errno = EISDIR;
    return fail(ErrnoText("cannot replace", path), {});
  }
  const auto temp = TemporaryNameFor(target);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return fail(ErrnoText("cannot create", temp), {});
  std::string why;
  if (!write(fd, &why)) {
    if (why.empty()) why = ErrnoText("cannot write", temp);
    ::close(fd);
    return fail(why, temp);
  }
  if (::fsync(fd) != 0) {
    auto sync_error = ErrnoText("cannot sync", temp);
    ::close(fd);
    return fail(sync_error, temp);
  }
  if (::close(fd) != 0) return fail(ErrnoText("cannot close", temp), temp);
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    return fail(ErrnoText("cannot rename over", target), temp);
  }
  // Make the rename itself durable.
  auto dir = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
  int dir_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

std::unique_ptr<Hold> PosixEnv::HoldFileExclusively(const std::filesystem::path& path,
                                                    HoldRefusal* refusal) {
  HoldRefusal ignored;
  if (!refusal) refusal = &ignored;
  int fd = OpenRegularFile(path, O_RDWR | O_CREAT, &refusal->reason);
  if (fd < 0) return nullptr;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    refusal->held_elsewhere = errno == EWOULDBLOCK;
    refusal->reason = refusal->held_elsewhere
                          ? std::string("another process holds it")
                          : std::string("it cannot be locked: ") + std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FlockHold>(fd);
}

bool PosixEnv::IsFileHeldElsewhere(const std::filesystem::path& path) {
  std::string why;
  int fd = OpenRegularFile(path, O_RDONLY, &why);
  if (fd < 0) return false;
  bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);  // also drops the shared lock we may have taken
  return held;
}

std::unique_ptr<Hold> PosixEnv::AcquireNamedMutex(std::string_view name) {
  if (mutex_dir_.empty()) return nullptr;
  std::error_code ec;
  std::filesystem::create_directories(mutex_dir_, ec);
  std::string why;
  const int fd = OpenRegularFile(mutex_dir_ / (std::string(name) + ".lock"),
                                 O_RDWR | O_CREAT | O_NOFOLLOW, &why);
  if (fd < 0) return nullptr;
  // Polled rather than waited for: a blocking flock would hang the start
  // and every save for as long as someone else likes.
  const auto deadline = std::chrono::steady_clock::now() + mutex_wait_;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return nullptr;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return std::make_unique<FlockHold>(fd);
}

}  // namespace tolvane
