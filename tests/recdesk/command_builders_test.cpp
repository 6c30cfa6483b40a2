// The command lines the recorder builds, in the order the engine receives them.
#include <gtest/gtest.h>

#include <algorithm>

#include "link_fixture.h"

using Lines = std::vector<std::string>;

TEST(Builders, SetChannelMutesThenTunesTheKeyAsUnsigned16Bit) {
  LinkFixture f;
  f.link.setChannel(-2);
  f.link.setChannel(-1);
  f.link.setChannel(12);
  EXPECT_EQ(f.drain(), (Lines{"mix setMute ON", "tune setCh 65534", "mix setMute ON", "tune setCh 65535",
                              "mix setMute ON", "tune setCh 12"}));
  EXPECT_EQ(f.view.pendingMute, 3);
  f.link.resetChannel();
  EXPECT_EQ(f.drain(), (Lines{"mix setMute ON", "tune setCh"}));
}

TEST(Builders, ChannelTableLines) {
  LinkFixture f;
  f.link.changeChannel(3, "NHK", -1, 1, false);
  f.link.changeChannel(4, "TBS", 6, 6, true);
  f.link.addChannel(5, "CX", 8, false);
  f.link.deleteChannel(2);
  // Names are quoted, so a blank in one cannot shift the key and tuning.
  f.link.changeChannel(0, "A 5", 7, -2, false);
  f.link.addChannel(1, "B C", 1, true);
  EXPECT_EQ(f.drain(), (Lines{"tune changeChValue 3 \"NHK\" 65535 1 ANT", "tune changeChValue 4 \"TBS\" 6 6 CBL",
                              "tune addChToList 5 \"CX\" 8 ANT", "tune delChFromList 2",
                              "tune changeChValue 0 \"A 5\" 7 65534 ANT", "tune addChToList 1 \"B C\" 1 CBL"}));
}

TEST(Builders, MixerVideoAndMarkLines) {
  LinkFixture f;
  f.link.setVolume(49151);
  f.link.getVolume();
  f.link.setMute(false);
  f.link.getMute();
  f.link.setWinSize(640, 480);
  f.link.setQuality("Brightness", -5);
  f.link.getQuality("Hue");
  f.link.startCapture();
  f.link.sendMark(3);
  EXPECT_EQ(f.drain(), (Lines{"mix setVolume 49151", "mix getVolume", "mix setMute OFF", "mix getMute",
                              "cCapBuild setWinSize 640 480", "cVCap setQuality Brightness -5",
                              "cVCap getQuality Hue", "cCapBuild captureStream on", "mark 3"}));
}

TEST(Builders, RestoringTheSystemMuteCountsOneMuteAndOneVolumeEcho) {
  LinkFixture f;
  f.link.restoreSysVolMute();
  EXPECT_EQ(f.view.pendingMute, 1);
  EXPECT_EQ(f.view.pendingVolume, 1);
  EXPECT_EQ(f.drain(), (Lines{"mix setSysVolMute"}));
}

TEST(Builders, CreateMixer) {
  LinkFixture f;
  f.link.createMixer();
  EXPECT_EQ(f.drain(), (Lines{"new SoundMixer mix", "mix create form", "mix getMute", "mix getVolume",
                              "label setMixer", "mix getSysVolMute", "mix setMute ON"}));
  EXPECT_EQ(f.view.pendingMute, 1);
}

TEST(Builders, CleanUp) {
  LinkFixture f;
  f.link.cleanUp();
  EXPECT_EQ(f.drain(), (Lines{"mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg",
                              "clean setMixer", "mix setSysVolMute", "clean"}));
  EXPECT_EQ(f.view.pendingMute, 2);
  EXPECT_EQ(f.view.pendingVolume, 1);
}

TEST(Builders, PrepareRecordingQuotesProfileAndFile) {
  LinkFixture f;
  f.view.panel = {0x5200, 320, 240};
  f.view.prealloc = 500;
  f.link.prepareRecording("My Profile", "D:\\My Videos\\a.avi");
  const Lines panel = {"dword form 20992", "dword width 320", "dword height 240"};
  Lines expected = panel;
  for (const char* line : {"file record1z.cmd", "file record1a.cmd", "cVCap loadFormat \"My Profile\"",
                           "cACap create \"My Profile\"", "cComp create \"My Profile\"",
                           "cCapBuild setFName \"D:\\My Videos\\a.avi\" 500"})
    expected.push_back(line);
  expected.insert(expected.end(), panel.begin(), panel.end());
  for (const char* line :
       {"file record1b.cmd", "cCapBuild renderPreview cVCap", "file record1c.cmd", "mix setSysVolMute"})
    expected.push_back(line);
  EXPECT_EQ(f.drain(), expected);
}

TEST(Builders, PrepareRecordingWithoutPreview) {
  LinkFixture f;
  f.view.noPreview = true;
  f.link.prepareRecording("q", "a.avi");
  Lines lines = f.drain();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "cCapBuild renderPreview cVCap"), 0);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "file record1b.cmd");
  EXPECT_EQ(lines[lines.size() - 2], "file record1c.cmd");
  EXPECT_EQ(lines[lines.size() - 7], "cCapBuild setFName \"a.avi\" 0");
}

TEST(Builders, FirstPreviewAndBackToPreview) {
  LinkFixture f;
  f.link.firstPreview();
  EXPECT_EQ(f.drain(), (Lines{"dword form 20736", "new SoundMixer mix", "mix create form", "mix getMute",
                              "mix getVolume", "label setMixer", "mix getSysVolMute", "mix setMute ON",
                              "dword form 20992", "dword width 320", "dword height 240", "arg chForm 30464",
                              "file preView.cmd"}));
  f.link.backToPreview();
  EXPECT_EQ(f.drain(), (Lines{"mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg",
                              "dword form 20992", "dword width 320", "dword height 240", "file preView3.cmd",
                              "mix setSysVolMute"}));
}
