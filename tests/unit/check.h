// A minimal table-test harness: TEST registers a case; the checks report a
// failed expectation with its place and the table row, and keep going.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace check {

struct Case {
    const char* name;
    void (*run)();
};
std::vector<Case>& Cases();
struct Registrar {
    Registrar(const char* name, void (*run)()) { Cases().push_back({name, run}); }
};

// Printable bytes as they are, the rest as \xNN.
std::string Show(std::string_view bytes);
inline std::string Show(long long value) { return std::to_string(value); }
void Fail(const char* file, int line, const std::string& what, const std::string& row);

}  // namespace check

#define TEST(name)                                               \
    static void name();                                          \
    static const check::Registrar name##_registrar(#name, name); \
    static void name()

#define CHECK(cond) CHECK_AT(cond, #cond)
#define CHECK_AT(cond, row) ((cond) ? void() : check::Fail(__FILE__, __LINE__, #cond, (row)))

#define CHECK_EQ_AT(actual, expected, row)                                                                    \
    do {                                                                                                      \
        const auto& check_a = (actual);                                                                       \
        const auto& check_e = (expected);                                                                     \
        if (!(check_a == check_e))                                                                            \
            check::Fail(__FILE__, __LINE__, "got " + check::Show(check_a) + ", want " + check::Show(check_e), \
                        (row));                                                                               \
    } while (false)
#define CHECK_EQ(actual, expected) CHECK_EQ_AT(actual, expected, #actual)

#define CHECK_THROWS_AT(expression, Type, row)                                    \
    do {                                                                          \
        bool check_thrown = false;                                                \
        try {                                                                     \
            (void)(expression);                                                   \
        } catch (const Type&) {                                                   \
            check_thrown = true;                                                  \
        }                                                                         \
        if (!check_thrown) check::Fail(__FILE__, __LINE__, "no " #Type, (row)); \
    } while (false)
