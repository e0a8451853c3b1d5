// answers_collect PLAN DIR: the answers to PLAN's cases from DIR/K.out and
// K.err and the lines "K STATUS" of DIR/status (K: from 0), as
// tools/answers/wine.sh leaves them, in the format of the recorded answers,
// which tests/answers/check.sh compares.
//
// A case: "line SAMPLE LOCALE ROUTE HEX" (the exact line HEX under
// LC_ALL=LOCALE, output to a file, a pipe or a full disk) or "name SAMPLE
// LOCALE" ("tikvan /DTN"); SAMPLE "live" marks those CI runs under Wine. An
// answer adds the status ("SKIP": a line the code page does not carry) and
// the numbers of its texts of standard output (digits masked) and standard
// error (address and module masked), each "text N HEX" once. A plan is such
// a file, or its cases alone.
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += "0123456789abcdef"[byte >> 4];
        hex += "0123456789abcdef"[byte & 15];
    }
    return hex;
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

}  // namespace

int main(int argc, char** argv) {
    std::ifstream plan(argc == 3 ? argv[1] : "");
    if (!plan) {
        std::cerr << "usage: answers_collect PLAN DIR\n";
        return 2;
    }
    const std::string dir = argv[2];
    std::map<std::string, std::string> statuses;
    std::ifstream statusFile(dir + "/status");
    for (std::string k, status; statusFile >> k >> status;) statuses[k] = status;
    std::map<std::string, int> numbers{{"", 0}};
    const auto number = [&](const std::string& text) {
        const auto [at, added] = numbers.emplace(text, static_cast<int>(numbers.size()));
        if (added) std::cout << "text " << at->second << ' ' << Hex(text) << '\n';
        return std::to_string(at->second);
    };
    std::cout << "text 0 \n";
    std::string body;
    int k = 0;
    for (std::string text; std::getline(plan, text);) {
        std::istringstream fields(text);
        std::string kind, sample, locale, route, line;
        fields >> kind >> sample >> locale;
        if (kind != "line" && kind != "name") continue;
        body += kind + ' ' + sample + ' ' + locale;
        if (kind == "line") {
            fields >> route >> line;
            body += ' ' + route + ' ' + line;
        }
        const std::string base = dir + '/' + std::to_string(k), status = statuses[std::to_string(k++)];
        const std::string out = status == "SKIP" ? "0" : number(MaskOutput(ReadFile(base + ".out")));
        const std::string err = status == "SKIP" ? "0" : number(MaskReport(ReadFile(base + ".err")));
        body += ' ' + (status.empty() ? "NONE" : status) + ' ' + out + ' ' + err + '\n';
    }
    std::cout << body;
}
