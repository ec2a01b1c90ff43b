// The interface card's kernel driver service "NextMove".
#pragma once
#include "resources/ProductConstants.h"

#include <windows.h>

namespace keld {

// Why the driver does not run: `step` names the request that failed (a
// string id), `error` is the system's code; `reported` when a message has
// already told the user.
struct DriverStartFailure {
    UINT step = 0;
    DWORD error = 0;
    bool reported = false;
};

// Makes sure the driver service exists and runs. keepRunning false restarts
// a running service so that it reads its parameters anew. True when the
// service runs at the end (left running, or the start request succeeded);
// otherwise `failure`, when given, says why.
bool StartBoardDriver(bool keepRunning, DriverStartFailure* failure = nullptr);

}  // namespace keld
