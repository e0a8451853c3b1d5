// GetCommandLineA.
//
// The command line is rebuilt from the argument vector the way Wine builds a
// Windows command line from the arguments it is given, so that both builds
// see the same line for the same words. As on Windows, the program sees the
// line in the ANSI code page: the words are converted into it from the
// system's codeset once they are built (Wine quotes the words before it
// converts them, so a character that becomes a blank or a quote in the ANSI
// code page is not quoted or escaped). The program walks over its own name
// and never reads it, so the line names the program by one fixed word rather
// than by argv[0], whose bytes (any, or none at all) could otherwise run
// into the first argument. Memory for the line is taken with operator new,
// so that running out of it ends the process as exhausted memory does
// everywhere else, and never in a line without its words.
//
// A test build (TIKVAN_TEST_COMMAND_LINE) takes the whole command line from
// the environment instead, as hexadecimal bytes in TIKVAN_COMMAND_LINE, so
// that tests can hand it lines no argument vector expresses. The product is
// never built that way.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/ascii.h"
#include "platform/unix/locale.h"
#include "platform/unix/start.h"
#include "platform/win32.h"

namespace {

// The line being built: `text` null only counts the bytes, so that the
// line is measured first and then written into one buffer of its size.
struct LineWriter {
    char* text = nullptr;
    std::size_t length = 0;
    void Put(const char* bytes, std::size_t count) {
        if (text != nullptr) std::memcpy(text + length, bytes, count);
        length += count;
    }
    void Put(char byte) { Put(&byte, 1); }
};

// An empty word, or one holding a space or tab, is put in double quotes. A
// double quote is written as \" and the backslashes directly before it are
// doubled; so are the backslashes before a closing quote. The bytes
// between two backslashes or quotes are copied as one run.
void AppendWord(LineWriter& line, const char* word) {
    const bool quoted = *word == 0 || std::strpbrk(word, " \t") != nullptr;
    if (quoted) line.Put('"');
    const char* at = word;
    for (;;) {
        const char* run = at;
        while (*at != 0 && *at != '\\' && *at != '"') ++at;
        line.Put(run, static_cast<std::size_t>(at - run));
        std::size_t backslashes = 0;
        for (; *at == '\\'; ++at) ++backslashes;
        const bool doubled = *at == '"' || (*at == 0 && quoted);
        for (std::size_t i = doubled ? 2 * backslashes : backslashes; i > 0; --i) line.Put('\\');
        if (*at == 0) break;
        if (*at == '"') {
            line.Put("\\\"", 2);
            ++at;
        }
    }
    if (quoted) line.Put('"');
}

// The words after the program's name, separated by blanks.
void AppendWords(LineWriter& line, const tikvan::posix::ArgumentVector& arguments) {
    for (int i = 1; i < arguments.count; ++i) {
        if (i > 1) line.Put(' ');
        AppendWord(line, arguments.words[i]);
    }
}

// Text written by `write` into a LineWriter: measured first, then written
// into memory of its size, with a terminating zero.
template <typename Write>
std::unique_ptr<char[]> Written(Write write, std::size_t& length) {
    LineWriter line;
    write(line);
    std::unique_ptr<char[]> text(new char[line.length + 1]);
    line = {text.get(), 0};
    write(line);
    text[line.length] = 0;
    length = line.length;
    return text;
}

#ifdef TIKVAN_TEST_COMMAND_LINE

// The line of TIKVAN_COMMAND_LINE, or null when it is not set.
char* CommandLineOfTest() {
    const char* hex = std::getenv("TIKVAN_COMMAND_LINE");
    if (hex == nullptr) return nullptr;
    char* line = new char[std::strlen(hex) / 2 + 1];
    std::size_t length = 0;
    for (; hex[0] != 0 && hex[1] != 0; hex += 2) {
        line[length++] = static_cast<char>(tikvan::HexNumber({hex, 2}));
    }
    line[length] = 0;
    return line;
}
#endif

// The line, zero-terminated, in memory that lasts the process.
char* BuildCommandLine() {
#ifdef TIKVAN_TEST_COMMAND_LINE
    if (char* line = CommandLineOfTest(); line != nullptr) return line;
#endif
    const tikvan::posix::ArgumentVector arguments = tikvan::posix::StartArguments();
    std::size_t wordsLength = 0;
    const std::unique_ptr<char[]> words = Written([&](LineWriter& line) { AppendWords(line, arguments); }, wordsLength);
    std::unique_ptr<char[]> convertedWords;
    const std::string_view after = tikvan::posix::SystemTextInAnsi({words.get(), wordsLength}, convertedWords);
    std::size_t length = 0;
    return Written(
               [&](LineWriter& line) {
                   line.Put("tikvan", 6);
                   if (arguments.count < 2) return;
                   line.Put(' ');
                   line.Put(after.data(), after.size());
               },
               length)
        .release();
}

}  // namespace

LPSTR GetCommandLineA() {
    static char* const line = BuildCommandLine();
    return line;
}
