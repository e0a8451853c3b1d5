// answers: a build held to Wine's recorded answers (tests/answers/answers.txt,
// in the format of tools/answers/format.h).
//   answers replay ANSWERS PROGRAM   every case run with PROGRAM, the test build that takes the exact line
//   answers compare ANSWERS LIVE     every case of LIVE, answers collected under Wine today, against ANSWERS
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "answers/format.h"

using namespace answers;

namespace {

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
    } else if (mode == "compare") {
        std::map<std::string, Case> recorded;
        for (const Case& c : Load(argv[2])) recorded[c.Key()] = c;
        for (const Case& got : Load(argv[3])) {
            ++checked;
            const auto want = recorded.find(got.Key());
            if (want == recorded.end()) std::cout << "FAIL: " << got.Key() << ": no recorded answer\n";
            failed += want != recorded.end() && Same(got, want->second) ? 0 : 1;
        }
    } else {
        std::cerr << "usage: answers replay ANSWERS PROGRAM | compare ANSWERS LIVE\n";
        return 2;
    }
    std::cout << checked << " cases, " << failed << (mode == "replay" ? " workers" : "") << " failed\n";
    return failed == 0 && checked > 0 ? 0 : 1;
}
