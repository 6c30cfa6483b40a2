// The compressor and the audio source end to end: grabcore.exe, driven by the stand-in front
// end, against Wine's own device enumerator (three video compressors without the compression
// dialogs, one audio input device without pins).
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "harness.h"
#include "system_devices.h"
#include "winui/text.h"

namespace {

// A started engine, and a profile of a name of the test's own whose files in the engine's folder
// are deleted before and after the test.
class Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    ASSERT_TRUE(front.start());
    ASSERT_TRUE(front.waitForEngine());
  }
  void TearDown() override {
    for (const char* extension : {".vCompress", ".audio"}) tavora::removeFile(path(extension));
  }
  std::string path(const char* extension) const {
    return winui::narrow(e2e::engineFolder()) + profile + extension;
  }
  std::optional<std::vector<uint8_t>> stored(const char* extension) const {
    return tavora::readWholeFile(path(extension));
  }
  // Runs the lines and waits for the last acknowledgement.
  bool runLines(std::initializer_list<std::string> lines) {
    int64_t last = 0;
    for (const std::string& line : lines) last = front.request(tvr::TVR_EXECONELINE, line);
    return front.waitForDone(last);
  }
  // Runs a line that fails: its box shows text, and the request is acknowledged once it is pressed.
  void expectErrorBox(const std::string& line, const wchar_t* text) {
    const int64_t id = front.request(tvr::TVR_EXECONELINE, line);
    auto box = front.waitForBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, text);
    front.press(*box);
    ASSERT_TRUE(front.waitForDone(id));
  }

  const std::string profile = e2e::uniqueName("sound");
  e2e::FrontEnd front;
};

}  // namespace

TEST_F(Sound, CompressTheListComesBeforeItsIndexAndAnInstalledCompressorIsWrittenToTheProfileAndHasNoDialog) {
  ASSERT_TRUE(runLines({"new Compress cComp", "cComp create \"" + profile + "\"", "cComp enumCompNames"}));
  // No installed compressor has the dialogs: an empty list, and nothing chosen in it.
  std::vector<e2e::Received> replies;
  for (const e2e::Received& r : front.received)
    if (r.msg == WM_COPYDATA || r.msg == tvr::TVR_COMPINDEX) replies.push_back(r);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].kind, tvr::CD_COMPNAMES);
  EXPECT_EQ(replies[0].block, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(static_cast<int32_t>(replies[1].wParam), -1);
  const std::string name = firstDeviceName(CLSID_VideoCompressorCategory);
  ASSERT_FALSE(name.empty());
  ASSERT_TRUE(runLines({"cComp setCompKind \"" + name + "\"", "cComp remove"}));
  EXPECT_FALSE(front.waitForBox(0));
  std::vector<uint8_t> expected = {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  expected.insert(expected.end(), name.begin(), name.end());
  expected.push_back(0);
  EXPECT_EQ(stored(".vCompress"), expected);
  // Made again from the profile it is bound once more, and its dialog is not there.
  front.request(tvr::TVR_EXECONELINE, "cComp create \"" + profile + "\"");
  expectErrorBox("cComp compDialog form",
                 L"クラス「TCaptureGraphBuilder」の「showDialog()」で「FindInterface」に失敗しました。");
  EXPECT_EQ(stored(".vCompress"), expected);
}

TEST_F(Sound, ACapSorceWinesAudioDeviceHasNoCapturePinSoCreateIsReportedAndUndone) {
  front.request(tvr::TVR_EXECONELINE, "new ACapSorce cACap");
  expectErrorBox("cACap create " + profile,
                 L"クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。");
  // Undone with everything else: the object is gone, so getWFormat does nothing.
  ASSERT_TRUE(runLines({"cACap getWFormat"}));
  EXPECT_FALSE(front.waitForBox(0));
  EXPECT_EQ(front.count(tvr::TVR_AUDIOFORMAT), 0u);
  EXPECT_FALSE(stored(".audio"));
}
