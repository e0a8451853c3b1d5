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

struct SplitRow {
    std::string line;
    std::vector<std::string> want;
};

}  // namespace

// What follows the program name, and the arguments it gives, whatever the
// name looks like.
TEST_CASE("command lines split into arguments") {
    const SplitRow rows[] = {
        {"", {}},
        {"   \t ", {}},
        {"\"\" /D", {"/D"}},                // a pair of quotes before an argument is skipped
        {"/D \"\" /T", {"/D", "/T"}},
        {"\"\" \"\"\"\" /D", {"/D"}},
        {"\"/D /T\"", {"/D /T"}},
        {"/D\"\"T", {"/DT"}},
        {"\"a\"\"b\"", {"ab"}},             // a doubled quote is no escape
        {"a\"b c\"d", {"ab cd"}},
        {"\\\"/D\\\"", {"\\/D\\"}},         // a backslash is an ordinary byte
        {"/D \"", {"/D"}},                  // the lone quote gives the empty token that ends the list
        {"/D \"/T", {"/D", "/T"}},          // a section left open ends with the line
        {"/D\x01/T\x1F/N\x20/?", {"/D", "/T", "/N", "/?"}},
        {"/D\x7F/T", {"/D\x7F/T"}},
    };
    for (const std::string name : {"tikvan", "\"C:\\Program Files\\tikvan.exe\"", "x\"y z\"w"}) {
        for (const SplitRow& row : rows) {
            const std::string line = name + " " + row.line;
            CAPTURE(line);
            CHECK(testing_text::Split(line, StepSingle) == row.want);
        }
    }
}

TEST_CASE("double-byte characters split whole") {
    const SplitRow rows[] = {
        {"t /D\x81\x40/T", {"/D\x81\x40/T"}},     // a full-width space does not separate
        {"t \"\x81\x22\" /D", {"\x81\x22", "/D"}},  // a quote as trail byte is content
        {"\x81\x20 /D", {"/D"}},                  // the program name's blank is a trail byte
        {"t /D\x81", {"/D\x81"}},                 // a lead byte before the end stands alone
    };
    for (const SplitRow& row : rows) {
        CAPTURE(row.line);
        CHECK(testing_text::Split(row.line, StepCp932) == row.want);
    }
}

// Index 0 is the executable's full path, whatever the command line says;
// indexes outside 0..N give the empty text.
TEST_CASE("argument indexes") {
    const std::string path(ArgumentAt(0));
    CAPTURE(path);
    CHECK(path.find("unit_tests") != std::string::npos);
    const std::int32_t count = ArgumentCount();
    CHECK(Arguments().size() == static_cast<std::size_t>(count));
    CHECK(ArgumentAt(count + 1).empty());
    CHECK(ArgumentAt(-1).empty());
}
