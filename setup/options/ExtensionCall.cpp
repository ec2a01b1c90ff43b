#include "setup/options/ExtensionCall.h"

#include <csetjmp>
#include <csignal>
#include <cstdlib>

namespace keld {

namespace {

// The call in progress on this thread that an abort returns to.
thread_local std::jmp_buf* t_abortTarget = nullptr;

void ReturnFromAbort(int)
{
    if (t_abortTarget)
        std::longjmp(*t_abortTarget, 1);
}

}  // namespace

bool CallExtensionCode(void (*call)(void*), void* context)
{
    std::jmp_buf target;
    std::jmp_buf* const outer = t_abortTarget;
    // abort() of a GUI program first shows a message box; to standard
    // error it only writes a line.
    const int previousMode = ::_set_error_mode(_OUT_TO_STDERR);
    void (*const previousHandler)(int) = std::signal(SIGABRT, ReturnFromAbort);
    volatile bool completed = false;
    if (setjmp(target) == 0) {
        t_abortTarget = &target;
        try {
            call(context);
            completed = true;
        } catch (...) {
        }
    }
    t_abortTarget = outer;
    std::signal(SIGABRT, previousHandler == SIG_ERR ? SIG_DFL : previousHandler);
    ::_set_error_mode(previousMode);
    return completed;
}

}  // namespace keld
