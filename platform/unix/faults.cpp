// SetUnhandledExceptionFilter over POSIX signals. A fault (SIGSEGV, SIGBUS,
// SIGFPE, SIGILL) is described as the platform exception Windows reports
// for it and handed to the filter, on a stack of its own so that a stack
// overflow reaches it too. The filter is expected not to return; if it does,
// the signal's default action follows. The same signal sent by a process
// (kill, sigqueue) is no fault of this program: it takes its default action
// at once, as it would without a filter.
#include <signal.h>
#include <ucontext.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "platform/unix/start.h"
#include "platform/win32.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER filter = nullptr;
alignas(16) char alternateStack[64 * 1024];

constexpr std::intptr_t kStackReach = 0x10000;

DWORD ArithmeticCode(int code) {
    switch (code) {
        case FPE_INTDIV: return EXCEPTION_INT_DIVIDE_BY_ZERO;
        case FPE_INTOVF: return EXCEPTION_INT_OVERFLOW;
        case FPE_FLTDIV: return EXCEPTION_FLT_DIVIDE_BY_ZERO;
        case FPE_FLTOVF: return EXCEPTION_FLT_OVERFLOW;
        case FPE_FLTUND: return EXCEPTION_FLT_UNDERFLOW;
        case FPE_FLTRES: return EXCEPTION_FLT_INEXACT_RESULT;
        case FPE_FLTSUB: return EXCEPTION_ARRAY_BOUNDS_EXCEEDED;
        default: return EXCEPTION_FLT_INVALID_OPERATION;
    }
}

// All zero: the default action, no flags, an empty mask.
const struct sigaction kDefaultAction {};
static_assert(SIG_DFL == nullptr);

void RestoreDefault(int signal) { sigaction(signal, &kDefaultAction, nullptr); }

void OnFault(int signal, siginfo_t* info, void* context) {
    // Codes up to SI_USER (SI_QUEUE, SI_TKILL, ...) say that a process sent
    // the signal.
    if (info->si_code <= SI_USER) {
        RestoreDefault(signal);
        raise(signal);
        return;
    }
    const auto* machine = static_cast<ucontext_t*>(context);
    EXCEPTION_RECORD record{};
    record.ExceptionAddress = reinterpret_cast<void*>(machine->uc_mcontext.gregs[REG_RIP]);
    const auto accessed = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const auto stack = static_cast<std::uintptr_t>(machine->uc_mcontext.gregs[REG_RSP]);
    if (signal == SIGFPE) {
        record.ExceptionCode = ArithmeticCode(info->si_code);
    } else if (signal == SIGILL) {
        record.ExceptionCode = EXCEPTION_ILLEGAL_INSTRUCTION;
    } else if (std::abs(static_cast<std::intptr_t>(accessed - stack)) < kStackReach) {
        record.ExceptionCode = EXCEPTION_STACK_OVERFLOW;
    } else {
        // The page-fault error code tells a write (bit 1) from a read.
        record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
        record.NumberParameters = 2;
        record.ExceptionInformation[0] = (machine->uc_mcontext.gregs[REG_ERR] & 2) != 0 ? 1 : 0;
        record.ExceptionInformation[1] = accessed;
    }
    EXCEPTION_POINTERS pointers{&record};
    if (filter != nullptr) filter(&pointers);
    RestoreDefault(signal);
}

}  // namespace

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER newFilter) {
    const LPTOP_LEVEL_EXCEPTION_FILTER previous = filter;
    filter = newFilter;
    // Without a filter a fault takes the default action: see OnFault.
    if (newFilter == nullptr) return previous;
    tikvan::posix::ListLoadedObjects();
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};  // all zero: no other signal blocked
    action.sa_sigaction = &OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) sigaction(signal, &action, nullptr);
    return previous;
}
