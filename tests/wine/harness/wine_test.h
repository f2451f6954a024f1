#pragma once
// The fixture of the tests under Wine: one session (X server, window manager,
// Wine prefix) for the whole test program, since a prefix takes half a minute
// to make; a fresh vorlin.exe for each test, quit again after it.
#include <gtest/gtest.h>

#include "harness/wine_session.h"

namespace e2e::wine {

class WineTest : public ::testing::Test {
protected:
    static inline std::unique_ptr<WineSession> wine;
    std::unique_ptr<RunningVorlin> vorlin;

    static void SetUpTestSuite() { wine = std::make_unique<WineSession>(); }
    static void TearDownTestSuite() { wine.reset(); }

    void SetUp() override
    {
        // Missing Wine or a missing program fails the test: it never skips.
        ASSERT_TRUE(wine->error().empty()) << wine->error();
        vorlin = startVorlin(*wine);
        ASSERT_TRUE(vorlin->ok()) << "the main window of vorlin.exe did not appear under Wine";
    }

    void TearDown() override
    {
        if (wine->error().empty())
            endVorlin(*wine, vorlin);
    }

    const XSession& x() const { return wine->x(); }
};

} // namespace e2e::wine
