#include "process/process_end.h"

#include "console/channel.h"
#include "platform/win32.h"

namespace tikvan {

std::int32_t ExitStatus = 0;

void ProcessEnd(std::int32_t status) {
    ExitStatus = status;
    WriteOut();
    CheckIo();
    EndProcess();
}

void EndProcess() {
    CloseChannel();
    ExitProcess(static_cast<UINT>(ExitStatus));
}

}  // namespace tikvan
