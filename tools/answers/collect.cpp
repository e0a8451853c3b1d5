// answers_collect PLAN DIR: the answers to PLAN's cases (tools/answers/format.h)
// from DIR/K.out, K.err and K.status (K: from 0), as tools/answers/wine.sh
// leaves them, in the answers' format, each text written once.
#include "format.h"

using namespace answers;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: answers_collect PLAN DIR\n";
        return 2;
    }
    std::map<std::string, int> numbers{{"", 0}};
    std::string body;
    const auto number = [&](const std::string& text) {
        const auto [at, added] = numbers.emplace(text, static_cast<int>(numbers.size()));
        if (added) std::cout << "text " << at->second << ' ' << Hex(text) << '\n';
        return std::to_string(at->second);
    };
    std::cout << "text 0 \n";
    const std::vector<Case> cases = Load(argv[1]);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const std::string base = std::string(argv[2]) + '/' + std::to_string(k);
        std::string status = ReadFile(base + ".status");
        status.erase(status.find_last_not_of("\r\n") + 1);
        const Case& c = cases[k];
        body += c.kind + ' ' + c.sample + ' ' + c.locale;
        if (c.kind == "line") body += ' ' + c.route + ' ' + c.line;
        const std::string out = status == "SKIP" ? "0" : number(MaskOutput(ReadFile(base + ".out")));
        const std::string err = status == "SKIP" ? "0" : number(MaskReport(ReadFile(base + ".err")));
        body += ' ' + (status.empty() ? "NONE" : status) + ' ' + out + ' ' + err + '\n';
    }
    std::cout << body;
}
