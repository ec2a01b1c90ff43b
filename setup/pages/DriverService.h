// The interface card's kernel driver service "NextMove".
#pragma once
#include "resources/ProductConstants.h"

#include <windows.h>

namespace keld {

// Makes sure the driver service exists and runs. keepRunning false restarts
// a running service so that it reads its parameters anew. True when the
// service runs at the end (left running, or the start request succeeded).
bool StartBoardDriver(bool keepRunning);

}  // namespace keld
