#pragma once

namespace tolvane {

// Whether the process at the other end of the connected local socket `fd`
// runs as this process's user (SO_PEERCRED: for a listener, the user who
// made it listen). False when that cannot be told.
bool PeerIsThisUser(int fd);

}  // namespace tolvane
