// launch.exe PROGRAM CASES: runs PROGRAM for each line "HEX OUTPUT [ERROR]" of
// CASES (the exact command line in hexadecimal; output to a path, "|PATH" via
// a pipe, or "invalid"; error to a path or "-", the launcher's own) and prints
// its exit code, or "SKIP" for a line the ANSI code page does not carry through
// Unicode as Wine hands it on. Wine itself keeps no byte from 0x80 up. A path
// may hold blanks: it holds a colon only after its drive letter, so ERROR
// starts at the last blank before a drive ("X:") or a final "-".
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/ascii.h"

namespace {

std::string FromHex(const char* hex) {
    std::string bytes;
    for (; hex[0] != '\0' && hex[1] != '\0'; hex += 2) bytes += static_cast<char>(tikvan::HexNumber({hex, 2}));
    return bytes;
}

bool SurvivesUnicode(const std::string& bytes) {
    const int size = static_cast<int>(bytes.size());
    std::vector<wchar_t> wide(bytes.size() + 1);
    std::string back(bytes.size() * 2 + 2, '\0');
    const int count = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), size + 1);
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), count, back.data(),
                                           static_cast<int>(back.size()), nullptr, nullptr);
    return back.substr(0, static_cast<std::size_t>(length)) == bytes;
}

// OUTPUT and ERROR of a case, from the text after its hexadecimal line.
std::pair<std::string, std::string> SplitPaths(const char* text) {
    text += std::strspn(text, " ");
    const std::string rest(text, std::strcspn(text, "\r\n"));
    for (std::size_t at = rest.size(); at-- > 1;) {
        const bool drive = std::isalpha(static_cast<unsigned char>(rest[at])) && rest[at + 1] == ':';
        if (rest[at - 1] == ' ' && (drive || rest.compare(at, std::string::npos, "-") == 0)) {
            return {rest.substr(0, at - 1), rest.substr(at)};
        }
    }
    return {rest, "-"};
}

HANDLE Create(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs one case to its end; false if the child could not be started.
bool Run(const char* program, std::string line, const std::string& output, const std::string& error, DWORD& code) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = INVALID_HANDLE_VALUE;
    startup.hStdError = error == "-" ? GetStdHandle(STD_ERROR_HANDLE) : Create(error);
    HANDLE pipe = INVALID_HANDLE_VALUE;
    if (output[0] == '|') {
        if (!CreatePipe(&pipe, &startup.hStdOutput, &inherit, 0)) return false;
        SetHandleInformation(pipe, HANDLE_FLAG_INHERIT, 0);
    } else if (output != "invalid") {
        startup.hStdOutput = Create(output);
    }
    if (startup.hStdError == INVALID_HANDLE_VALUE) return false;
    if (output != "invalid" && startup.hStdOutput == INVALID_HANDLE_VALUE) return false;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    // The child holds its own copies; the pipe ends when the child closes its end.
    if (output != "invalid") CloseHandle(startup.hStdOutput);
    if (error != "-") CloseHandle(startup.hStdError);
    if (pipe != INVALID_HANDLE_VALUE) {
        HANDLE file = Create(output.substr(1));
        char buffer[4096];
        DWORD count = 0;
        while (ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) {
            WriteFile(file, buffer, count, &count, nullptr);
        }
        CloseHandle(file);
        CloseHandle(pipe);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::FILE* list = argc == 3 ? std::fopen(argv[2], "r") : nullptr;
    if (list == nullptr) {
        std::fprintf(stderr, "usage: launch PROGRAM CASES\n");
        return 2;
    }
    char line[16384];
    while (std::fgets(line, sizeof line, list) != nullptr) {
        char hex[8192];
        int end = 0;
        if (std::sscanf(line, "%8191s%n", hex, &end) < 1) continue;
        const auto [output, error] = SplitPaths(line + end);
        if (output.empty()) continue;
        const std::string commandLine = FromHex(hex);
        DWORD code = 0;
        if (!SurvivesUnicode(commandLine)) {
            std::printf("SKIP\n");
        } else if (Run(argv[1], commandLine, output, error, code)) {
            std::printf("%lu\n", static_cast<unsigned long>(code));
        } else {
            std::fprintf(stderr, "launch: cannot start %s\n", commandLine.c_str());
            return 2;
        }
    }
    return 0;
}
