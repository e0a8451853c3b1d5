// Starts a program with exact command lines, for the tests under Wine.
//
//   launch.exe PROGRAM CASES
//
// Each line of the file CASES is "HEX OUTPUT [ERROR]":
// - the command line as hexadecimal bytes;
// - what receives the child's standard output: a Windows path; "|PATH" for
//   a pipe that the launcher drains into the file PATH; "-" to share the
//   launcher's; "invalid" for no standard output at all;
// - what receives its standard error: a path, or "-" (the default) to share
//   the launcher's.
// A child runs in the launcher's locale, which Wine takes from the LC_ALL
// the launcher was started with.
// The children are started one after the other with CreateProcessA, and one
// line is printed per case: the child's exit code.
// A command line that the ANSI code page does not carry unchanged through
// Unicode, the way Wine hands it to the child, is not run: its line is
// "SKIP".
// Wine rebuilds its own command line from its arguments, so bytes at or
// above 0x80 and a chosen program token only survive this way.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Case {
    std::string commandLine;
    std::string output;
    std::string error = "-";
    PROCESS_INFORMATION process{};
    HANDLE outputFile = INVALID_HANDLE_VALUE;
    HANDLE errorFile = INVALID_HANDLE_VALUE;
    HANDLE pipe = INVALID_HANDLE_VALUE;  // the reading end, for "|PATH"
    DWORD exitCode = 0;
};

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return bytes;
}

// Whether the ANSI code page gives the same bytes back from Unicode.
bool SurvivesUnicode(const std::string& bytes) {
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    std::vector<wchar_t> wide(bytes.size() + 1);
    const int count = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), size + 1);
    std::string back(bytes.size() * 2 + 2, '\0');
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), count, back.data(),
                                           static_cast<int>(back.size()), nullptr, nullptr);
    return back.substr(0, static_cast<std::size_t>(length)) == bytes;
}

HANDLE CreateOutput(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Start(const char* program, Case& c) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE pipeEnd = INVALID_HANDLE_VALUE;
    if (c.output == "invalid") {
        startup.hStdOutput = INVALID_HANDLE_VALUE;
    } else if (c.output[0] == '|') {
        if (!CreatePipe(&c.pipe, &pipeEnd, &inherit, 0)) return false;
        SetHandleInformation(c.pipe, HANDLE_FLAG_INHERIT, 0);
        startup.hStdOutput = pipeEnd;
    } else if (c.output != "-") {
        c.outputFile = CreateOutput(c.output);
        if (c.outputFile == INVALID_HANDLE_VALUE) return false;
        startup.hStdOutput = c.outputFile;
    }
    if (c.error != "-") {
        c.errorFile = CreateOutput(c.error);
        if (c.errorFile == INVALID_HANDLE_VALUE) return false;
        startup.hStdError = c.errorFile;
    }
    std::vector<char> line(c.commandLine.begin(), c.commandLine.end());
    line.push_back(0);
    const bool started =
        CreateProcessA(program, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &c.process) != 0;
    if (pipeEnd != INVALID_HANDLE_VALUE) CloseHandle(pipeEnd);
    return started;
}

// Drains the pipe of a "|PATH" case into PATH until the child closes it.
void Drain(Case& c) {
    HANDLE file = CreateOutput(c.output.substr(1));
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(c.pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) {
        DWORD written = 0;
        WriteFile(file, buffer, count, &written, nullptr);
    }
    CloseHandle(file);
    CloseHandle(c.pipe);
}

void Finish(Case& c) {
    if (c.pipe != INVALID_HANDLE_VALUE) Drain(c);
    WaitForSingleObject(c.process.hProcess, INFINITE);
    GetExitCodeProcess(c.process.hProcess, &c.exitCode);
    CloseHandle(c.process.hProcess);
    CloseHandle(c.process.hThread);
    if (c.outputFile != INVALID_HANDLE_VALUE) CloseHandle(c.outputFile);
    if (c.errorFile != INVALID_HANDLE_VALUE) CloseHandle(c.errorFile);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: launch PROGRAM CASES\n");
        return 2;
    }
    std::FILE* list = std::fopen(argv[2], "r");
    if (list == nullptr) return 2;
    std::vector<Case> cases;
    char line[16384];
    while (std::fgets(line, sizeof line, list) != nullptr) {
        char hex[8192];
        char output[1024];
        char error[1024] = "-";
        if (std::sscanf(line, "%8191s %1023s %1023s", hex, output, error) < 2) continue;
        Case c;
        c.commandLine = FromHex(hex);
        c.output = output;
        c.error = error;
        cases.push_back(c);
    }
    std::fclose(list);
    for (Case& c : cases) {
        if (!SurvivesUnicode(c.commandLine)) {
            std::printf("SKIP\n");
            continue;
        }
        if (!Start(argv[1], c)) {
            std::fprintf(stderr, "launch: cannot start %s\n", c.commandLine.c_str());
            return 2;
        }
        Finish(c);
        std::printf("%lu\n", static_cast<unsigned long>(c.exitCode));
    }
    return 0;
}
