// A file system that fails at one step of writeFileReplacing (create, a write, flush, replace),
// for the checks that a writer never leaves half a file and reports its failure.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/fileio.h"

namespace failing_steps {

inline int stepsTaken = 0;
inline int failingStep = -1;
inline bool failingOn = false;  // every step from the failing one on fails, as on a disk gone bad
inline tavora::WriteStep failedStep{};

inline bool countOrFail(tavora::WriteStep step) {
  const int taken = stepsTaken++;
  if (taken == failingStep) failedStep = step;
  return failingOn ? taken >= failingStep : taken == failingStep;
}

// Each file with what it holds before the write. write() runs the writer and returns whether it
// reported a failure. Without failures the writer reports none and gives the new files; failing
// any one of its steps, it reports the failure and every file holds either its old or its whole
// new bytes, the one whose step failed its old, and no temporary file is left. Files written as
// one set are read back as the old set, also when every later step fails too; a file named as the old
// temporary ones is never touched. checkReport, when given, checks the writer's report after each
// failure against the step that failed.
inline void expectNeverHalfWritten(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
                                   const std::function<bool()>& write, bool oneSet = false,
                                   const std::function<void(tavora::WriteStep)>& checkReport = {}) {
  const auto restore = [&] {
    tavora::setWriteStepHookForTests(nullptr);
    for (const auto& [path, old] : files) ASSERT_TRUE(tavora::writeFileReplacing(path, old));
    stepsTaken = 0;
    tavora::setWriteStepHookForTests(countOrFail);
  };
  const std::vector<uint8_t> bystander = {'b', 'y'};
  for (const auto& file : files) ASSERT_TRUE(tavora::writeFileReplacing(file.first + ".tmp", bystander));
  failingStep = -1;
  restore();
  EXPECT_FALSE(write());
  const int steps = stepsTaken;
  EXPECT_GE(steps, 4 * static_cast<int>(files.size()));
  std::vector<std::vector<uint8_t>> written;
  for (const auto& file : files) {
    written.push_back(tavora::readWholeFile(file.first).value_or(std::vector<uint8_t>{}));
    EXPECT_NE(written.back(), file.second) << file.first;  // the write changes each file
  }
  for (int pass = 0; pass < 2 * steps; ++pass) {
    failingOn = pass >= steps;
    failingStep = pass % steps;
    restore();
    EXPECT_TRUE(write()) << "step " << failingStep;
    if (checkReport) checkReport(failedStep);
    size_t old = 0;
    std::vector<std::string> paths;
    for (const auto& file : files) paths.push_back(file.first);
    for (size_t i = 0; i < files.size(); ++i) {
      const std::vector<uint8_t> now = tavora::readFilesReplaced(paths)[i].value_or(std::vector<uint8_t>{});
      EXPECT_TRUE(now == files[i].second || now == written[i]) << files[i].first << " step " << failingStep;
      old += now == files[i].second;
      for (const std::string& own : {tavora::temporaryFileOf(files[i].first), tavora::oldFileOf(files[i].first)})
        EXPECT_FALSE(tavora::fileExists(own) && !(failingOn && own == tavora::oldFileOf(files[i].first))) << own;
      EXPECT_EQ(tavora::readWholeFile(files[i].first + ".tmp"), bystander) << files[i].first;
    }
    EXPECT_GE(old, oneSet ? files.size() : 1u) << "step " << failingStep;
  }
  tavora::setWriteStepHookForTests(nullptr);
  failingOn = false;
  for (const auto& file : files) tavora::removeFile(file.first + ".tmp");
}

}  // namespace failing_steps
