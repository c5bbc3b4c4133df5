#pragma once
// For a check that cannot run where the tests run: no sound device, no
// recording browser, a text the program does not make readable.  In CI (the
// variable CI set to anything but empty, "0" or "false"; the test scripts
// read it the same way) such a check fails with a line that says what is
// missing, so that a green run means every check ran; elsewhere it shows as
// skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

inline bool RunningInCi() {
    const char* ci = std::getenv("CI");
    return ci && *ci && std::strcmp(ci, "0") != 0 && std::strcmp(ci, "false") != 0;
}

// Ends the test function (or the void helper) it stands in; `why` is streamed
// into the message, so it may hold values:  SKIP_OR_FAIL_IN_CI("no device " << n);
#define SKIP_OR_FAIL_IN_CI(why)                                       \
    do {                                                              \
        if (RunningInCi()) {                                          \
            GTEST_FAIL() << "cannot be checked in this run: " << why; \
        }                                                             \
        GTEST_SKIP() << why;                                          \
    } while (false)
