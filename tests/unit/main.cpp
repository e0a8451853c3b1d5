#include <cstdio>

#include "check.h"

namespace check {

namespace {
int failures = 0;
}

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

std::string Show(std::string_view bytes) {
    std::string shown = "\"";
    for (unsigned char byte : bytes) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        shown += byte >= 0x20 && byte < 0x7F && byte != '\\' ? std::string(1, static_cast<char>(byte)) : escape;
    }
    return shown + "\"";
}

void Fail(const char* file, int line, const std::string& what, const std::string& row) {
    ++failures;
    std::fprintf(stderr, "%s:%d: %s [%s]\n", file, line, what.c_str(), row.c_str());
}

}  // namespace check

int main() {
    int failed = 0;
    for (const check::Case& test : check::Cases()) {
        const int before = check::failures;
        test.run();
        if (check::failures != before) ++failed;
        std::printf("%s %s\n", check::failures == before ? "ok  " : "FAIL", test.name);
    }
    std::printf("%d passed, %d failed\n", static_cast<int>(check::Cases().size()) - failed, failed);
    return failed == 0 ? 0 : 1;
}
