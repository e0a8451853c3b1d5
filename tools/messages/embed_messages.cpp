// Build tool of the POSIX build: turns messages.rc into a C++ table, each
// text as its UTF-8 bytes, written as escapes. The POSIX layer converts a
// text into the ANSI code page when it is loaded.
//   embed_messages messages.rc messages.inc
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

namespace {

std::string Escaped(const std::string& bytes) {
    std::string text = "\"";
    for (unsigned char byte : bytes) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X\"\"", byte);
        text += byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\' ? std::string(1, static_cast<char>(byte))
                                                                            : std::string(escape);
    }
    return text + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::ifstream file(argv[1]);
    std::ofstream out(argv[2]);
    const std::regex entry(R"re(^\s*(\d+)\s+"(.*)"\s*$)re");
    std::string line;
    std::smatch match;
    out << "// Generated from messages.rc; id, UTF-8 text.\n";
    while (std::getline(file, line)) {
        if (!std::regex_match(line, match, entry)) continue;
        std::string text = std::regex_replace(std::regex_replace(match[2].str(), std::regex(R"(\\r)"), "\r"),
                                              std::regex(R"(\\n)"), "\n");
        out << "TIKVAN_MESSAGE(" << match[1].str() << ", " << Escaped(text) << ")\n";
    }
    out << "#undef TIKVAN_MESSAGE\n";
    out.close();
    return file.eof() && out ? 0 : 1;
}
