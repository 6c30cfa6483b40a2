// capForm.dat: the 44-byte block and two strings, defaults, short files.
#include "recdesk/core/cap_form_file.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "common/fileio.h"
#include "temp_dir.h"
#include "tests_common.h"

TEST(CapFormFile, DefaultsOfAMissingFile) {
  TempDir dir;
  CapFormFile f;
  f.qualityName = "x";
  EXPECT_FALSE(f.load(dir.file("capForm.dat")));
  EXPECT_EQ(f.qualityName, sj("ＴＶ"));
  EXPECT_EQ(f.recordFileName, "C:\\AVCapture.AVI");
  EXPECT_EQ(f.viewSettings.useDefaultPos, 1);
  EXPECT_EQ(f.viewSettings.panelPosition, 1);
  EXPECT_EQ(f.viewSettings.videoSize, 0);
}

TEST(CapFormFile, FirstCloseWritesTheBlockAndTheDefaultStrings) {
  CapFormFile f;
  f.viewSettings.useDefaultPos = 0;
  std::vector<uint8_t> expected(44, 0);
  expected[0] = 1;      // version
  expected[26] = 1;     // panel at the top
  const std::string tail = sj("ＴＶ") + std::string(1, '\0') + "C:\\AVCapture.AVI" + std::string(1, '\0');
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(f.encode(), expected);
}

TEST(CapFormFile, FieldsAtTheirOffsets) {
  CapFormFile f;
  ViewSettings& v = f.viewSettings;
  v.useDefaultPos = 0;
  v.left = -10;
  v.top = 20;
  v.width = 700;
  v.height = 560;
  v.windowState = 2;
  v.alwaysOnTop = 1;
  v.panelPosition = 5;
  v.videoSize = 640;
  v.corner = 4;
  v.preallocMB = 2000;
  v.noPreviewWhileRecording = 1;
  v.confirmBeforeRecording = 1;
  f.qualityName = "";
  f.recordFileName = "D:\\a.avi";
  const std::vector<uint8_t> bytes = f.encode();
  tavora::ByteReader in(bytes);
  EXPECT_EQ(in.i32(), 1);
  EXPECT_EQ(in.u8(), 0);
  in.seek(8);
  EXPECT_EQ(in.i32(), -10);
  EXPECT_EQ(in.i32(), 20);
  EXPECT_EQ(in.i32(), 700);
  EXPECT_EQ(in.i32(), 560);
  EXPECT_EQ(in.u8(), 2);
  EXPECT_EQ(in.u8(), 1);
  EXPECT_EQ(in.u8(), 5);
  in.seek(28);
  EXPECT_EQ(in.i32(), 640);
  EXPECT_EQ(in.u8(), 4);
  in.seek(36);
  EXPECT_EQ(in.i32(), 2000);
  EXPECT_EQ(in.u8(), 1);
  EXPECT_EQ(in.u8(), 1);
  in.seek(44);
  EXPECT_EQ(in.cstr(), "");
  EXPECT_EQ(in.cstr(), "D:\\a.avi");
  EXPECT_TRUE(in.atEnd());

  CapFormFile back;
  back.decode(bytes);
  EXPECT_EQ(back.encode(), bytes);
  EXPECT_EQ(back.viewSettings.corner, 4);
}

TEST(CapFormFile, VersionAndPaddingAreIgnoredOnReading) {
  std::vector<uint8_t> bytes = CapFormFile().encode();
  bytes[0] = 9;
  bytes[5] = bytes[27] = bytes[33] = bytes[42] = 0xEE;
  CapFormFile f;
  f.decode(bytes);
  EXPECT_EQ(f.encode(), CapFormFile().encode());
}

TEST(CapFormFile, AShortOrUnterminatedFileKeepsDefaultsForWhatIsMissing) {
  CapFormFile changed;
  changed.viewSettings.left = 77;
  changed.viewSettings.preallocMB = 100;
  changed.qualityName = "A";
  std::vector<uint8_t> bytes = changed.encode();
  CapFormFile f;
  f.decode(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 30));
  EXPECT_EQ(f.viewSettings.left, 77);
  EXPECT_EQ(f.viewSettings.preallocMB, 0);
  EXPECT_EQ(f.qualityName, sj("ＴＶ"));
  f.decode(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
  EXPECT_EQ(f.viewSettings.preallocMB, 100);
  EXPECT_EQ(f.qualityName, "A");
  EXPECT_EQ(f.recordFileName, "C:\\AVCapture.AVI");
}

TEST(CapFormFile, SaveAndLoad) {
  TempDir dir;
  CapFormFile f;
  f.viewSettings.corner = 3;
  f.recordFileName = "E:\\b.avi";
  EXPECT_FALSE(f.save(dir.file("capForm.dat")));
  CapFormFile g;
  EXPECT_FALSE(g.load(dir.file("capForm.dat")));
  EXPECT_EQ(g.viewSettings.corner, 3);
  EXPECT_EQ(g.recordFileName, "E:\\b.avi");
  EXPECT_EQ(f.save(dir.file("none/capForm.dat")), sj("設定ファイルの生成に失敗しました。"));
}
