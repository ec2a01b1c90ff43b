// Where the interface card's port address is kept: the current profile file
// and, on Windows NT, the driver's registry parameter.
#pragma once

namespace keld {

// False when the address cannot be read (on NT: the driver parameter is
// missing or holds text); the out value is then undefined.
bool GetBoardAddress(int& address);
// Stores the address; on NT writes the driver parameter and restarts the
// driver first. When the parameter cannot be written nothing is stored.
// When the driver cannot be restarted the profile still gets the address
// that the driver will start with, the user is told, and false is returned.
bool SetBoardAddress(int address);

}  // namespace keld
