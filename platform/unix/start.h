// The start of the process as the POSIX body sees it. Internal to unix/.
#pragma once

namespace tikvan::posix {

// The argument vector the process was started with.
struct ArgumentVector {
    int count;
    char** words;
};
ArgumentVector StartArguments();

}  // namespace tikvan::posix
