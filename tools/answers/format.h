// The recorded answers' format, which tools/answers/collect writes and the
// answers test reads. A case: "line SAMPLE LOCALE ROUTE HEX" (the exact line
// HEX under LC_ALL=LOCALE, output to a file, a pipe or a full disk) or
// "name SAMPLE LOCALE" ("tikvan /DTN"); SAMPLE "live" marks those CI runs
// under Wine. An answer adds the status ("SKIP": a line the code page does not
// carry) and the numbers of its texts of standard output (digits masked) and
// standard error (address and module masked), each "text N HEX" once.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace answers {

struct Case {
    std::string kind, sample, locale, route = "file", line = "74696b76616e202f44544e";  // tikvan /DTN
    std::string status, out, err;
    std::string Key() const { return kind + ' ' + locale + ' ' + route + ' ' + line; }
};

inline std::string Hex(const std::string& bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += "0123456789abcdef"[byte >> 4];
        hex += "0123456789abcdef"[byte & 15];
    }
    return hex;
}

inline std::string MaskOutput(std::string text) {
    for (char& c : text) c = c >= '0' && c <= '9' ? '9' : c;
    return text;
}

inline std::string MaskReport(const std::string& text) {
    const auto first = std::regex_constants::format_first_only;
    const std::string addressed = std::regex_replace(text, std::regex(" [0-9A-F]{8} "), " ADDRESS ", first);
    return std::regex_replace(addressed, std::regex(" [^ ]*tikvan[^ ]* "), " MODULE ", first);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The cases of a plan or an answers file, their texts resolved.
inline std::vector<Case> Load(const std::string& path) {
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
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
                texts[number] += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
            }
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

}  // namespace answers
