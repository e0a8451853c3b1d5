// fault MODE: the fault MODE names, in the guarded run while the channel holds output; memory2: memory out again
// after its failure; foreign: an exception of no failure class; runerror NUMBER ADDRESS: the last-resort line;
// window: as a program without a console. The rows of tests/e2e/cases.txt that run it say how each ends.
#include <csignal>
#include <cfenv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string_view>

#include "console/channel.h"
#include "process/process.h"
#include "process/report.h"

#ifdef __GLIBC__
#include <fcntl.h>
#include <link.h>
#include <unistd.h>
#endif

namespace {

std::string_view mode;
// An address no program maps, read from memory so the compiler cannot see it.
volatile std::uintptr_t unmapped = 0x10;
volatile int& Unmapped() { return *reinterpret_cast<volatile int*>(unmapped); }
volatile double sink;  // takes results, so that the operations that fault stay

// Calls itself until the stack runs out; the limit is never reached.
volatile int deepest = 1 << 30;
[[gnu::noinline]] int Deeper(int depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    return depth >= deepest ? 0 : Deeper(depth + 1) + frame[0];
}

[[gnu::noinline]] void Fault() {
    tikvan::WriteStatement("unwritten");  // held in the channel when the fault comes
    if (mode == "access") {
        Unmapped() = 1;
    } else if (mode == "library") {  // in the C library's code
        sink = static_cast<double>(std::strlen(reinterpret_cast<const char*>(unmapped)));
    } else if (mode == "jump") {  // to an address outside every module
        reinterpret_cast<void (*)()>(unmapped)();
    } else if (mode.starts_with("memory")) {  // "memory2": exhausted once more after a failure
        volatile std::size_t huge = SIZE_MAX / 2;
        if (mode == "memory2") {
            try {
                char* volatile first = new char[huge];
                delete[] first;
            } catch (const std::bad_alloc&) {
            }
        }
        char* volatile block = new char[huge];
        delete[] block;
    } else if (mode == "stack") {
        Deeper(0);
    } else if (mode == "divide") {
        volatile int dividend = 7, zero = 0;
        sink = dividend / zero;
    } else if (mode == "trap") {
        __builtin_trap();
    } else if (mode == "foreign") {
        throw 42;
    }
#ifdef __GLIBC__
    if (mode == "vdso") {  // the C library's clock writes through the kernel's shared object
        clock_gettime(CLOCK_MONOTONIC, reinterpret_cast<timespec*>(unmapped));
    } else if (mode.starts_with("float-")) {  // its one trap unmasked, by a division that raises it
        constexpr struct { std::string_view name; int trap; double dividend, divisor; } kTraps[] = {
            {"divide", FE_DIVBYZERO, 1, 0}, {"overflow", FE_OVERFLOW, 1e300, 1e-300},
            {"underflow", FE_UNDERFLOW, 1e-300, 1e300}, {"inexact", FE_INEXACT, 1, 3}, {"invalid", FE_INVALID, 0, 0}};
        for (const auto& [name, trap, dividend, divisor] : kTraps) {
            if (name != mode.substr(6)) continue;
            feenableexcept(trap);
            volatile double left = dividend, right = divisor;
            sink = left / right;
        }
    } else if (mode == "sent") {
        std::raise(SIGFPE);
    } else if (mode == "loader") {
        dl_iterate_phdr([](dl_phdr_info*, std::size_t, void*) { return static_cast<int>(Unmapped()); }, nullptr);
    } else if (mode.starts_with("nested")) {
        // Standard error becomes a full pipe that nobody reads, so the report blocks; a second later the alarm
        // faults ("nested-trap": by an illegal instruction, a fault of no run-time error of its own).
        int ends[2];
        if (pipe(ends) != 0) return;
        fcntl(ends[1], F_SETFL, O_NONBLOCK);
        while (write(ends[1], "full", 4) > 0) continue;
        fcntl(ends[1], F_SETFL, 0);
        dup2(ends[1], 2);
        std::signal(SIGALRM, [](int) {
            if (mode == "nested-trap") __builtin_trap();
            Unmapped() = 1;
        });
        alarm(1);
        Unmapped() = 1;
    }
#endif
}

}  // namespace

int main(int argc, char** argv) {
    mode = argc > 1 ? argv[1] : "";
    tikvan::ConsoleFlag = mode != "window";  // as a program without a console
    tikvan::StartProcess();
    if (mode == "runerror" && argc == 4) {
        tikvan::EndWithRunError(std::atoi(argv[2]), reinterpret_cast<const void*>(std::strtoull(argv[3], nullptr, 16)));
    }
    tikvan::RunGuarded(Fault);
}
