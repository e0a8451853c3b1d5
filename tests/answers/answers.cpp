// answers: Wine's recorded answers (tests/answers/answers.txt) and a build held to them.
//   answers replay ANSWERS PROGRAM   every case run with PROGRAM, the test build that takes the exact line
//   answers collect PLAN DIR         the answers to PLAN's cases from DIR/K.out, K.err, K.status (K: from 0)
//   answers compare ANSWERS LIVE     every case of LIVE against ANSWERS
// A case: "line SAMPLE LOCALE ROUTE HEX" (the exact line HEX under LC_ALL=LOCALE, output to a file, a pipe
// or a full disk) or "name SAMPLE LOCALE" ("tikvan /DTN"); SAMPLE "live" marks those CI runs under Wine. An
// answer adds the status ("SKIP": a line the code page does not carry) and the numbers of its texts of
// standard output (digits masked) and standard error (address and module masked), each "text N HEX" once.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Case {
    std::string kind, sample, locale, route = "file", line = "74696b76616e202f44544e";  // tikvan /DTN
    std::string status, out, err;
    std::string Key() const { return kind + ' ' + locale + ' ' + route + ' ' + line; }
};

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += "0123456789abcdef"[byte >> 4];
        hex += "0123456789abcdef"[byte & 15];
    }
    return hex;
}

std::string Bytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string MaskOutput(std::string text) {
    for (char& c : text) c = c >= '0' && c <= '9' ? '9' : c;
    return text;
}

std::string MaskReport(const std::string& text) {
    const auto first = std::regex_constants::format_first_only;
    const std::string addressed = std::regex_replace(text, std::regex(" [0-9A-F]{8} "), " ADDRESS ", first);
    return std::regex_replace(addressed, std::regex(" [^ ]*tikvan[^ ]* "), " MODULE ", first);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The cases of a plan or an answers file, their texts resolved.
std::vector<Case> Load(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        std::cerr << "answers: cannot read " << path << '\n';
        std::exit(2);
    }
    std::map<std::string, std::string> texts;
    std::vector<Case> cases;
    for (std::string text; std::getline(file, text);) {
        std::istringstream fields(text);
        Case c;
        fields >> c.kind;
        if (c.kind == "text") {
            std::string number, hex;
            fields >> number >> hex;
            texts[number] = Bytes(hex);
            continue;
        }
        if (c.kind != "line" && c.kind != "name") continue;
        fields >> c.sample >> c.locale;
        if (c.kind == "line") fields >> c.route >> c.line;
        fields >> c.status >> c.out >> c.err;
        c.out = texts[c.out], c.err = texts[c.err];
        cases.push_back(c);
    }
    return cases;
}

void Write(const std::vector<Case>& cases) {
    std::map<std::string, int> numbers{{"", 0}};
    std::string body;
    const auto number = [&](const std::string& text) {
        const auto [at, added] = numbers.emplace(text, static_cast<int>(numbers.size()));
        if (added) std::cout << "text " << at->second << ' ' << Hex(text) << '\n';
        return std::to_string(at->second);
    };
    std::cout << "text 0 \n";
    for (const Case& c : cases) {
        body += c.kind + ' ' + c.sample + ' ' + c.locale;
        if (c.kind == "line") body += ' ' + c.route + ' ' + c.line;
        body += ' ' + c.status + ' ' + number(c.out) + ' ' + number(c.err) + '\n';
    }
    std::cout << body;
}

// The answer of PROGRAM, run as tikvan.exe runs under Wine.
Case Run(const char* program, Case c) {
    char out[] = "/tmp/answers.out.XXXXXX", err[] = "/tmp/answers.err.XXXXXX";
    const int outFile = mkstemp(out), errFile = mkstemp(err);
    int pipeEnds[2] = {-1, -1};
    if (outFile < 0 || errFile < 0 || (c.route == "pipe" && pipe(pipeEnds) != 0)) std::exit(2);
    const pid_t child = fork();
    if (child == 0) {
        const int sink = c.route == "pipe" ? pipeEnds[1] : c.route == "full" ? open("/dev/full", O_WRONLY) : outFile;
        dup2(sink, 1), dup2(errFile, 2);
        for (const char* variable : {"LANG", "LC_CTYPE", "LC_MESSAGES", "LANGUAGE"}) unsetenv(variable);
        setenv("LOCPATH", "/nonexistent", 1);  // no locale of the machine's own counts
        setenv("LC_ALL", c.locale.c_str(), 1);
        setenv("TIKVAN_COMMAND_LINE", c.line.c_str(), 1);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string piped;
    if (c.route == "pipe") {
        close(pipeEnds[1]);
        char buffer[4096];
        for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) piped.append(buffer, static_cast<std::size_t>(n));
        close(pipeEnds[0]);
    }
    int status = 0;
    waitpid(child, &status, 0);
    c.status = std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    c.out = MaskOutput(c.route == "pipe" ? piped : ReadFile(out));
    c.err = MaskReport(ReadFile(err));
    close(outFile), close(errFile), unlink(out), unlink(err);
    return c;
}

// Prints how `got` differs from `want`; true if it does not.
bool Same(const Case& got, const Case& want) {
    if (got.status == want.status && got.out == want.out && got.err == want.err) return true;
    std::cout << "FAIL: " << want.Key() << ": status " << got.status << ", output " << Hex(got.out).substr(0, 120)
              << ", error " << Hex(got.err).substr(0, 160) << "; Wine's: status " << want.status << ", output "
              << Hex(want.out).substr(0, 120) << ", error " << Hex(want.err).substr(0, 160) << '\n';
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    int failed = 0, checked = 0;
    if (mode == "replay") {
        // Four workers, each a quarter of the cases, since each case waits for a process.
        const std::vector<Case> cases = Load(argv[2]);
        constexpr int kWorkers = 4;
        for (int worker = 0; worker < kWorkers; ++worker) {
            if (fork() != 0) continue;
            int workerFailed = 0;
            for (std::size_t k = worker; k < cases.size(); k += kWorkers) {
                if (cases[k].status != "SKIP") workerFailed += Same(Run(argv[3], cases[k]), cases[k]) ? 0 : 1;
            }
            std::cout.flush();
            _exit(workerFailed == 0 ? 0 : 1);
        }
        for (int worker = 0, status = 0; worker < kWorkers; ++worker) failed += wait(&status) > 0 && status == 0 ? 0 : 1;
        for (const Case& c : cases) checked += c.status == "SKIP" ? 0 : 1;
    } else if (mode == "collect") {
        std::vector<Case> cases = Load(argv[2]);
        for (std::size_t k = 0; k < cases.size(); ++k) {
            const std::string base = std::string(argv[3]) + '/' + std::to_string(k);
            std::string status = ReadFile(base + ".status");
            status.erase(status.find_last_not_of("\r\n") + 1);
            cases[k].status = status.empty() ? "NONE" : status;
            cases[k].out = status == "SKIP" ? "" : MaskOutput(ReadFile(base + ".out"));
            cases[k].err = status == "SKIP" ? "" : MaskReport(ReadFile(base + ".err"));
        }
        Write(cases);
        return 0;
    } else if (mode == "compare") {
        std::map<std::string, Case> recorded;
        for (const Case& c : Load(argv[2])) recorded[c.Key()] = c;
        for (const Case& got : Load(argv[3])) {
            ++checked;
            const auto want = recorded.find(got.Key());
            if (want == recorded.end()) {
                std::cout << "FAIL: " << got.Key() << ": no recorded answer\n";
                ++failed;
            } else {
                failed += Same(got, want->second) ? 0 : 1;
            }
        }
    } else {
        std::cerr << "usage: answers replay ANSWERS PROGRAM | collect PLAN DIR | compare ANSWERS LIVE\n";
        return 2;
    }
    std::cout << checked << " cases, " << failed << (mode == "replay" ? " workers" : "") << " failed\n";
    return failed == 0 && checked > 0 ? 0 : 1;
}
