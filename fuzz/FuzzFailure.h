// SPDX-License-Identifier: GPL-3.0-or-later
// How a fuzz target reports a broken invariant: the reason on stderr, then an
// abort, which libFuzzer records as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}
