// Starts a program with exact command lines, for the tests under Wine.
//
//   launch.exe PROGRAM CASES
//
// Each line of the file CASES is "HEX OUTPUT": the command line as
// hexadecimal bytes, and the file that receives the child's standard output
// (a Windows path; "-" to share the launcher's; "invalid" or "null" for no
// standard output at all). The children are started
// one after the other with CreateProcessA, and one line is printed per case:
// "EXIT BEFORE AFTER", the child's exit code and the Unix times in seconds
// just before it started and just after it ended.
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
    PROCESS_INFORMATION process{};
    HANDLE outputFile = INVALID_HANDLE_VALUE;
    long long before = 0;
    long long after = 0;
    DWORD exitCode = 0;
};

long long UnixSeconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>(ticks / 10000000ULL) - 11644473600LL;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return bytes;
}

bool Start(const char* program, Case& c) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    if (c.output == "invalid" || c.output == "null") {
        startup.hStdOutput = c.output == "null" ? nullptr : INVALID_HANDLE_VALUE;
    } else if (c.output != "-") {
        c.outputFile = CreateFileA(c.output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (c.outputFile == INVALID_HANDLE_VALUE) return false;
        startup.hStdOutput = c.outputFile;
    }
    std::vector<char> line(c.commandLine.begin(), c.commandLine.end());
    line.push_back(0);
    c.before = UnixSeconds();
    return CreateProcessA(program, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &c.process) != 0;
}

void Finish(Case& c) {
    WaitForSingleObject(c.process.hProcess, INFINITE);
    c.after = UnixSeconds();
    GetExitCodeProcess(c.process.hProcess, &c.exitCode);
    CloseHandle(c.process.hProcess);
    CloseHandle(c.process.hThread);
    if (c.outputFile != INVALID_HANDLE_VALUE) CloseHandle(c.outputFile);
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
    char hex[8192];
    char output[1024];
    while (std::fscanf(list, "%8191s %1023s", hex, output) == 2) {
        Case c;
        c.commandLine = FromHex(hex);
        c.output = output;
        cases.push_back(c);
    }
    std::fclose(list);
    for (Case& c : cases) {
        if (!Start(argv[1], c)) {
            std::fprintf(stderr, "launch: cannot start %s\n", c.commandLine.c_str());
            return 2;
        }
        Finish(c);
        std::printf("%lu %lld %lld\n", static_cast<unsigned long>(c.exitCode), c.before, c.after);
    }
    return 0;
}
