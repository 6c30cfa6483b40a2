// A request queue over a transport that records what it sends.
#pragma once

#include <string>
#include <vector>

#include "common/messages.h"
#include "fakes.h"
#include "recdesk/core/ds_control.h"

struct Sent {
  int32_t id;
  std::vector<char> bytes;
  int32_t msg = 0;
  uintptr_t value = 0;
  int32_t postedId = 0;
};

class RecordingTransport : public EngineTransport {
 public:
  bool engineKnown() const override { return known; }
  void sendCopyData(int32_t id, const std::vector<char>& bytes) override { sent.push_back({id, bytes}); }
  void postRequest(int32_t msg, uintptr_t value, int32_t id) override {
    sent.back().msg = msg;
    sent.back().value = value;
    sent.back().postedId = id;
  }
  bool known = true;
  std::vector<Sent> sent;
};

struct LinkFixture {
  RecordingTransport transport;
  FakeTimer ackTimer;
  FakeWatch watch;
  FakeView view;
  dsControl link{transport, ackTimer, watch, view};
  size_t drained = 0;

  // Acknowledges every request until the queue is idle; returns the texts, "file " marking
  // command files and "dword name value" / "arg name" the named values.
  std::vector<std::string> drain() {
    std::vector<std::string> out;
    while (link.busy()) {
      const Sent& s = transport.sent.at(drained++);
      std::string text(s.bytes.data());
      if (s.msg == static_cast<int32_t>(tvr::TVR_EXECMDFILE)) text = "file " + text;
      if (s.msg == static_cast<int32_t>(tvr::TVR_ADDDWORD)) text = "dword " + text + " " + std::to_string(s.value);
      if (s.msg == static_cast<int32_t>(tvr::TVR_ADDARG)) text = "arg " + text + " " + std::to_string(s.value);
      out.push_back(text);
      link.sendNext(s.id);
    }
    return out;
  }
};
