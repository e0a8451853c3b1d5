// A minimal table-test harness: TEST registers a case, CHECK and CHECK_EQ
// report a failed expectation with its place and keep going.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace check {

struct Case {
    const char* name;
    void (*run)();
};

std::vector<Case>& Cases();
extern int failures;

struct Registrar {
    Registrar(const char* name, void (*run)()) { Cases().push_back({name, run}); }
};

// Text for a failure message: printable bytes as they are, the rest as \xNN.
std::string Show(std::string_view bytes);
inline std::string Show(long long value) { return std::to_string(value); }

void Fail(const char* file, int line, const std::string& what, const std::string& context);

}  // namespace check

#define TEST(name)                                                \
    static void name();                                           \
    static const check::Registrar name##_registrar(#name, name);  \
    static void name()

#define CHECK_AT(cond, context) \
    ((cond) ? void() : check::Fail(__FILE__, __LINE__, #cond, (context)))
#define CHECK(cond) CHECK_AT(cond, "")

#define CHECK_EQ_AT(actual, expected, context)                                                      \
    do {                                                                                            \
        const auto& check_a = (actual);                                                             \
        const auto& check_e = (expected);                                                           \
        if (!(check_a == check_e))                                                                  \
            check::Fail(__FILE__, __LINE__,                                                         \
                        std::string(#actual " == " #expected ": got ") + check::Show(check_a) +    \
                            ", want " + check::Show(check_e),                                       \
                        (context));                                                                 \
    } while (false)
#define CHECK_EQ(actual, expected) CHECK_EQ_AT(actual, expected, "")

#define CHECK_THROWS_AT(expression, Type, context)                                              \
    do {                                                                                        \
        bool check_thrown = false;                                                              \
        try {                                                                                   \
            (void)(expression);                                                                 \
        } catch (const Type&) {                                                                 \
            check_thrown = true;                                                                \
        }                                                                                       \
        if (!check_thrown) check::Fail(__FILE__, __LINE__, #expression " throws " #Type, (context)); \
    } while (false)
