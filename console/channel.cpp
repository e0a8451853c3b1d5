#include "console/channel.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/win32.h"
#include "base/failure.h"

namespace tikvan {

namespace {

constexpr std::size_t kCapacity = 128;
// The code stored when standard output cannot be opened.
constexpr std::int32_t kCannotOpenOutput = 105;

class StandardOutputChannel {
public:
    // Appends the bytes, writing the buffer out each time it becomes full.
    // Opens the channel first, also for no bytes. Bytes that cannot be
    // written are dropped.
    void WriteText(std::string_view bytes) {
        if (!open_) Open();
        if (!open_) return;
        while (!bytes.empty()) {
            const std::size_t room = kCapacity - pending_;
            if (bytes.size() < room) {
                std::memcpy(buffer_ + pending_, bytes.data(), bytes.size());
                pending_ += bytes.size();
                return;
            }
            std::memcpy(buffer_ + pending_, bytes.data(), room);
            pending_ = kCapacity;
            bytes.remove_prefix(room);
            if (!WritePending()) return;
        }
    }

    // CR LF, then the end of the statement.
    void WriteLineEnd() {
        WriteText("\r\n");
        EndStatement();
    }

    // The end of a statement: a character device gets its bytes now.
    void EndStatement() {
        if (flushEachStatement_) WritePending();
    }

    // Writes the pending bytes, all of them: a short write is continued.
    // Failed bytes are discarded. Gives false and records the code on
    // failure: the platform's code for a failed write (ERROR_WRITE_FAULT if
    // it gives none), ERROR_WRITE_FAULT for a write that succeeds without
    // writing anything. After a success the platform's code is whatever an
    // earlier call left, so it is not read then. Nothing is pending while the
    // channel is closed, so nothing is written then.
    bool WritePending() {
        std::size_t done = 0;
        DWORD code = 0;
        while (done < pending_ && code == 0) {
            DWORD written;  // read only after a write that succeeds, which sets it
            const auto count = static_cast<DWORD>(pending_ - done);
            if (!WriteFile(handle_, buffer_ + done, count, &written, nullptr)) {
                code = GetLastError();
                if (code == 0) code = ERROR_WRITE_FAULT;
            } else if (written == 0) {
                code = ERROR_WRITE_FAULT;
            } else {
                done += written;
            }
        }
        pending_ = 0;
        if (code != 0) PendingIoError = static_cast<std::int32_t>(code);
        return code == 0;
    }

private:
    // Binds the channel to standard output, unless it is missing or of no
    // known type. Tried again by every write while it fails; nothing is
    // pending until it succeeds.
    void Open() {
        handle_ = GetStdHandle(STD_OUTPUT_HANDLE);
        // A missing handle, null or INVALID_HANDLE_VALUE, fails the query:
        // its type is FILE_TYPE_UNKNOWN too.
        const DWORD type = GetFileType(handle_);
        if (type == FILE_TYPE_UNKNOWN) {
            PendingIoError = kCannotOpenOutput;
            return;
        }
        flushEachStatement_ = type == FILE_TYPE_CHAR;
        open_ = true;
    }

    // The channel is a static object: it starts closed and empty. Once open,
    // it stays open.
    HANDLE handle_{};
    bool open_{};
    bool flushEachStatement_{};
    std::size_t pending_{};
    char buffer_[kCapacity]{};
};

StandardOutputChannel output;

}  // namespace

void WriteStatement(std::string_view text) {
    output.WriteText(text);
    output.EndStatement();
    CheckIo();
}

void WriteLineStatement(std::string_view text) {
    output.WriteText(text);
    output.WriteLineEnd();
    CheckIo();
}

void WriteOut() { output.WritePending(); }

[[gnu::noinline]] void CheckIo() {
    if (PendingIoError != 0) throw CreateIoFailure(__builtin_return_address(0));
}

}  // namespace tikvan
