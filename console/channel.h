// The standard output channel: every byte of normal output goes through it.
//
// It opens itself on the first write, buffers 128 bytes, and decides once,
// from the device behind standard output, whether each statement is pushed
// out at once (a character device such as a console) or only when the buffer
// fills (a file or a pipe). Bytes pass through unchanged. Write failures are
// recorded as a pending code and raised by the check that ends each
// statement.
#pragma once

#include <string_view>

namespace tikvan {

// A write statement: the bytes, the statement end, the check.
void WriteStatement(std::string_view text);

// A write-line statement: the bytes and CR LF, the statement end, the check.
void WriteLineStatement(std::string_view text);

// Writes what the channel holds, if it is open. A failure becomes pending.
void WriteOut();

// Raises EInOutError for a pending code, clearing it.
void CheckIo();

}  // namespace tikvan
