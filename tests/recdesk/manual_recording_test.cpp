// The record button's manual recording over the engine model: the model's reports reach it as
// the main window hands them on, each before the acknowledgement of the request that made it.
#include "recdesk/core/manual_recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "common/messages.h"
#include "model_link.h"
#include "recdesk/texts/view_control_texts.h"
#include "reserve_builder.h"

using Lines = std::vector<std::string>;

namespace {

double secs(double s) { return s / 86400.0; }

struct Manual : ModelLink, ManualRecordingHost {
  FakeClock clock;
  FakeTimer schedulerTimer, stopTimer;
  FakeDialogs dialogs;
  FakeTray tray;
  FakeLauncher launcher;
  FakeSource source;
  timerIni settings;
  rsvTime scheduler{{clock, schedulerTimer, link, view, dialogs, tray, launcher, source, settings}};
  ManualRecording manual{link, scheduler, stopTimer, *this};
  bool down = false;
  bool confirm = false;
  bool viewAvailable = true;  // false while a modal box or dialog holds the view
  int asked = 0;
  std::function<void()> duringConfirmation;
  std::function<void()> duringPowerOff;
  Lines log;                  // the button, the tray items and the boxes, in order
  size_t reported = 0;

  bool recordDown() const override { return down; }
  void setRecordDown(bool d) override { log.push_back((down = d) ? "down" : "up"); }
  void setRecordingItems(bool on) override { log.push_back(on ? "items on" : "items off"); }
  bool available() const override { return viewAvailable; }
  bool confirmStart(const std::string&) override {
    if (++asked, duringConfirmation) duringConfirmation();
    return true;
  }
  bool confirmPowerOff() override {
    if (log.push_back("power off?"), duringPowerOff) duringPowerOff();
    return true;
  }
  void tell(const std::string& text) override { log.push_back(text); }

  // The engine answers until the queue is idle, or until the request (as the transport logs it) has run.
  void settle(const std::string& until = "") {
    do {
      const Lines& replies = model.host().log;
      for (; reported < replies.size(); ++reported) {
        unsigned msg = 0;
        unsigned long long wParam = 0;
        if (std::sscanf(replies[reported].c_str(), "post %u %llu", &msg, &wParam) == 2) link.observe(msg, wParam);
        const bool on = replies[reported] == post(tvr::TVR_RECON, 0);
        if (replies[reported] == post(tvr::TVR_RECOFF, 0)) manual.onRecOff();
        else if (on) manual.onRecOn();
      }
      if (!until.empty() && !transport.log.empty() && transport.log.back() == until) return;
    } while (acknowledge());
  }
  bool acknowledge() {
    std::optional<int32_t> id = transport.takeAck();
    if (!id) return false;
    const bool current = link.busy() && link.queue().front().id == *id;
    link.sendNext(*id);
    if (current) manual.onAcknowledged(*id);
    return true;
  }
  void click(const std::string& until = "") {
    down = !down;
    manual.recordClicked({"q", "D:\\rec\\tv.avi", confirm});
    settle(until);
  }
  void showTv() {
    link.firstPreview();
    link.sendMark(5);
    settle();
    view.shown = true;
  }
  // A reservation due now, set up from the preview; its capture line is sent, not yet answered.
  void reservationCapturing() {
    clock.time = 46000.5;
    settings.noticeOn = 0;
    settings.wakeUpProgram = "@";
    source.data = reserveFile({reservation(clock.time + 1.0 / 1440, clock.time + 61.0 / 1440, 12, "news")});
    scheduler.loadReservations();
    scheduler.enter();
    clock.time += 2.0 / 1440;
    while (scheduler.onTimer(), scheduler.state() != rsvTime::REC) settle();
  }
  size_t sent(const std::string& request) const { return std::count(transport.log.begin(), transport.log.end(), request); }
  // Which of the recording, the button, the graphs, the engine's mixer, the view's mixer controls,
  // the stop timer and the queue are on.
  Lines on() const {
    const std::pair<bool, const char*> all[] = {
        {manual.running(), "running"}, {down, "down"}, {model.capturing(), "capturing"},
        {model.previewing(), "previewing"}, {model.has("mix"), "mix"}, {view.mixerShown, "mixer shown"},
        {stopTimer.running, "stop timer"}, {link.busy(), "busy"}};
    Lines out;
    for (const auto& [is, name] : all)
      if (is) out.push_back(name);
    return out;
  }
};

}  // namespace

TEST(ManualRecording, TheSetUpsStopIsPartOfTheStartAndASecondClickStopsIt) {
  Manual m;
  m.showTv();
  // The set-up stops the preview's graph: the button stays down, the start counts as recording.
  m.click("line tune nukeWithoutNeeds cFg");
  EXPECT_EQ(m.model.host().only(post(tvr::TVR_RECOFF, 0)).size(), 1u);
  EXPECT_TRUE(m.down);
  EXPECT_TRUE(m.manual.running());
  m.click();
  EXPECT_EQ(m.log, (Lines{"items on", "items off", "down", "up", "up"}));
  EXPECT_FALSE(m.manual.running());
  EXPECT_TRUE(m.model.previewing());
  EXPECT_FALSE(m.model.capturing());
}

TEST(ManualRecording, RunsFromTVR_RECONUntilItsStopTimerWithPowerOff) {
  Manual m;
  m.showTv();
  m.click();
  EXPECT_TRUE(m.model.capturing());
  EXPECT_EQ(m.log, (Lines{"items on", "down"}));
  m.manual.armStopTimer(60000, true);
  EXPECT_TRUE(m.stopTimer.running);
  m.log.clear();
  m.manual.onStopTimer();
  m.settle();
  EXPECT_EQ(m.log, (Lines{"up", "items off", "power off?", "up", "up"}));
  EXPECT_FALSE(m.stopTimer.running);
  EXPECT_EQ(m.model.marks(), (Lines{"5", "1"}));
}

TEST(ManualRecording, AStartTheEngineFailsEndsAsNoRecordingWithThePreviewBuiltAnew) {
  Manual m;
  m.showTv();
  m.model.ignoreLinesForMissingObjects = true;
  // The capture cannot start: the engine's error report tore every object down, the mixer too.
  m.model.failingLines = {"cCapBuild captureStream on"};
  m.click();
  EXPECT_EQ(m.log, (Lines{"items on", "up", "items off"}));
  EXPECT_EQ(m.on(), (Lines{"previewing", "mix", "mixer shown"}));
  EXPECT_EQ(m.sent("file preView.cmd"), 2u);
  // Again, and the rebuilt preview fails too: once, and the controls show that no mixer is left.
  m.model.failingLines.insert("cVCap create");
  m.click();
  EXPECT_EQ(m.on(), Lines{});
  EXPECT_EQ(m.sent("file preView.cmd"), 3u);
}

TEST(ManualRecording, TheTraysStopWhileTheStartAsksEndsItWithoutACapture) {
  Manual m;
  m.showTv();
  m.confirm = true;
  m.duringConfirmation = [&] {
    m.settle();
    m.click();  // "録画停止": the button up and its click
  };
  m.click();
  EXPECT_EQ(m.log, (Lines{"items on", "items off", "up", "up", "up"}));
  EXPECT_EQ(std::count(m.transport.log.begin(), m.transport.log.end(), "line cCapBuild captureStream on"), 0);
  EXPECT_TRUE(m.model.previewing());
  // A start that asks is no recording yet: a notice run out under its box sets the reservation up.
  m.source.data = reserveFile({reservation(secs(120), secs(600), 12, "news")}), m.scheduler.onReservationsChanged();
  m.duringConfirmation = [&] { m.view.recording = true, m.clock.time = secs(40), m.scheduler.onTimer(); };
  m.click();
  EXPECT_EQ(m.dialogs.log.back(), "notice normal view");
  EXPECT_EQ(m.log.end()[-3], texts::kRecordRefusedWhilePreparing);
  EXPECT_EQ(m.sent("line cCapBuild captureStream on"), 0u);
  EXPECT_EQ(m.scheduler.state(), rsvTime::READY);
}

// A reservation falls due inside the power-off countdown after a manual recording, by its notice
// or by a change of the table that adds one a minute away: the PC stays on. A graph that aborts
// mid-way (TVR_GRAPHABORT) ends the recording without the power-off it asked for.
TEST(ManualRecording, ItsPowerOffWaitsForNothingDueAndIsDroppedWhenItFails) {
  for (int run = 0; run < 3; ++run) {
    Manual m;
    m.settings.noticeSeconds = 600;
    const std::vector<TRsvEle> due = {reservation(secs(run == 0 ? 610 : 60), secs(1200), 12, "news")};
    m.source.data = reserveFile(run == 0 ? due : std::vector<TRsvEle>{});
    m.scheduler.onReservationsChanged();
    m.showTv();
    m.click();
    m.manual.armStopTimer(60000, true);
    m.duringPowerOff = [&] {
      m.clock.time += secs(30);
      m.source.data = reserveFile(due);
      m.schedulerTimer.running ? m.scheduler.onTimer() : m.scheduler.onReservationsChanged();
    };
    run == 2 ? (m.model.abortGraph(), m.manual.onGraphAbort()) : m.manual.onStopTimer();
    m.settle();
    EXPECT_EQ(m.model.marks(), (Lines{"5"}));
    EXPECT_EQ(m.on(), (Lines{"previewing", "mix", "mixer shown"}));
    EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "power off?"), run == 2 ? 0 : 1);
    EXPECT_EQ(m.scheduler.state(), run == 2 ? rsvTime::IDLE : rsvTime::WAIT);
  }
}

TEST(ManualRecording, InAReservationsRecordingTheButtonStopsItAndAnotherCapturesReportStartsNothing) {
  Manual m;
  m.showTv();
  m.reservationCapturing();
  // Up before the reservation's TVR_RECON: the click is its stop, never a manual start.
  const size_t setUps = m.sent("file record1a.cmd");
  m.click();
  EXPECT_EQ(m.sent("file record1a.cmd"), setUps);
  EXPECT_NE(m.scheduler.state(), rsvTime::REC);
  EXPECT_EQ(m.on(), (Lines{"previewing", "mix", "mixer shown"}));
  // A manual start takes only its own capture's TVR_RECON: a report arriving during its set-up
  // leaves the start to its capture line, which fails here.
  m.model.ignoreLinesForMissingObjects = true;
  m.model.failingLines = {"cCapBuild captureStream on"};
  m.click("line tune nukeWithoutNeeds cFg");
  m.manual.onRecOn();
  m.settle();
  EXPECT_EQ(m.on(), (Lines{"previewing", "mix", "mixer shown"}));
}

TEST(ManualRecording, AStartWhoseRequestsAreDroppedEndsAsNoRecording) {
  for (bool engineEnds : {true, false}) {
    Manual m;
    m.showTv();
    m.click("file record1b.cmd");
    m.watch.giveUp = true;
    if (engineEnds) m.link.engineEnded();
    else m.link.onAckTimeout();
    EXPECT_FALSE(m.manual.running() || m.down) << engineEnds;
    EXPECT_EQ(m.log, (Lines{"items on", "up", "items off"})) << engineEnds;
    // A live engine given up on gets the way back to the preview.
    m.settle();
    EXPECT_EQ(m.model.previewing(), !engineEnds);
  }
}

TEST(ManualRecording, NoStartWhileTheViewIsHeldByABoxOrWhileAStartAsks) {
  Manual m;
  m.showTv();
  m.viewAvailable = false;  // the options dialog
  m.click();
  EXPECT_EQ(m.sent("file record1a.cmd"), 0u);
  EXPECT_FALSE(m.down);
  // Clicks under the start's own box: a stop, then a start, which does not nest.
  m.viewAvailable = m.confirm = true;
  m.duringConfirmation = [&] { m.duringConfirmation = nullptr, m.settle(), m.click(), m.click(); };
  m.click();
  EXPECT_EQ(m.asked, 1);
  EXPECT_EQ(m.sent("file record1a.cmd"), 1u);
  EXPECT_EQ(m.sent("line cCapBuild captureStream on"), 0u);
  EXPECT_EQ(m.on(), (Lines{"previewing", "mix", "mixer shown"}));
  // Nor while the steps towards a power-off run: the wake-up program's start lets a click in.
  m.confirm = false, m.settings.wakeUpProgram = "wakecall.exe", m.click();
  m.source.data = reserveFile({reservation(secs(3600), secs(7200), 12, "late")}), m.scheduler.onReservationsChanged();
  m.launcher.duringPump = [&, clicks = 0]() mutable { clicks++ ? void() : m.click(); };
  m.manual.armStopTimer(60000, true), m.manual.onStopTimer(), m.settle();
  EXPECT_EQ(m.sent("file record1a.cmd"), 2u);
}
