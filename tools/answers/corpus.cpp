// answers_corpus SEED COUNT: COUNT command lines in hexadecimal, the same on every
// machine (std::mt19937): "tikvan" and blanks, tabs, quotes, "/", "?DNTdnt",
// any byte 0x01-0xFF, and code page 932 characters, some of whose second
// bytes are switch letters or a backslash.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr char kLetters[] = "?DNTdnt";

// Katakana (0x83 0x40-0x96), hiragana (0x82 0x9F-0xF1) or kanji (0x89 0x40-0xFC).
std::string DoubleByte(std::mt19937& random) {
    constexpr struct { char lead; unsigned first, count; } kRows[] = {
        {'\x83', 0x40, 0x57}, {'\x82', 0x9F, 0x53}, {'\x89', 0x40, 0xBD}};
    const auto& row = kRows[random() % 3];
    std::string pair = {row.lead, static_cast<char>(row.first + random() % row.count)};
    if (pair[1] == '\x7F') pair[1] = '\x80';
    return pair;
}

std::string Piece(std::mt19937& random) {
    switch (random() % 12) {
        case 0: case 1: return " ";
        case 2: return "\t";
        case 3: return "\"";
        case 4: case 5: return "/";
        case 6: case 7: return std::string(1, kLetters[random() % 7]);
        case 8: return std::string(1, static_cast<char>(1 + random() % 0x1F));
        case 9: return std::string(1, static_cast<char>(1 + random() % 0xFF));
        case 10: return DoubleByte(random);
        default: return "\\";
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::mt19937 random(static_cast<std::mt19937::result_type>(std::strtoul(argv[1], nullptr, 10)));
    const long count = std::strtol(argv[2], nullptr, 10);
    for (long i = 0; i < count; ++i) {
        std::string line = "tikvan ";
        for (auto pieces = 1 + random() % 12; pieces > 0; --pieces) line += Piece(random);
        for (const char byte : line) std::printf("%02x", static_cast<unsigned char>(byte));
        std::printf("\n");
    }
    return 0;
}
