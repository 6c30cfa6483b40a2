// The recorder's settings files are never half-written: a failure at any step of a save leaves
// the old file and is reported.
#include <gtest/gtest.h>

#include "../common/failing_steps.h"
#include "recdesk/core/cap_form_file.h"
#include "recdesk/core/timer_ini.h"
#include "temp_dir.h"
#include "tests_common.h"

TEST(HalfWritten, TimerSetupDatAndCapFormDat) {
  TempDir folder;
  const std::string timerPath = folder.file("timerSetup.dat"), capPath = folder.file("capForm.dat");
  const std::vector<uint8_t> oldTimer = timerIni().encode();
  ASSERT_TRUE(tavora::writeFileReplacing(timerPath, oldTimer));
  timerIni timer;
  ASSERT_EQ(timer.load(timerPath), timerIni::LoadResult::loaded);
  timer.folder = "E:\\new\\";
  failing_steps::expectNeverHalfWritten({{timerPath, oldTimer}}, [&] { return !timer.save(); });

  CapFormFile capForm;
  const std::vector<uint8_t> oldCapForm = capForm.encode();
  capForm.qualityName = "q2";
  std::optional<std::string> report;
  failing_steps::expectNeverHalfWritten(
      {{capPath, oldCapForm}}, [&] { return (report = capForm.save(capPath)).has_value(); }, false,
      [&](tavora::WriteStep step) {
        const bool written = step == tavora::WriteStep::write || step == tavora::WriteStep::flush;
        EXPECT_EQ(report, sj(written ? "設定ファイルの書きこみに失敗しました。" : "設定ファイルの生成に失敗しました。"));
      });
}
