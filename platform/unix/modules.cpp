// GetModuleFileNameA and VirtualQuery.
//
// A module is a loaded object. The objects are listed once, through
// dl_iterate_phdr, when the fault handling is installed at start-up, and
// their file names are made ANSI-code-page text then: the fault report asks
// for them on a signal's stack, where neither the loader nor the C
// library's conversions must be asked.
#include <limits.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/unix/locale.h"
#include "platform/unix/start.h"
#include "platform/win32.h"

namespace {

// A loaded object: the start of its first mapped page and its file name in
// the ANSI code page, empty for the program itself; and a segment that one
// maps.
struct LoadedObject {
    std::uintptr_t base;
    std::string_view name;
};
struct MappedSegment {
    std::uintptr_t start;
    std::uintptr_t size;
    const LoadedObject* object;
};

// The objects loaded when they were listed. A program of this kind loads a
// handful; any beyond these counts are left out, and their addresses count
// as no module's.
LoadedObject loadedObjects[32];
MappedSegment mappedSegments[128];
std::size_t objectCount = 0;
std::size_t segmentCount = 0;
// The program's own path, in the ANSI code page; empty when it cannot be read.
std::string_view programPath;

int ListObject(dl_phdr_info* info, std::size_t /*size*/, void* /*data*/) {
    if (objectCount == std::size(loadedObjects)) return 1;
    LoadedObject& object = loadedObjects[objectCount++];
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    object = {UINTPTR_MAX, info->dlpi_name != nullptr ? info->dlpi_name : ""};
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        object.base = std::min(object.base, start & ~(page - 1));
        if (segmentCount < std::size(mappedSegments)) mappedSegments[segmentCount++] = {start, segment.p_memsz, &object};
    }
    return 0;
}

// A file name in the ANSI code page, in memory that lasts the process.
std::string_view InAnsi(std::string_view name) {
    std::unique_ptr<char[]> converted;
    name = tikvan::posix::SystemTextInAnsi(name, converted);
    static_cast<void>(converted.release());
    return name;
}

// The loaded object with a segment that holds `address`, or null.
const LoadedObject* ObjectHolding(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    for (std::size_t i = 0; address != nullptr && i < segmentCount; ++i) {
        if (at >= mappedSegments[i].start && at - mappedSegments[i].start < mappedSegments[i].size) {
            return mappedSegments[i].object;
        }
    }
    return nullptr;
}

}  // namespace

// A module is the base address of a loaded object; a null handle is the
// program itself, as is the object listed without a name. An object named
// without a path (the kernel's shared object) is given by its name. The
// path is given with its zero; cut to size - 1 bytes and the zero, the
// result is `size`.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    const LoadedObject* object = ObjectHolding(module);
    const bool found = object != nullptr && object->base == reinterpret_cast<std::uintptr_t>(module);
    std::string_view path;
    if (found && !object->name.empty()) {
        path = object->name;
    } else if (module == nullptr || found) {
        path = programPath;
    }
    if (size == 0) return 0;
    const DWORD copied = static_cast<DWORD>(std::min<std::size_t>(path.size(), size - 1));
    std::copy_n(path.data(), copied, buffer);
    buffer[copied] = 0;
    return copied < path.size() ? size : copied;
}

// The loaded object that holds an address: its base is the allocation base
// of a committed region. Other addresses are not committed.
SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION information, SIZE_T /*size*/) {
    *information = MEMORY_BASIC_INFORMATION{};
    if (const LoadedObject* object = ObjectHolding(address); object != nullptr) {
        information->AllocationBase = reinterpret_cast<void*>(object->base);
        information->State = MEM_COMMIT;
    }
    return sizeof *information;
}

namespace tikvan::posix {

// A name outside ASCII is converted by the system's codeset, for which the
// C library may load its locale and run out of memory: that is raised here.
void ListLoadedObjects() {
    dl_iterate_phdr(&ListObject, nullptr);
    for (std::size_t i = 0; i < objectCount; ++i) loadedObjects[i].name = InAnsi(loadedObjects[i].name);
    static char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof path) {
        programPath = InAnsi({path, static_cast<std::size_t>(length)});
    }
}

}  // namespace tikvan::posix
