// guidepane.dat is never half-written: a failure at any step of its save leaves the old file
// (the guide says nothing of it, as at its end).
#include <gtest/gtest.h>

#include "common/failing_steps.h"
#include "guidepane/core/def_file.h"
#include "recdesk/temp_dir.h"

TEST(HalfWritten, GuidepaneDat) {
  TempDir folder;
  const std::string path = folder.file("guidepane.dat");
  const std::vector<uint8_t> old = encodeGuideSettings({});
  ASSERT_TRUE(tavora::writeFileReplacing(path, old));
  defFile settings(path, {});
  settings.baseAddress = "http://127.0.0.1/new/";
  failing_steps::expectNeverHalfWritten({{path, old}}, [&] { return !settings.save(); });
}
