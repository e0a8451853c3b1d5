// Build tool of the POSIX build: turns messages.rc into a C++ table, each
// text as code page 932 bytes and as what a single-byte code page makes of
// it ("?" for each character outside ASCII), written as escapes.
//   embed_messages messages.rc > messages.inc
#include <iconv.h>

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

std::string ToCp932(const std::string& utf8) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string in = utf8;
    std::string out(utf8.size() * 2 + 4, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t fromLeft = in.size();
    std::size_t toLeft = out.size();
    if (convert == reinterpret_cast<iconv_t>(-1) || iconv(convert, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1)) {
        std::fprintf(stderr, "embed_messages: cannot convert %s\n", utf8.c_str());
        std::exit(1);
    }
    iconv_close(convert);
    out.resize(out.size() - toLeft);
    return out;
}

// Converting Japanese to a single-byte code page gives "?" for each
// character outside ASCII.
std::string ToSingleByte(const std::string& utf8) {
    std::string out;
    for (unsigned char byte : utf8) {
        if (byte < 0x80) out += static_cast<char>(byte);
        else if (byte >= 0xC0) out += '?';  // the first byte of a character
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::ifstream file(argv[1]);
    const std::regex entry(R"re(^\s*(\d+)\s+"(.*)"\s*$)re");
    std::string line;
    std::smatch match;
    std::printf("// Generated from messages.rc; id, code page 932 text, single-byte text.\n");
    while (std::getline(file, line)) {
        if (!std::regex_match(line, match, entry)) continue;
        std::string text = std::regex_replace(std::regex_replace(match[2].str(), std::regex(R"(\\r)"), "\r"),
                                              std::regex(R"(\\n)"), "\n");
        std::printf("TIKVAN_MESSAGE(%s, %s, %s)\n", match[1].str().c_str(), Escaped(ToCp932(text)).c_str(),
                    Escaped(ToSingleByte(text)).c_str());
    }
    return 0;
}
