#include "platform/CrashGuard.h"

#include <csetjmp>
#include <csignal>
#include <cstring>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGFPE, SIGILL, SIGBUS};
sigjmp_buf guardPoint;
volatile sig_atomic_t faultSignal = 0;
// The handler runs on its own stack so that a stack overflow can be reported too.
alignas(16) char alternateStack[64 * 1024];

void OnFault(int signal) {
    faultSignal = signal;
    siglongjmp(guardPoint, 1);
}

} // namespace

uint32_t ExceptionCodeForSignal(int signal) {
    switch (signal) {
    case SIGSEGV:
        return kAccessViolation;
    case SIGFPE:
        return kIntegerDivideByZero;
    case SIGILL:
        return kIllegalInstruction;
    case SIGBUS:
        return kDatatypeMisalignment;
    default:
        return 0;
    }
}

int RunGuarded(int (*body)(void*), int (*onFault)(uint32_t code, void*), void* context) {
    stack_t stack;
    std::memset(&stack, 0, sizeof stack);
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    stack_t previousStack;
    sigaltstack(&stack, &previousStack);

    struct sigaction previous[4];
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = OnFault;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_NODEFER;
    for (int i = 0; i < 4; ++i) sigaction(kSignals[i], &action, &previous[i]);

    auto restore = [&] {
        for (int i = 0; i < 4; ++i) sigaction(kSignals[i], &previous[i], nullptr);
        sigaltstack(&previousStack, nullptr);
    };

    faultSignal = 0;
    if (sigsetjmp(guardPoint, 1) == 0) {
        int result = body(context);
        restore();
        return result;
    }
    restore();
    return onFault(ExceptionCodeForSignal(faultSignal), context);
}

} // namespace platform
