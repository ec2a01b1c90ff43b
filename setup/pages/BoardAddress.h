// Where the interface card's port address is kept: the current profile file
// and, on Windows NT, the driver's registry parameter.
#pragma once

namespace keld {

// False when the address cannot be read (on NT: the driver parameter is
// missing or holds text); the out value is then undefined.
bool GetBoardAddress(int& address);
// Stores the address; on NT writes the driver parameter and restarts the
// driver first, and leaves the profile alone when either fails.
bool SetBoardAddress(int address);

}  // namespace keld
