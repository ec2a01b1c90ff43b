// Calls into extension modules that may throw. Each module carries its own
// statically linked C++ runtime. Where the platform's unwinding crosses
// modules (x86_64) the program catches the exception; with the 32-bit
// build's DWARF unwinding it cannot, and the module's runtime ends in
// abort(), which is turned back into a failed call here.
#pragma once

#include <utility>

namespace keld {

// Runs `call(context)`; false when it threw or aborted. Locals of the frames
// that an abort leaves are not destroyed.
bool CallExtensionCode(void (*call)(void*), void* context);

// Runs `code()`; false when it threw or aborted.
template <typename Code>
bool CallExtension(Code&& code)
{
    return CallExtensionCode([](void* context) { (*static_cast<Code*>(context))(); },
                             const_cast<void*>(static_cast<const void*>(&code)));
}

}  // namespace keld
