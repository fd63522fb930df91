#include "platform/peer_user.h"

#include <sys/socket.h>
#include <unistd.h>

namespace tolvane {

bool PeerIsThisUser(int fd) {
  struct ucred credentials {};
  socklen_t size = sizeof credentials;
  if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
  return credentials.uid == ::geteuid();
}

}  // namespace tolvane
