#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// A second start on a data directory that a running copy holds hands its
// argument (an address or a .url file) to that copy through a local socket,
// which opens it in a new page tab; the second copy then ends.
namespace handoff {

// The largest message a running copy reads; longer ones are dropped.
inline constexpr std::size_t kMaxMessageBytes = 64 * 1024;
// A connection is closed when it has not ended this long after it came,
// and no more than kMaxConnections are open at once: a sender that never
// finishes cannot pile them up.
inline constexpr int kConnectionTimeoutMs = 5000;
inline constexpr int kMaxConnections = 32;

// The socket beside the machine-wide lock in `runtime_dir`, one per data
// directory: "tolvane-" and 16 hex digits of the data directory's absolute
// path, ".sock". The caller passes the directory's real path, so a link to
// it names the same socket.
std::filesystem::path SocketPath(const std::filesystem::path& runtime_dir,
                                 const std::filesystem::path& data_dir);

// What a start opens, or a second copy sends, for `argument` (native UTF-8):
// an address as it is; a file path made absolute against `cwd`, since the
// running copy has a working directory of its own. A relative name that is
// no file in `cwd` and reads as a host name ("www.example.jp/a", as typed
// into any browser's command line) is the web address "http://" + name.
std::string Message(const std::string& argument, const std::filesystem::path& cwd);

// The argument a running copy takes from the bytes it received: nothing when
// empty, too long, or holding a control character (one line of text only).
std::optional<std::string> ReadMessage(std::string_view bytes);

}  // namespace handoff
}  // namespace tolvane
