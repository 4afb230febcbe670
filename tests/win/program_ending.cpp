// Every test starts with the program not asked to end. A test that unloads
// its last form, or ends the program, leaves a request to end behind (and a
// quit message, unless a pump of its own took it): the entry's loop takes
// both here, as it would in the program.

#include <windows.h>

#include <gtest/gtest.h>

#include "forms/program.h"

namespace {

class TakeTheEnding : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        if (!forms::RequestedExitCode()) return;
        PostQuitMessage(0);
        forms::RunMessageLoop();
    }
};

const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new TakeTheEnding);
    return true;
}();

}  // namespace
