#include <string>
#include <vector>

#include "args/arguments.h"
#include "check.h"
#include "text.h"

using namespace tikvan;

namespace {

const char* StepSingle(const char* at) { return *at == 0 ? at : at + 1; }

const char* StepCp932(const char* at) {
    if (*at == 0) return at;
    return testing_text::IsCp932Lead(static_cast<unsigned char>(*at)) && at[1] != 0 ? at + 2 : at + 1;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) joined += "<" + word + ">";
    return joined;
}

}  // namespace

// What follows the program name, and the arguments it gives.
TEST(command_lines_split_into_arguments) {
    const struct {
        std::string_view tail;
        std::vector<std::string> want;
    } rows[] = {
        {"", {}},
        {"   \t ", {}},
        {"\"\"", {}},
        {"\"\" /D", {"/D"}},
        {"/D \"\" /T", {"/D", "/T"}},
        {"/d\t/t", {"/d", "/t"}},
        {"\"/D /T\"", {"/D /T"}},
        {"\"/D\"T", {"/DT"}},
        {"/D\"\"T", {"/DT"}},
        {"/\"D\"", {"/D"}},
        {"/D \"", {"/D"}},
        {"/D/", {"/D/"}},
        {"/", {"/"}},
        {"//", {"//"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\\\"/D\\\"", {"\\/D\\"}},
        {"\"\" \"\"\"\" /D", {"/D"}},
        {"/D\x01/T\x1F/N\x20/?", {"/D", "/T", "/N", "/?"}},
        {"/D\x7F/T", {"/D\x7F/T"}},
        {"/D \"/T", {"/D", "/T"}},
        {"/D \"\" \"", {"/D"}},
        {"\"a\"\"b\"", {"ab"}},
    };
    const std::string names[] = {"tikvan", "\"C:\\Program Files\\tikvan.exe\"", "x\"y z\"w"};
    for (const std::string& name : names) {
        for (const auto& row : rows) {
            const std::string line = name + " " + std::string(row.tail);
            CHECK_EQ_AT(Joined(testing_text::Split(line, StepSingle)), Joined(row.want), check::Show(line));
        }
    }
}

TEST(double_byte_characters_split_whole) {
    const struct {
        std::string_view line;
        std::vector<std::string> want;
    } rows[] = {
        {"t /D\x81\x40/T", {"/D\x81\x40/T"}},    // a full-width space does not separate
        {"t \"\x81\x22\" /D", {"\x81\x22", "/D"}}, // a quote as trail byte is content
        {"\x81\x20 /D", {"/D"}},                 // program name: the blank is a trail byte
        {"t /D\x81", {"/D\x81"}},                // a lead byte before the end stands alone
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(Joined(testing_text::Split(std::string(row.line), StepCp932)), Joined(row.want), check::Show(row.line));
    }
}

TEST(a_token_stops_on_the_separator_after_it) {
    const char* line = "tikvan /D /T";
    char out[16];
    const Token token = NextArgument(line, 6, StepSingle, out);
    CHECK_EQ(std::string(out, token.length), std::string("/D"));
    CHECK_EQ(token.next, 9U);
    CHECK_EQ(NextArgument(line, 12, StepSingle, nullptr).next, 12U);
}

// Index 0 is the executable's full path, whatever the command line says;
// indexes outside 0..N give the empty text.
TEST(argument_indexes) {
    const std::string path(ArgumentAt(0));
    CHECK_AT(path.find("unit_tests") != std::string::npos, path);
    const std::int32_t count = ArgumentCount();
    CHECK_EQ(static_cast<long long>(Arguments().size()), static_cast<long long>(count));
    CHECK_EQ(std::string(ArgumentAt(count + 1)), std::string());
    CHECK_EQ(std::string(ArgumentAt(-1)), std::string());
}
