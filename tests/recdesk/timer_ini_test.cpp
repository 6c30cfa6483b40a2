// timerSetup.dat: the 88-byte block and two strings, the installation's default file, and
// short or damaged files.
#include "recdesk/core/timer_ini.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/bytes.h"
#include "common/fileio.h"
#include "temp_dir.h"

TEST(TimerSetupFile, TheInstalledFileIsTheDefaults) {
  auto installed = tavora::readWholeFile(std::string(TAVORA_SOURCE_DIR) + "/data/timerSetup.dat");
  ASSERT_TRUE(installed);
  EXPECT_EQ(*installed, timerIni().encode());
  timerIni t;
  t.noticeSeconds = 1;
  t.decode(*installed);
  EXPECT_EQ(t.noticeSeconds, timerIni().noticeSeconds);
}

TEST(TimerSetupFile, DefaultsSetUpAfterTheEngineHasHadTimeAndBeforeTheNoticeEnds) {
  timerIni t;
  EXPECT_TRUE(t.noticeOn);
  EXPECT_GE(t.setupLeadSeconds, 20);  // the engine builds the recording graph meanwhile
  EXPECT_LT(t.setupLeadSeconds, t.noticeSeconds);
  EXPECT_TRUE(t.wakeUpOff());
  EXPECT_EQ(t.folder, "C:\\");
}

TEST(TimerSetupFile, FieldsAtTheirOffsets) {
  timerIni t;
  t.noticeOn = 0;
  t.noticeSeconds = 0x1234;
  t.beepOnNotice = 0;
  t.wakeLeadSeconds = 0x2345;
  t.powerOffDelaySeconds = 0x3456;
  t.earlyStart = -10.0 / 86400.0;
  t.stopManualForReservation = 1;
  t.powerOffCountdown = 0x4567;
  t.closeViewAfterRecording = 0;
  t.setupLeadSeconds = 0x5678;
  t.wakeUpProgram = "@C:\\wake\\wakecall.exe";
  t.folder = "D:\\rec\\";
  const std::vector<uint8_t> bytes = t.encode();
  ASSERT_EQ(bytes.size(), 88u + 22 + 8);
  tavora::ByteReader in(bytes);
  in.seek(4);
  EXPECT_EQ(in.u8(), 0);
  in.seek(6);
  EXPECT_EQ(in.u16(), 0x1234);
  in.seek(10);
  EXPECT_EQ(in.u16(), 0x2345);
  EXPECT_EQ(in.u16(), 0x3456);
  in.seek(16);
  EXPECT_EQ(in.f64(), -10.0 / 86400.0);
  EXPECT_EQ(in.u32(), 0u);  // string slot
  in.seek(32);
  EXPECT_EQ(in.u32(), 0u);
  in.seek(50);
  EXPECT_EQ(in.u8(), 1);
  in.seek(52);
  EXPECT_EQ(in.u16(), 0x4567);
  EXPECT_EQ(in.u8(), 0);
  in.seek(56);
  EXPECT_EQ(in.u16(), 0x5678);
  in.seek(88);
  EXPECT_EQ(in.cstr(), "@C:\\wake\\wakecall.exe");
  EXPECT_EQ(in.cstr(), "D:\\rec\\");
  EXPECT_TRUE(in.atEnd());

  timerIni back;
  back.decode(bytes);
  EXPECT_EQ(back.encode(), bytes);
  EXPECT_EQ(back.setupLeadSeconds, 0x5678);
  EXPECT_TRUE(back.wakeUpOff());
}

TEST(TimerSetupFile, UninterpretedAndReservedBytesComeBackUnchanged) {
  std::vector<uint8_t> bytes = timerIni().encode();
  for (size_t i : {0, 1, 2, 3, 5, 9, 14, 15, 28, 29, 30, 31, 51, 55}) bytes[i] = static_cast<uint8_t>(0xA0 + i);
  for (size_t i = 36; i < 50; ++i) bytes[i] = static_cast<uint8_t>(i);
  for (size_t i = 58; i < 88; ++i) bytes[i] = static_cast<uint8_t>(i);
  std::vector<uint8_t> withPointers = bytes;
  for (size_t i : {24, 25, 26, 27, 32, 33, 34, 35}) withPointers[i] = 0x77;  // the writer's pointers
  timerIni t;
  t.decode(withPointers);
  EXPECT_EQ(t.encode(), bytes);
}

TEST(TimerSetupFile, AShortFileKeepsWhatItHasAndDefaultsTheRest) {
  timerIni changed;
  changed.noticeSeconds = 300;
  changed.wakeLeadSeconds = 400;
  std::vector<uint8_t> bytes = changed.encode();
  bytes.resize(11);  // the notice fields, half of the wake-up lead
  timerIni t;
  t.decode(bytes);
  EXPECT_EQ(t.noticeSeconds, 300);
  EXPECT_EQ(t.wakeLeadSeconds, timerIni().wakeLeadSeconds);
  EXPECT_EQ(t.setupLeadSeconds, timerIni().setupLeadSeconds);
  EXPECT_EQ(t.wakeUpProgram, "@");
  EXPECT_EQ(t.folder, "C:\\");
  EXPECT_EQ(t.encode().size(), 88u + 2 + 4);

  t.decode({});
  EXPECT_EQ(t.encode(), timerIni().encode());
}

TEST(TimerSetupFile, StringsWithoutTheirNulKeepTheDefaults) {
  timerIni changed;
  changed.wakeUpProgram = "C:\\wakecall.exe";
  changed.folder = "D:\\rec\\";
  std::vector<uint8_t> bytes = changed.encode();
  std::vector<uint8_t> noSecondNul(bytes.begin(), bytes.end() - 1);
  timerIni t;
  t.decode(noSecondNul);
  EXPECT_EQ(t.wakeUpProgram, "C:\\wakecall.exe");
  EXPECT_EQ(t.folder, "C:\\");
  std::vector<uint8_t> noFirstNul(bytes.begin(), bytes.begin() + 88 + 5);
  t.decode(noFirstNul);
  EXPECT_EQ(t.wakeUpProgram, "@");
}

TEST(TimerSetupFile, AnEarlyStartThatIsNoNumberIsTheDefault) {
  timerIni changed;
  changed.earlyStart = std::numeric_limits<double>::quiet_NaN();
  timerIni t;
  t.decode(changed.encode());
  EXPECT_EQ(t.earlyStart, 0.0);
  changed.earlyStart = -std::numeric_limits<double>::infinity();
  t.decode(changed.encode());
  EXPECT_EQ(t.earlyStart, 0.0);
}

TEST(TimerSetupFile, LoadAndSave) {
  TempDir dir;
  timerIni t;
  EXPECT_EQ(t.load(dir.file("timerSetup.dat")), timerIni::LoadResult::missing);
  timerIni written;
  written.noticeSeconds = 120;
  ASSERT_TRUE(tavora::writeFileReplacing(dir.file("timerSetup.dat"), written.encode()));
  EXPECT_EQ(t.load(dir.file("timerSetup.dat")), timerIni::LoadResult::loaded);
  EXPECT_EQ(t.noticeSeconds, 120);
  t.folder = "E:\\tv\\";
  EXPECT_TRUE(t.save());
  timerIni again;
  again.load(dir.file("timerSetup.dat"));
  EXPECT_EQ(again.folder, "E:\\tv\\");
  EXPECT_EQ(again.noticeSeconds, 120);
  timerIni nowhere;
  nowhere.load(dir.file("no/such/folder/timerSetup.dat"));
  EXPECT_FALSE(nowhere.save());
}

TEST(TimerSetupFile, AFileShortOfItsBlockIsUnreadableAndKeepsTheDefaults) {
  TempDir dir;
  timerIni written;
  written.noticeSeconds = 120;
  std::vector<uint8_t> bytes = written.encode();
  bytes.resize(timerIni::kBlockSize - 1);
  ASSERT_TRUE(tavora::writeFileReplacing(dir.file("timerSetup.dat"), bytes));
  timerIni t;
  EXPECT_EQ(t.load(dir.file("timerSetup.dat")), timerIni::LoadResult::unreadable);
  EXPECT_EQ(t.noticeSeconds, timerIni().noticeSeconds);
}
