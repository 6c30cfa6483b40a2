// The engine request queue: one request in flight, the next sent on its acknowledgement, and
// the builders of the engine's command lines on top of it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "cmd_mess.h"
#include "ports.h"

class dsControl {
 public:
  // How long a request may stay unacknowledged before the user is asked.
  static constexpr uint32_t kAckTimeoutMs = 60000;

  dsControl(EngineTransport& transport, OneShotTimer& ackTimer, EngineWatch& watch, TvViewPort& view);
  dsControl(const dsControl&) = delete;
  dsControl& operator=(const dsControl&) = delete;

  // Primitive producers.
  void execCmdFile(const std::string& name);
  void execOneLine(const std::string& line);
  void addArg(const std::string& name, uintptr_t object);
  void addDWORD(const std::string& name, uint32_t number);
  // Runs step on our side once every request queued before it has been acknowledged (at once
  // when none waits), before any later request goes out; dropped with those requests when they
  // are given up or the engine has ended.
  void afterQueued(std::function<void()> step);

  // TVR_DONE with its lParam.
  void sendNext(int32_t ackId);
  // The acknowledgement timer fired.
  void onAckTimeout();
  // The engine has announced its window: what waited for it goes out.
  void engineAnnounced();
  // The engine has ended: nothing queued will ever be answered, and later requests are dropped
  // unsent.
  void engineEnded();

  // Called whenever queued requests are dropped unanswered (the engine ended, or the user gave
  // up waiting). The listener must outlive the queue's use.
  void onRequestsDropped(std::function<void()> listener) { droppedListeners_.push_back(std::move(listener)); }

  bool busy() const { return busy_; }
  bool engineGone() const { return engineGone_; }
  const std::deque<CmdMess>& queue() const { return queue_; }

  // Builders of command lines.
  void setChannel(int key);
  void resetChannel();
  void changeChannel(int row, const std::string& name, int key, int tuning, bool cable);
  void addChannel(int row, const std::string& name, int tuning, bool cable);
  void deleteChannel(int row);
  // A reservation's recording graph, and the TV view's, which leaves its running preview first.
  void prepareRecording(const std::string& quality, const std::string& file);
  void prepareManualRecording(const std::string& quality, const std::string& file);
  void startCapture();
  void createMixer();
  void setVolume(int n);
  void getVolume();
  void setMute(bool on);
  void getMute();
  void restoreSysVolMute();
  void setWinSize(int w, int h);
  void setQuality(const std::string& name, int32_t v);
  void getQuality(const std::string& name);
  void cleanUp();
  void sendMark(int n);
  // TVR_GRAPHEVENT, posted past the queue: the engine reads its graph's events at once and
  // answers only an abort (TVR_GRAPHABORT), never with an acknowledgement.
  void pollGraph();

  // Sequences shared by the tray, the scheduler and the TV view.
  // "form", "width" and "height" of the video panel.
  void sendPanelNumbers();
  // The first preview of a hidden view, up to its command file.
  void firstPreview();
  // Tears the running preview or recording down and builds the preview again.
  void backToPreview();
  // The way back after a start that failed or was cancelled (preview_recovery.cpp).
  void cancelToPreview();
  // An engine report (message and wParam) as the main window receives it.
  void observe(unsigned msg, uint64_t wParam);

 private:
  void append(int32_t msg, std::string text, uintptr_t value);
  // From the first command file of a recording graph to the restored system volume.
  void recordingGraph(const std::string& quality, const std::string& file);
  // Sends the front; before the engine is known it waits for the announcement.
  void sendFront();
  // Drops every queued request and step and tells the listeners.
  void dropAll();
  // The way back's question to the mixer, and what its mark decides.
  enum class Recovery { none, probing, rebuilt };
  void askForMixer(Recovery next);

  EngineTransport& transport_;
  OneShotTimer& ackTimer_;
  EngineWatch& watch_;
  TvViewPort& view_;
  bool busy_ = false;
  bool waitingForEngine_ = false;
  bool engineGone_ = false;
  int32_t nextId_ = 1;
  std::deque<CmdMess> queue_;
  unsigned waitedSeconds_ = 0;
  std::set<int32_t> abandoned_;  // sent requests given up on; their late acknowledgements are dropped
  // Steps of afterQueued, each after the request with its id.
  std::deque<std::pair<int32_t, std::function<void()>>> steps_;
  std::vector<std::function<void()>> droppedListeners_;
  Recovery recovery_ = Recovery::none;
  bool mixerAnswered_ = false;
  // Counts the sequences that build or tear down the engine's objects (previews, set-ups,
  // clean-ups), so that the way back knows whether another has come since its question.
  uint32_t previewEpoch_ = 0;
  uint32_t recoveryEpoch_ = 0;
};

// A profile or file name as one token of a command line.
std::string quoted(const std::string& text);
