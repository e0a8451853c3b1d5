// The start of the process as the POSIX body sees it. Internal to unix/.
#pragma once

namespace tikvan::posix {

// The argument vector the process was started with.
struct ArgumentVector {
    int count;
    char** words;
};
ArgumentVector StartArguments();

// Lists the loaded objects that VirtualQuery and GetModuleFileNameA report.
// The fault handling calls it once, when start-up installs it, before
// anything asks: a fault is reported on a signal's stack, where the loader,
// which may hold its lock at that moment, must not be asked. Names outside
// ASCII are converted then, which may raise exhausted memory.
void ListLoadedObjects();

}  // namespace tikvan::posix
