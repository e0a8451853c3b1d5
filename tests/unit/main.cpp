#include <cstdio>

#include "check.h"

namespace check {

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

int failures = 0;

std::string Show(std::string_view bytes) {
    std::string shown = "\"";
    for (unsigned char byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += static_cast<char>(byte);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        }
    }
    return shown + "\"";
}

void Fail(const char* file, int line, const std::string& what, const std::string& context) {
    ++failures;
    std::fprintf(stderr, "%s:%d: %s%s%s\n", file, line, what.c_str(), context.empty() ? "" : " [",
                 context.empty() ? "" : (context + "]").c_str());
}

}  // namespace check

int main() {
    int passed = 0;
    int failed = 0;
    for (const check::Case& test : check::Cases()) {
        const int before = check::failures;
        test.run();
        const bool ok = check::failures == before;
        (ok ? passed : failed) += 1;
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", test.name);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
