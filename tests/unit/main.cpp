// The unit tables' runner: doctest's own main, which exits with a failure
// status when any check fails.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
