#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "args/arguments.h"
#include "text.h"

using namespace tikvan;

namespace {

const char* StepSingle(const char* at) { return *at == 0 ? at : at + 1; }

const char* StepCp932(const char* at) {
    if (*at == 0) return at;
    return testing_text::IsCp932Lead(static_cast<unsigned char>(*at)) && at[1] != 0 ? at + 2 : at + 1;
}

}  // namespace

// The arguments after the program's name, whatever the name looks like; with
// code page 932 a trail byte is never a blank or a quote.
TEST_CASE("command lines split into arguments") {
    const struct {
        bool cp932;
        std::string line;
        std::vector<std::string> want;
    } rows[] = {
        {false, "   \t ", {}},
        {false, "\"\" /D \"\" \"\"\"\" /T", {"/D", "/T"}},
        {false, "\"/D /T\"", {"/D /T"}},
        {false, "\"a\"\"b\" a\"b c\"d", {"ab", "ab cd"}},
        {false, "/D \"", {"/D"}},
        {false, "/D \"/T", {"/D", "/T"}},
        {false, "/D\x01/T\x1F/N\x20/?", {"/D", "/T", "/N", "/?"}},
        {true, "/D\x81\x40/T", {"/D\x81\x40/T"}},
        {true, "\"\x81\x22\" /D", {"\x81\x22", "/D"}},
        {true, "/D\x81", {"/D\x81"}},
    };
    for (const std::string name : {"t", "\"C:\\Program Files\\t.exe\"", "x\"y z\"w", "\x81\x20"}) {
        for (const auto& row : rows) {
            const std::string line = name + " " + row.line;
            CAPTURE(line);
            if (name[0] != '\x81' || row.cp932) CHECK(testing_text::Split(line, row.cp932 ? StepCp932 : StepSingle) == row.want);
        }
    }
}

// Index 0 is the executable's path, whatever the command line says; indexes
// outside 0..N give the empty text.
TEST_CASE("argument indexes") {
    CHECK(std::string(ArgumentAt(0)).find("unit_tests") != std::string::npos);
    const std::int32_t count = ArgumentCount();
    CHECK(Arguments().size() == static_cast<std::size_t>(count));
    CHECK((ArgumentAt(count + 1).empty() && ArgumentAt(-1).empty()));
}

// An occurrence that begins on a trail byte stays: a byte after an odd run
// of lead bytes is a trail byte.
TEST_CASE("replace text skips occurrences on trail bytes") {
    const struct {
        bool cp932;
        std::string_view text, pattern, replacement, want;
    } rows[] = {
        {false, "\x81/D/", "/", "", "\x81" "D"},
        {true, "/\x81//D", "/", "", "\x81/D"},
        {true, "\x88\x9F/", "/", "", "\x88\x9F"},
        {true, "\x81\x82\x82", "\x82", "", "\x81\x82"},
        {false, "aXbxc", "x", "-", "a-b-c"},
        {false, "abc", "", "-", "abc"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.text);
        const LeadByteSet leadBytes = row.cp932 ? testing_text::Cp932LeadBytes() : LeadByteSet();
        CHECK(testing_text::ReplaceText(row.text, row.pattern, row.replacement, leadBytes) == row.want);
    }
    char out[2];
    CHECK(ReplaceText("abc", "x", "", LeadByteSet(), out, sizeof out) == "ab");
}
