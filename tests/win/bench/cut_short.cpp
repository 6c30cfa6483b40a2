// A test program that ends in the middle of its run with exit code 0, as a Wine program killed
// from outside can: the bench must count it as failed.
#include <gtest/gtest.h>
#include <windows.h>

TEST(CutShort, EndsBeforeItsSummary) {
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 0);
}

TEST(CutShort, NeverRuns) { FAIL() << "the process should have ended before this test"; }
