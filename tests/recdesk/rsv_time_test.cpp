// The reservation scheduler, driven by a fake clock from a reservation file to finished
// recordings; its requests run through the engine model (engine_model.h).
#include "recdesk/core/rsv_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "common/messages.h"
#include "common/oledate.h"
#include "model_link.h"
#include "recdesk/core/graph_watch.h"
#include "reserve_builder.h"
#include "tests_common.h"

using Lines = std::vector<std::string>;

namespace {

double at(int d, int h, int n, int s = 0) { return tavora::encodeOleDateTime({2024, 3, d, h, n, s, 0}); }
double secs(double s) { return s / 86400.0; }

// Monday 4 March 2024, 20:00.
const double kNow = at(4, 20, 0);

struct Fixture : ModelLink {
  FakeClock clock;
  FakeTimer timer;
  FakeDialogs dialogs;
  FakeTray tray;
  FakeLauncher launcher;
  FakeSource source;
  timerIni settings;
  std::unique_ptr<rsvTime> rsv;
  FakeTimer pollTimer;
  GraphWatch graph{link, pollTimer};
  size_t marksSeen = 0, reported = 0;

  Fixture() { clock.time = kNow; }

  void start(const std::vector<TRsvEle>& entries) {
    source.data = reserveFile(entries);
    rsv = std::make_unique<rsvTime>(
        rsvTime::Ports{clock, timer, link, view, dialogs, tray, launcher, source, settings});
    rsv->enter();
    settle();
  }
  // Without the notice: started, and run through the set-up until the first entry records.
  void startRecording(const std::vector<TRsvEle>& entries) {
    settings.noticeOn = 0;
    start(entries);
    for (int i = 0; i < 3 && rsv->state() != rsvTime::REC; ++i) fire();
  }
  // The engine answers, and the main window acts on the marks it echoes.
  void settle() {
    answer();
    for (Lines marks = model.marks(); marksSeen < marks.size(); marks = model.marks()) {
      const std::string mark = marks[marksSeen++];
      if (mark == "4" || mark == "1") {
        view.shown = false;
        link.cleanUp();
        if (mark == "1") link.sendMark(2);
      }
      if (mark == "2") link.execOneLine("quit OFF");
      answer();
    }
  }
  // Each acknowledgement, and what the engine posts before it, as the main window hands them on.
  void answer() {
    do
      while (reported < model.host().log.size()) onPost(model.host().log[reported++]);
    while (acknowledge());
  }
  void onPost(const std::string r) {
    unsigned msg = 0;
    unsigned long long wParam = 0;
    if (std::sscanf(r.c_str(), "post %u %llu", &msg, &wParam) == 2) link.observe(msg, wParam);
    if (r == post(tvr::TVR_RECON, 0)) rsv->onRecOn(), graph.onRecOn();
    if (r == post(tvr::TVR_RECOFF, 0)) graph.onRecOff();
    if (r == post(tvr::TVR_GRAPHABORT, 0)) rsv->onGraphAbort();
  }
  bool acknowledge() {
    const std::optional<int32_t> id = transport.takeAck();
    if (id) link.sendNext(*id);
    if (id && rsv) rsv->onAcknowledged(*id);
    return id.has_value();
  }
  // Lets the one-shot timer run out once.
  void fireOnce() {
    ASSERT_TRUE(timer.running) << "the timer is off";
    clock.time += timer.interval / tavora::kMillisecondsPerDay;
    timer.running = false;
    rsv->onTimer();
    settle();
  }
  // Lets the timer run out until the time it waits for has come (it re-reads the clock on the
  // way) and the scheduler has acted.
  void fire() {
    const double due = rsv->dueTime();
    do fireOnce();
    while (timer.running && rsv->dueTime() == due && clock.time < due - secs(0.001));
  }
  void changed(const std::vector<TRsvEle>& entries) {
    source.data = reserveFile(entries);
    rsv->onReservationsChanged();
    settle();
  }
  size_t count(const std::string& entry) const {
    return std::count(transport.log.begin(), transport.log.end(), entry);
  }
  bool sent(const std::string& entry) const { return count(entry) > 0; }
};

TRsvEle news(uint8_t powerOff = 0) {
  TRsvEle e = reservation(at(4, 21, 0), at(4, 22, 0), 12, "news");
  e.powerOff = powerOff;
  return e;
}

}  // namespace

TEST(Scheduler, NoReservationFileMeansIdleWithTheTimerOff) {
  Fixture f;
  f.rsv = std::make_unique<rsvTime>(
      rsvTime::Ports{f.clock, f.timer, f.link, f.view, f.dialogs, f.tray, f.launcher, f.source, f.settings});
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  f.rsv->enter();
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_FALSE(f.timer.running);
  EXPECT_TRUE(f.rsv->reservations().empty());
  // A reservation arrives while idle.
  f.changed({news()});
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_TRUE(f.timer.running);
}

TEST(Scheduler, ARecordingFromNoticeToFinishWithTheViewHidden) {
  Fixture f;
  f.start({news()});
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_EQ(f.rsv->dueTime(), at(4, 20, 58, 30));  // the notice time
  EXPECT_EQ(f.timer.interval, kClockRecheckMs);
  EXPECT_EQ(f.tray.tip, sj("次の予約は「news」 03/04 21:00～ です"));

  // The notice runs until its deadline, 30 seconds before the start, and records.
  f.dialogs.duringNotice = [&] {
    EXPECT_EQ(f.rsv->state(), rsvTime::NOTICE);
    f.clock.time += secs(60);
  };
  f.fire();
  EXPECT_EQ(f.dialogs.log, (Lines{"beep", "notice normal app"}));
  EXPECT_EQ(f.dialogs.noticeStart, at(4, 21, 0));
  EXPECT_EQ(f.rsv->state(), rsvTime::READY);
  EXPECT_EQ(f.timer.interval, 30000u);
  EXPECT_EQ(f.view.shows, 1);
  EXPECT_TRUE(f.model.previewing());
  EXPECT_EQ(f.model.device("cVCap").profile, "q1");
  EXPECT_TRUE(f.sent("line cCapBuild setFName \"D:\\rec\\news.avi\" 0"));
  EXPECT_EQ(f.transport.log.back(), "line tune setCh 12");
  EXPECT_EQ(f.tray.log.back(), "icon 1");

  f.fire();
  EXPECT_NEAR(f.clock.time, at(4, 21, 0), secs(0.001));
  EXPECT_EQ(f.rsv->state(), rsvTime::REC);
  EXPECT_TRUE(f.model.capturing());
  EXPECT_TRUE(f.sent("line tune setCaption \"" + sj("21:00～22:00") + " news\""));
  EXPECT_EQ(f.rsv->dueTime(), at(4, 22, 0));
  EXPECT_EQ(f.tray.log, (Lines{"tip", "icon 1", "items on", "icon 2"}));

  f.fire();
  EXPECT_FALSE(f.model.capturing());
  EXPECT_EQ(f.model.marks(), (Lines{"4"}));  // the view closes after the recording
  EXPECT_TRUE(f.model.undoList().empty());
  EXPECT_EQ(f.tray.log.back(), "items off");
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_FALSE(f.timer.running);
  EXPECT_EQ(f.rsv->reservations()[0].done, 1);
}

TEST(Scheduler, WithTheNoticeOffTheSetUpWaitsForItsTimeWithoutADialog) {
  Fixture f;
  f.settings.noticeOn = 0;
  f.start({news()});
  EXPECT_EQ(f.view.optionsClosed, 0);
  f.fire();
  EXPECT_EQ(f.view.optionsClosed, 1);  // an options dialog closes before anything is set up
  EXPECT_EQ(f.rsv->state(), rsvTime::NOTICE);
  EXPECT_EQ(f.timer.interval, 60000u);
  EXPECT_TRUE(f.transport.log.empty());
  f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::READY);
  EXPECT_TRUE(f.dialogs.log.empty());
  EXPECT_TRUE(f.model.previewing());
  f.fire();
  EXPECT_TRUE(f.model.capturing());
}

TEST(Scheduler, ALateStartSetsUpWithin50Milliseconds) {
  Fixture f;
  f.clock.time = at(4, 20, 59, 45);
  f.start({news()});
  EXPECT_EQ(f.timer.interval, 50u);
  f.fire();
  EXPECT_TRUE(f.dialogs.log.empty());  // the set-up time has passed: no notice
  EXPECT_EQ(f.rsv->state(), rsvTime::NOTICE);
  EXPECT_EQ(f.timer.interval, 50u);
  f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::READY);
  EXPECT_EQ(f.timer.interval, 15000u - 100);
}

TEST(Scheduler, EarlyStartCapturesBeforeTheStart) {
  Fixture f;
  f.settings.noticeOn = 0;
  f.settings.earlyStart = -5.0 / 86400.0;
  f.start({news()});
  f.fire();
  f.fire();
  EXPECT_EQ(f.timer.interval, 25000u);
  f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::REC);
  EXPECT_NEAR(f.clock.time, at(4, 21, 0) - secs(5), secs(0.002));
}

TEST(Scheduler, AReservationSixtyDaysAheadReArmsTheCappedWait) {
  Fixture f;
  TRsvEle far = news();
  far.start += 60;
  far.end += 60;
  f.start({far});
  EXPECT_EQ(f.timer.interval, kClockRecheckMs);
  f.fireOnce();
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_TRUE(f.dialogs.log.empty());
  EXPECT_EQ(f.rsv->dueTime(), far.start - secs(90));
  f.fire();
  EXPECT_EQ(f.dialogs.log, (Lines{"beep", "notice normal app"}));
  EXPECT_NEAR(f.clock.time, far.start - secs(90), secs(0.001));
}

TEST(Scheduler, ATimerThatFiresTooEarlyReArmsInsteadOfActing) {
  Fixture f;
  f.settings.noticeOn = 0;
  f.start({news()});
  f.fire();
  f.fire();
  ASSERT_EQ(f.rsv->state(), rsvTime::READY);
  // The clock was set back a minute meanwhile.
  f.clock.time -= secs(60);
  f.fireOnce();
  EXPECT_EQ(f.rsv->state(), rsvTime::READY);
  EXPECT_FALSE(f.model.capturing());
  EXPECT_EQ(f.timer.interval, 60000u);
  f.fire();
  ASSERT_EQ(f.rsv->state(), rsvTime::REC);
  f.clock.time -= secs(600);
  f.fireOnce();
  EXPECT_EQ(f.rsv->state(), rsvTime::REC);
  EXPECT_TRUE(f.model.capturing());
}

TEST(Scheduler, CancelAtTheNotice) {
  Fixture f;
  f.dialogs.noticeResults = {3};
  f.start({news(), reservation(at(5, 21, 0), at(5, 22, 0), 4, "later")});
  f.fire();
  EXPECT_TRUE(f.transport.log.empty());
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_EQ(f.rsv->currentEntry()->title, "later");
  EXPECT_EQ(f.rsv->reservations()[0].done, 1);
}

TEST(Scheduler, CancelAndWatchTvBuildsThePreviewOnTheChannel) {
  Fixture f;
  f.dialogs.noticeResults = {2};
  f.start({news()});
  f.fire();
  EXPECT_TRUE(f.model.previewing());
  EXPECT_TRUE(f.sent("file preView.cmd"));
  EXPECT_EQ(f.transport.log.back(), "line tune setCh 12");
  EXPECT_FALSE(f.sent("file record1z.cmd"));
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
}

TEST(Scheduler, AnUnexpectedNoticeResultRecords) {
  Fixture f;
  f.dialogs.noticeResults = {0};
  f.start({news()});
  f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::READY);
}

TEST(Scheduler, ANoticeDuringAManualRecording) {
  Fixture f;
  f.view.shown = true;
  f.view.recording = true;
  f.dialogs.noticeResults = {1};
  f.start({news()});
  f.fire();  // running out drops the reservation when manual recordings are not to be stopped
  EXPECT_EQ(f.dialogs.log, (Lines{"beep", "notice manual view"}));
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_TRUE(f.transport.log.empty());

  Fixture g;
  g.view.recording = true;
  g.settings.stopManualForReservation = 1;
  g.settings.beepOnNotice = 0;
  g.link.firstPreview();
  g.settle();
  g.view.shown = true;
  g.dialogs.noticeResults = {1};
  g.start({news()});
  g.fire();
  EXPECT_EQ(g.dialogs.log, (Lines{"notice manual view"}));
  EXPECT_EQ(g.rsv->state(), rsvTime::READY);
  EXPECT_TRUE(g.sent("line clean setMixer"));
  EXPECT_TRUE(g.model.previewing());
  // The manual recording ended while the notice was open: the reservation records.
  Fixture h;
  h.view.recording = true;
  h.dialogs.duringNotice = [&] { h.view.recording = false; };
  h.start({news()});
  h.fire();
  EXPECT_EQ(h.rsv->state(), rsvTime::READY);
}

TEST(Scheduler, StoppedByTheRecordButtonReturnsToThePreviewWithoutPowerOff) {
  Fixture f;
  f.settings.noticeOn = 0;
  TRsvEle e = news();
  e.powerOff = 1;
  f.start({e});
  f.fire();
  f.fire();
  f.fire();
  ASSERT_EQ(f.rsv->state(), rsvTime::REC);
  f.clock.time += secs(600);
  f.rsv->exitRec(false, false);
  f.settle();
  EXPECT_TRUE(f.model.previewing());
  EXPECT_TRUE(f.model.marks().empty());
  EXPECT_TRUE(f.dialogs.log.empty());
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
}

TEST(Scheduler, PowerOffAfterTheLastRecording) {
  for (bool yes : {true, false}) {
    Fixture f;
    // The view's close on "mark 4" and on "mark 1" cleans up again after the scheduler's own
    // clean-up; the engine ignores those lines, as they name objects that are gone.
    f.model.ignoreLinesForMissingObjects = true;
    f.settings.noticeOn = 0;
    f.dialogs.powerOffAnswer = yes;
    TRsvEle e = news();
    e.powerOff = 1;
    f.start({e});
    f.fire();
    f.fire();
    f.fire();
    f.fire();
    EXPECT_EQ(f.dialogs.log, (Lines{"poweroff?"}));
    if (yes) {
      // mark 4 closes the view, then "clean", "mark 1", whose echo sends "mark 2" and "quit OFF".
      EXPECT_EQ(f.model.marks(), (Lines{"4", "1", "2"}));
      EXPECT_EQ(f.transport.log.back(), "line quit OFF");
      EXPECT_FALSE(f.timer.running);
      EXPECT_TRUE(f.model.undoList().empty());
      const Lines cleanUpLines = {"mix getSysVolMute", "mix setMute ON", "tune nukeWithoutNeeds cFg",
                                  "mix setSysVolMute"};
      for (const std::string& line : f.model.ignoredLines)
        EXPECT_EQ(std::count(cleanUpLines.begin(), cleanUpLines.end(), line), 1) << line;
    } else {
      EXPECT_EQ(f.model.marks(), (Lines{"4"}));
      EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
    }
  }
}

TEST(Scheduler, NoPowerOffWhenTheNextReservationIsTooNear) {
  Fixture f;
  f.settings.noticeOn = 0;
  TRsvEle e = news();
  e.powerOff = 1;
  // 60 + 180 + 30 seconds are needed; the next starts 4 minutes after the end.
  f.start({e, reservation(at(4, 22, 4), at(4, 23, 0), 3, "next")});
  for (int i = 0; i < 4; ++i) f.fire();
  EXPECT_TRUE(f.dialogs.log.empty());
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_FALSE(f.rsv->powerOffFitsBefore(at(4, 22, 4)));
  EXPECT_TRUE(f.rsv->powerOffFitsBefore(at(4, 22, 5)));
  EXPECT_TRUE(f.rsv->powerOffFitsBefore(std::nullopt));
}

TEST(Scheduler, BackToBackReservationsRecordBoth) {
  for (uint8_t closeView : {1, 0}) {
    Fixture f;
    f.settings.closeViewAfterRecording = closeView;
    f.dialogs.duringNotice = [&] { f.clock.time += secs(60); };
    f.start({news(), reservation(at(4, 22, 0), at(4, 23, 0), 4, "drama")});
    for (int i = 0; i < 3; ++i) f.fire();
    ASSERT_EQ(f.rsv->state(), rsvTime::WAIT);
    EXPECT_EQ(f.rsv->currentEntry()->title, "drama");
    EXPECT_EQ(f.timer.interval, 50u);
    f.fire();  // notice and set-up time have passed
    f.fire();
    f.fire();
    EXPECT_EQ(f.rsv->state(), rsvTime::REC);
    EXPECT_TRUE(f.model.capturing());
    EXPECT_LT(f.clock.time, at(4, 22, 0) + secs(1));
    EXPECT_EQ(f.count("line cCapBuild captureStream on"), 2u);
    EXPECT_EQ(f.count("line tune setCh 4"), 1u);
    f.fire();
    EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  }
}

TEST(Scheduler, ARepeatingReservationRecordsAgainInTheSameRun) {
  Fixture f;
  f.settings.noticeOn = 0;
  f.start({reservation(at(4, 21, 0), at(4, 22, 0), 12, "daily", TRsvEle::kDaily)});
  for (int i = 0; i < 4; ++i) f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_EQ(f.rsv->currentEntry()->start, at(5, 21, 0));
  for (int i = 0; i < 4; ++i) f.fire();
  EXPECT_EQ(f.count("line cCapBuild captureStream on"), 2u);
  EXPECT_EQ(f.rsv->currentEntry()->start, at(6, 21, 0));
}

TEST(Scheduler, ACancelledRepeatingReservationGoesOnToItsNextOccurrence) {
  Fixture f;
  f.dialogs.noticeResults = {3};
  f.start({reservation(at(4, 21, 0), at(4, 22, 0), 12, "weekly", TRsvEle::kWeekly)});
  f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_EQ(f.rsv->currentEntry()->start, at(11, 21, 0));
  EXPECT_EQ(f.rsv->currentEntry()->done, 0);
  // A reload with the unchanged file keeps this week's occurrence finished.
  f.changed({reservation(at(4, 21, 0), at(4, 22, 0), 12, "weekly", TRsvEle::kWeekly)});
  EXPECT_EQ(f.rsv->currentEntry()->start, at(11, 21, 0));
}

TEST(Scheduler, AReloadDoesNotRecordAFinishedReservationAgain) {
  Fixture f;
  f.settings.closeViewAfterRecording = 0;
  f.startRecording({news()});
  f.clock.time += secs(600);
  f.rsv->exitRec(false, false);  // stopped by hand at 21:10; its end is still ahead
  f.settle();
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  f.changed({news()});
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_EQ(f.rsv->reservations()[0].done, 1);
  EXPECT_EQ(f.count("file record1z.cmd"), 1u);
  // A reservation that only looks alike (another channel) is a new one.
  TRsvEle other = news();
  other.channel = 5;
  f.changed({news(), other});
  EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_EQ(f.rsv->currentEntry()->channel, 5);
}

TEST(Scheduler, ReservationsChangedInEveryState) {
  const TRsvEle replaced = reservation(at(4, 20, 30), at(4, 20, 45), 7, "new");
  // WAIT: reload at once, the tray back to waiting.
  {
    Fixture f;
    f.start({news()});
    f.tray.log.clear();
    f.changed({replaced});
    EXPECT_EQ(f.tray.log.front(), "icon 0");
    EXPECT_EQ(f.rsv->currentEntry()->title, "new");
    EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
  }
  // NOTICE, READY, REC: noted (the file read only for the running end); the reload follows the end.
  for (rsvTime::State state : {rsvTime::NOTICE, rsvTime::READY, rsvTime::REC}) {
    Fixture f;
    f.settings.noticeOn = 0;
    f.start({news()});
    while (f.rsv->state() != state) f.fire();
    const int reads = f.source.reads + 1;
    f.changed({replaced, reservation(at(4, 23, 0), at(4, 23, 30), 8, "after")});
    EXPECT_EQ(f.source.reads, reads);
    EXPECT_TRUE(f.rsv->reloadPending());
    EXPECT_EQ(f.rsv->state(), state);
    EXPECT_EQ(f.rsv->currentEntry()->title, "news");
    while (f.rsv->state() != rsvTime::WAIT) f.fire();
    EXPECT_EQ(f.source.reads, reads + 1);
    EXPECT_FALSE(f.rsv->reloadPending());
    EXPECT_EQ(f.rsv->currentEntry()->title, "after");
    EXPECT_EQ(f.count("line cCapBuild captureStream on"), 1u);
  }
}

TEST(Scheduler, AChangeWhileTheNoticeIsOpenWaitsForIt) {
  Fixture f;
  f.dialogs.duringNotice = [&] {
    f.changed({reservation(at(4, 23, 0), at(4, 23, 30), 8, "other")});
    EXPECT_TRUE(f.rsv->reloadPending());
  };
  f.start({news()});
  f.fire();
  EXPECT_EQ(f.rsv->state(), rsvTime::READY);
  EXPECT_EQ(f.rsv->currentEntry()->title, "news");
  EXPECT_EQ(f.count("file record1z.cmd"), 1u);
}

TEST(Scheduler, ANoticeThatFailsDoesNotHoldTheSchedulerForGood) {
  Fixture f;
  f.dialogs.duringNotice = [] { throw std::runtime_error("no window"); };
  f.start({news()});
  EXPECT_THROW(f.fire(), std::runtime_error);
  EXPECT_EQ(f.rsv->state(), rsvTime::NOTICE);
  EXPECT_FALSE(f.timer.running);
  // A clock change measures the wait afresh, as it does when no dialog is open.
  f.rsv->onClockChanged();
  EXPECT_TRUE(f.timer.running);
}

TEST(Scheduler, TheWakeUpProgramGetsTheNextStartLessTheLead) {
  Fixture f;
  f.settings.wakeUpProgram = "C:\\Program Files\\wakecall.exe";
  f.start({news()});
  EXPECT_EQ(f.launcher.log, (Lines{"C:\\Program Files\\wakecall.exe /ON /D4 /H20 /M57 /S0", "pump"}));
  f.launcher.log.clear();
  f.launcher.succeeds = false;
  f.rsv->armWakeUp();
  EXPECT_EQ(f.launcher.log.size(), 1u);
  EXPECT_EQ(f.dialogs.log, (Lines{"error " + sj("wakecall.exeを起動できませんでした。")}));
  // Switched off: nothing starts.
  f.settings.wakeUpProgram = "@C:\\Program Files\\wakecall.exe";
  f.launcher.log.clear();
  f.rsv->armWakeUp();
  EXPECT_TRUE(f.launcher.log.empty());
}

TEST(Scheduler, TheDateGoesIntoTheFileNameWhenAsked) {
  Fixture f;
  f.settings.noticeOn = 0;
  TRsvEle e = news();
  e.addDate = 1;
  e.fileName = "D:\\rec.v2\\news.avi";
  f.start({e});
  f.fire();
  f.fire();
  EXPECT_TRUE(f.sent("line cCapBuild setFName \"D:\\rec.v2\\news_0304.avi\" 0"));
}

TEST(Scheduler, AProfileNameWithABlankStaysOneToken) {
  Fixture f;
  f.settings.noticeOn = 0;
  TRsvEle e = news();
  e.quality = "High Quality";
  f.start({e});
  f.fire();
  f.fire();
  EXPECT_EQ(f.model.device("cVCap").profile, "High Quality");
}

TEST(Scheduler, ANewEndDuringTheRecording) {
  Fixture f;
  f.dialogs.powerOffAnswer = false;
  f.settings.noticeOn = 0;
  f.start({news()});
  f.fire();
  f.fire();
  f.fire();
  ASSERT_EQ(f.rsv->state(), rsvTime::REC);
  f.rsv->changeEnd(at(4, 21, 30), true);
  EXPECT_EQ(f.rsv->dueTime(), at(4, 21, 30));
  EXPECT_TRUE(f.rsv->recordingPowerOff());
  f.rsv->changeEnd(std::nan(""), false);  // refused
  EXPECT_EQ(f.rsv->recordingEnd(), at(4, 21, 30));
  // The dialog's OK over an end the table moved while it was open: only what the user changed applies.
  f.changed({reservation(at(4, 21, 0), at(4, 21, 45), 12, "news")});
  f.rsv->answerStopTime(at(4, 21, 30), true, at(4, 21, 30), true);
  EXPECT_EQ(f.rsv->dueTime(), at(4, 21, 45));
  f.fire();
  EXPECT_EQ(f.dialogs.log, (Lines{"poweroff?"}));
}

TEST(Scheduler, DisabledAndDoneEntriesAreNeverPicked) {
  Fixture f;
  TRsvEle off = news();
  off.enabled = 0;
  TRsvEle done = reservation(at(4, 21, 30), at(4, 22, 0), 3, "done");
  done.done = 1;
  f.start({off, done});
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_FALSE(f.rsv->nextStart());
}

TEST(TimerInterval, ClampedAsADouble) {
  EXPECT_EQ(timerInterval(0, 1), 86400000u);
  EXPECT_EQ(timerInterval(0, 0), 50u);
  EXPECT_EQ(timerInterval(1, 0), 50u);
  EXPECT_EQ(timerInterval(0, 1e9), 4294967295u);
  EXPECT_EQ(timerInterval(0, std::nan("")), 4294967295u);
  EXPECT_EQ(timerInterval(0, 0.5 / 86400000.0), 50u);
  EXPECT_EQ(timerInterval(0, 100.4 / 86400000.0), 100u);
  EXPECT_EQ(timerInterval(0, 100.6 / 86400000.0), 101u);
}

// A recording stopped early by a new end is known as finished by the occurrence it recorded.
TEST(Scheduler, AnEndMovedEarlierIsNotRecordedAgainAfterAReload) {
  Fixture f;
  f.settings.closeViewAfterRecording = 0;
  f.startRecording({news()});
  ASSERT_EQ(f.rsv->state(), rsvTime::REC);
  f.rsv->changeEnd(at(4, 21, 30), false);
  f.fire();
  EXPECT_NEAR(f.clock.time, at(4, 21, 30), secs(0.001));
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  // planbook rewrites the file after the changed end, before the reserved one.
  f.clock.time = at(4, 21, 40);
  f.changed({news()});
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  f.changed({reservation(at(4, 21, 15), at(4, 22, 0), 12, "news")});  // its start put back: the same file
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_EQ(f.count("file record1z.cmd"), 1u);
}

TEST(Scheduler, ANewEndAndPowerOffApplyToTheRunningOccurrenceOnly) {
  Fixture f;
  f.dialogs.powerOffAnswer = false;
  f.startRecording({reservation(at(4, 21, 0), at(4, 22, 0), 12, "daily", TRsvEle::kDaily)});
  f.rsv->changeEnd(at(4, 21, 30), true);
  f.fire();
  EXPECT_EQ(f.dialogs.log, (Lines{"poweroff?"}));
  ASSERT_EQ(f.rsv->state(), rsvTime::WAIT);
  EXPECT_EQ(f.rsv->currentEntry()->end, at(5, 22, 0));
  EXPECT_EQ(f.rsv->currentEntry()->powerOff, 0);
  for (int i = 0; i < 3; ++i) f.fire();
  EXPECT_EQ(f.rsv->recordingEnd(), at(5, 22, 0));
  EXPECT_FALSE(f.rsv->recordingPowerOff());
  f.fire();
  EXPECT_NEAR(f.clock.time, at(5, 22, 0), secs(0.001));
  EXPECT_EQ(f.dialogs.log.size(), 1u);  // no second question
}

// While the power-off question is open, a reservation change waits for it, and a stop (the
// record button or "録画停止") leaves the reservation picked next alone.
TEST(Scheduler, DuringThePowerOffQuestion) {
  for (bool stop : {false, true}) {
    Fixture f;
    f.dialogs.powerOffAnswer = false;
    TRsvEle e = news();
    e.powerOff = 1;
    const TRsvEle tomorrow = reservation(at(5, 21, 0), at(5, 22, 0), 8, "tomorrow");
    f.dialogs.duringPowerOff = [&] {
      EXPECT_NE(f.rsv->state(), rsvTime::REC);
      if (stop) f.rsv->exitRec(false, false);
      else f.rsv->onReservationsChanged();
    };
    f.startRecording(stop ? std::vector<TRsvEle>{e, tomorrow} : std::vector<TRsvEle>{e});
    f.source.data = reserveFile({e, tomorrow});
    f.fire();
    EXPECT_EQ(f.dialogs.log, (Lines{"poweroff?"}));
    EXPECT_EQ(f.rsv->state(), rsvTime::WAIT);
    ASSERT_NE(f.rsv->currentEntry(), nullptr);
    EXPECT_EQ(f.rsv->currentEntry()->title, "tomorrow");
    EXPECT_EQ(f.rsv->currentEntry()->done, 0);
    EXPECT_EQ(f.count("line cFg stopGraph"), 1u);
  }
}

// The wake-up program's start pumps messages: a change handled there waits until the finish
// of the occurrence is through, even one that empties the list.
TEST(Scheduler, AChangeWhileTheWakeUpProgramStartsAfterAFinishWaitsForIt) {
  Fixture f;
  f.settings.wakeUpProgram = "wakecall.exe";
  f.dialogs.powerOffAnswer = false;
  TRsvEle e = news();
  e.powerOff = 1;
  f.startRecording({e, reservation(at(5, 21, 0), at(5, 22, 0), 8, "tomorrow")});
  f.launcher.duringPump = [&] { f.changed({}); };
  f.fire();
  EXPECT_EQ(f.dialogs.log, (Lines{"poweroff?"}));
  EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
  EXPECT_TRUE(f.rsv->reservations().empty());
}

// Intervals are differences of local times: the timer reads the clock again at least every
// kClockRecheckMs, and at once when Windows says the clock was set.
TEST(Scheduler, EveryDueTimeIsMetWithinAMinuteWhateverTheClockDid) {
  // The clock moves forward (daylight saving, a correction) during the wait for the notice.
  {
    Fixture f;
    f.start({news()});
    f.clock.time += secs(58 * 60);
    const double jumped = f.clock.time;
    f.fireOnce();
    EXPECT_EQ(f.rsv->state(), rsvTime::READY);
    EXPECT_LE(f.clock.time - jumped, secs(60.001));
  }
  // The clock is set back during the recording: it still ends at its end, not an hour early.
  {
    Fixture f;
    f.startRecording({news()});
    f.clock.time = at(4, 21, 30);
    f.rsv->onClockChanged();
    f.clock.time -= secs(3600);
    f.rsv->onClockChanged();
    EXPECT_EQ(f.rsv->state(), rsvTime::REC);
    EXPECT_LE(f.timer.interval, kClockRecheckMs);
    f.fire();
    EXPECT_NEAR(f.clock.time, at(4, 22, 0), secs(0.001));
    EXPECT_FALSE(f.model.capturing());
  }
  // WM_TIMECHANGE after a jump past the start acts at once.
  {
    Fixture f;
    f.settings.noticeOn = 0;
    f.start({news()});
    f.fire();
    ASSERT_EQ(f.rsv->state(), rsvTime::NOTICE);
    f.clock.time = at(4, 21, 0, 5);
    f.rsv->onClockChanged();
    f.settle();
    EXPECT_EQ(f.rsv->state(), rsvTime::READY);
    f.rsv->onClockChanged();
    f.settle();
    EXPECT_EQ(f.rsv->state(), rsvTime::REC);
    EXPECT_TRUE(f.model.capturing());
  }
  // While the notice is open the scheduler waits for it.
  {
    Fixture f;
    f.dialogs.duringNotice = [&] {
      f.clock.time += secs(120);
      f.rsv->onClockChanged();
      EXPECT_EQ(f.rsv->state(), rsvTime::NOTICE);
    };
    f.start({news()});
    f.fire();
    EXPECT_EQ(f.rsv->state(), rsvTime::READY);
    EXPECT_EQ(f.count("file record1z.cmd"), 1u);
  }
}

TEST(Scheduler, TheProgramsEndStopsARunningCaptureFirst) {
  Fixture f;
  f.startRecording({news()});
  ASSERT_TRUE(f.model.capturing());
  f.rsv->stopForExit();
  f.settle();
  EXPECT_FALSE(f.model.capturing());
  EXPECT_FALSE(f.timer.running);
  // A manual recording too; nothing to stop otherwise.
  Fixture g;
  g.link.firstPreview();
  g.settle();
  g.transport.log.clear();
  g.view.recording = true;
  g.start({});
  g.rsv->stopForExit();
  g.settle();
  EXPECT_EQ(g.transport.log, (Lines{"line cFg stopGraph"}));
  Fixture h;
  h.start({news()});
  h.rsv->stopForExit();
  EXPECT_TRUE(h.transport.log.empty());
  EXPECT_FALSE(h.timer.running);
}

// A reservation added during the power-off countdown or the wake-up start after a recording keeps
// the PC on when near, else gets the alarm; the wake-up program's error box holds no timer.
TEST(Scheduler, TheStepsAfterARecordingTakeUpWhatTheirWaitsLetIn) {
  for (int wait = 0; wait < 3; ++wait) {
    Fixture f;
    f.model.ignoreLinesForMissingObjects = true;
    f.settings.wakeUpProgram = "wakecall.exe";
    f.launcher.succeeds = wait != 2;
    std::vector<TRsvEle> list = {news(1), reservation(at(5, 21, 0), at(5, 22, 0), 4, "tomorrow")};
    f.startRecording(list);
    list.push_back(reservation(wait == 1 ? at(5, 20, 0) : at(4, 22, 3), at(5, 23, 0), 8, "added"));
    bool timerRuns = false, done = false;
    (wait == 0 ? f.dialogs.duringPowerOff : wait == 1 ? f.launcher.duringPump : f.dialogs.duringError) = [&] {
      if (!done) done = true, timerRuns = f.timer.running, f.changed(list);
    };
    f.fire();
    EXPECT_EQ(f.sent("line quit OFF"), wait == 1);
    const char* alarm = wait == 1 ? "wakecall.exe /ON /D5 /H19 /M57 /S0" : "wakecall.exe /ON /D4 /H22 /M0 /S0";
    EXPECT_EQ(std::count(f.launcher.log.begin(), f.launcher.log.end(), alarm) + timerRuns, 1 + (wait == 2));
  }
}

// A new end in the table moves the running occurrence's stop; one from the stop-time dialog keeps
// it the next reservation until it stops, then it steps on once.
TEST(Scheduler, TheRunningOccurrenceTakesItsNewEndAndIsRecordedOnce) {
  const TRsvEle daily = reservation(at(4, 21, 0), at(4, 22, 0), 12, "daily", TRsvEle::kDaily);
  for (double end : {at(4, 22, 30), at(4, 21, 40), -at(4, 22, 30), at(4, 22, 45)}) {
    Fixture f;
    f.startRecording({daily});
    f.clock.time = at(4, 21, 30);
    TRsvEle moved = daily;
    moved.end = std::fabs(end), moved.start += end == at(4, 22, 45) ? secs(900) : 0;  // also put back
    end > 0 ? f.changed({moved}) : f.rsv->changeEnd(moved.end, false);
    EXPECT_EQ(f.rsv->dueTime(), moved.end);
    f.clock.time = moved.end - secs(60);
    EXPECT_EQ(f.rsv->nextStart(), moved.start);  // the end of Windows warns of it
    f.fire();
    EXPECT_NEAR(f.clock.time, moved.end, secs(0.001));
    EXPECT_EQ(f.rsv->currentEntry()->start, moved.start + 1);
    f.changed({daily});
    EXPECT_EQ(f.count("file record1z.cmd"), 1u);  // never set up again
  }
}

// Woken after a reservation's end the scheduler lets it go unset-up; woken mid-way it records the rest.
TEST(Scheduler, AReservationThatEndedWhileThePCSleptIsNotSetUp) {
  Fixture f;
  f.start({news(1), reservation(at(5, 21, 0), at(5, 22, 0), 4, "tomorrow")});
  f.clock.time = at(5, 7, 0);
  f.fireOnce();
  EXPECT_TRUE(f.transport.log.empty() && f.rsv->currentEntry()->title == "tomorrow");
  f.clock.time = at(5, 21, 30);
  for (int i = 0; i < 3; ++i) f.fire();
  EXPECT_TRUE(f.model.capturing());
}

// A set-up the engine fails (no TVR_RECON for the capture) or a graph that aborts mid-way (found by
// the poll), an engine ended: no recording shown, no power-off, the preview back; a start that failed is not done.
TEST(Scheduler, ARecordingTheEngineFailsEndsWithoutThePowerOff) {
  for (int mode : {0, 1, 2, 3}) {
    const bool aborts = mode == 1;
    Fixture f;
    if (mode == 0) f.model.failingLines = {"cCapBuild renderVCapture cVCap cComp"}, f.model.ignoreLinesForMissingObjects = true;
    if (mode == 3) f.link.engineEnded();
    f.startRecording({news(1)});
    if (mode == 2) f.link.engineEnded();
    for (bool abort : {false, aborts}) {
      EXPECT_EQ(f.rsv->state() == rsvTime::REC && f.pollTimer.running, aborts);
      if (abort) f.model.abortGraph();
      f.graph.onTimer();
      f.settle();
    }
    EXPECT_EQ(f.rsv->state(), rsvTime::IDLE);
    EXPECT_EQ(f.tray.log.end()[-2] + ", " + f.tray.log.back(), "icon 0, items off");
    EXPECT_TRUE(f.dialogs.log.empty() && !f.pollTimer.running && f.model.previewing() == (mode < 3));
    EXPECT_EQ(f.rsv->reservations()[0].done, aborts);
  }
}
