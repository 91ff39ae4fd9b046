#pragma once
// Tests of the baked data skip themselves in a build that has not baked it, except in CI
// (CI=true), where missing data fails the test instead of hiding it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

inline bool RunningInCi() {
    const char* ci = std::getenv("CI");
    return ci && std::strcmp(ci, "true") == 0;
}

#define TBX_REQUIRE_BAKED(file)                                                                    \
    do {                                                                                           \
        if (!std::filesystem::exists(file)) {                                                      \
            if (RunningInCi()) FAIL() << "baked data missing: " << (file);                         \
            GTEST_SKIP() << "not baked: " << (file);                                               \
        }                                                                                          \
    } while (0)
