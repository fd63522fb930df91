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
  auto name = path.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
              std::to_string(random() % 1000000);
  return path.parent_path() / name;
}

}  // namespace

PosixEnv::PosixEnv(std::filesystem::path mutex_dir) : mutex_dir_(std::move(mutex_dir)) {}

std::filesystem::path PosixEnv::DefaultMutexDirectory() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    std::error_code ec;
    if (std::filesystem::is_directory(runtime, ec)) return runtime;
  }
  std::error_code ec;
  auto temp = std::filesystem::temp_directory_path(ec);
  return ec ? std::filesystem::path("/tmp") : temp;
}

bool PosixEnv::ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                           std::string* error) {
  auto fail = [&](std::string why, const std::filesystem::path& temp) {
    if (error) *error = std::move(why);
    if (!temp.empty()) ::unlink(temp.c_str());
    return false;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    errno = EISDIR;
    return fail(ErrnoText("cannot replace", path), {});
  }
  const auto temp = TemporaryNameFor(path);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return fail(ErrnoText("cannot create", temp), {});
  if (!WriteAll(fd, contents)) {
    auto why = ErrnoText("cannot write", temp);
    ::close(fd);
    return fail(why, temp);
  }
  if (::fsync(fd) != 0) {
    auto why = ErrnoText("cannot sync", temp);
    ::close(fd);
    return fail(why, temp);
  }
  if (::close(fd) != 0) return fail(ErrnoText("cannot close", temp), temp);
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    return fail(ErrnoText("cannot rename over", path), temp);
  }
  // Make the rename itself durable.
  auto dir = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  int dir_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

std::unique_ptr<Hold> PosixEnv::HoldFileExclusively(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FlockHold>(fd);
}

bool PosixEnv::IsFileHeldElsewhere(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);  // also drops the shared lock we may have taken
  return held;
}

std::unique_ptr<Hold> PosixEnv::AcquireNamedMutex(std::string_view name) {
  std::error_code ec;
  std::filesystem::create_directories(mutex_dir_, ec);
  auto path = mutex_dir_ / (std::string(name) + ".lock");
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return std::make_unique<Hold>();  // no mutex to be had: go on unserialised
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) break;
  }
  return std::make_unique<FlockHold>(fd);
}

}  // namespace tolvane
