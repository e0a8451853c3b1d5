// Prints COUNT random command lines, one per line as hexadecimal bytes, from
// a fixed seed: "tikvan" and then pieces that the splitter and the switch
// reader treat differently - blanks, tabs and control bytes, double quotes,
// "/", the switch letters in both cases and "?", any byte from 0x01 to 0xFF,
// and double-byte characters of code page 932, some of whose second bytes
// are switch letters or a backslash.
//   corpus SEED COUNT
// The generator is std::mt19937 used directly, so the lines are the same on
// every machine.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr char kLetters[] = "?DNTdnt";

// A code page 932 character: katakana (0x83 0x40-0x96), whose second bytes
// include the switch letters and a backslash; hiragana (0x82 0x9F-0xF1); or
// a row of kanji (0x89 0x40-0xFC).
std::string DoubleByte(std::mt19937& random) {
    std::string pair;
    switch (random() % 3) {
        case 0: pair = {'\x83', static_cast<char>(0x40 + random() % 0x57)}; break;
        case 1: pair = {'\x82', static_cast<char>(0x9F + random() % 0x53)}; break;
        default: pair = {'\x89', static_cast<char>(0x40 + random() % 0xBD)}; break;
    }
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: corpus SEED COUNT\n");
        return 2;
    }
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
