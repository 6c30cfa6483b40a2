// The compressor and the audio source end to end: grabcore.exe, driven by the stand-in front
// end, against Wine's own device enumerator (three video compressors without the compression
// dialogs, one audio input device without pins).
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "harness.h"
#include "winui/text.h"

using e2e::FrontEnd;

namespace {

// A profile file in the engine's folder, deleted before and after the test.
class ProfileFile {
 public:
  explicit ProfileFile(const std::string& name) : path_(winui::narrow(e2e::programFolder()) + name) { clear(); }
  ~ProfileFile() { clear(); }
  std::optional<std::vector<uint8_t>> read() const { return tavora::readWholeFile(path_); }

 private:
  void clear() { tavora::removeFile(path_); }
  std::string path_;
};

// Runs the lines and waits for the last acknowledgement.
bool runLines(FrontEnd& front, std::initializer_list<std::string> lines) {
  int64_t last = 0;
  for (const std::string& line : lines) last = front.request(tvr::TVR_EXECONELINE, line);
  return front.waitForDone(last);
}

}  // namespace

TEST(Compress, TheListComesBeforeItsIndexAndAnInstalledCompressorIsWrittenToTheProfileAndHasNoDialog) {
  const std::string profile = e2e::uniqueName("comp");
  ProfileFile file(profile + ".vCompress");
  FrontEnd front;
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  ASSERT_TRUE(runLines(front, {"new Compress cComp", "cComp create \"" + profile + "\"", "cComp enumCompNames"}));
  // No installed compressor has the dialogs: an empty list, and nothing chosen in it.
  std::vector<e2e::Received> replies;
  for (const e2e::Received& r : front.received)
    if (r.msg == WM_COPYDATA || r.msg == tvr::TVR_COMPINDEX) replies.push_back(r);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].kind, tvr::CD_COMPNAMES);
  EXPECT_EQ(replies[0].block, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(static_cast<int32_t>(replies[1].wParam), -1);
  ASSERT_TRUE(runLines(front, {"cComp setCompKind \"Wine Video 1 video codec\"", "cComp remove"}));
  EXPECT_FALSE(front.waitForBox(200));
  const std::string name = "Wine Video 1 video codec";
  std::vector<uint8_t> expected = {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  expected.insert(expected.end(), name.begin(), name.end());
  expected.push_back(0);
  EXPECT_EQ(file.read(), expected);
  // Made again from the profile it is bound once more, and its dialog is not there.
  front.request(tvr::TVR_EXECONELINE, "cComp create \"" + profile + "\"");
  const int64_t id = front.request(tvr::TVR_EXECONELINE, "cComp compDialog form");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"クラス「TCaptureGraphBuilder」の「showDialog()」で「FindInterface」に失敗しました。");
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  EXPECT_EQ(file.read(), expected);
}

TEST(ACapSorce, WinesAudioDeviceHasNoCapturePinSoCreateIsReportedAndUndone) {
  const std::string profile = e2e::uniqueName("audio");
  ProfileFile file(profile + ".audio");
  FrontEnd front;
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  front.request(tvr::TVR_EXECONELINE, "new ACapSorce cACap");
  const int64_t id = front.request(tvr::TVR_EXECONELINE, "cACap create " + profile);
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。");
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  // Undone with everything else: the object is gone, so getWFormat does nothing.
  ASSERT_TRUE(runLines(front, {"cACap getWFormat"}));
  EXPECT_FALSE(front.waitForBox(200));
  EXPECT_EQ(front.count(tvr::TVR_AUDIOFORMAT), 0u);
  EXPECT_FALSE(file.read());
}
