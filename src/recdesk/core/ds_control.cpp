#include "ds_control.h"

#include <stdexcept>

#include "../../common/messages.h"
#include "../texts/recdesk_texts.h"

dsControl::dsControl(EngineTransport& transport, OneShotTimer& ackTimer, EngineWatch& watch, TvViewPort& view)
    : transport_(transport), ackTimer_(ackTimer), watch_(watch), view_(view) {}

void dsControl::execCmdFile(const std::string& name) { append(tvr::TVR_EXECMDFILE, name, 0); }
void dsControl::execOneLine(const std::string& line) { append(tvr::TVR_EXECONELINE, line, 0); }
void dsControl::addArg(const std::string& name, uintptr_t object) { append(tvr::TVR_ADDARG, name, object); }
void dsControl::addDWORD(const std::string& name, uint32_t number) { append(tvr::TVR_ADDDWORD, name, number); }

void dsControl::afterQueued(std::function<void()> step) {
  if (engineGone_) return;
  if (queue_.empty()) return step();
  steps_.emplace_back(queue_.back().id, std::move(step));
}

void dsControl::append(int32_t msg, std::string text, uintptr_t value) {
  CmdMess request;
  request.msg = msg;
  request.text = std::move(text);
  request.id = nextId_;
  request.value = value;
  // Ids only count up; wrapping after 2^31 requests is harmless.
  nextId_ = static_cast<int32_t>(static_cast<uint32_t>(nextId_) + 1u);
  queue_.push_back(std::move(request));
  // Not while an acknowledgement is being taken: a step it runs may queue, and it sends next.
  if (!busy_) sendFront();
}

void dsControl::sendNext(int32_t ackId) {
  if (abandoned_.erase(ackId)) return;  // the late answer to a request given up on
  if (queue_.empty()) throw std::runtime_error(texts::kCommandBufferMismatch);
  // An acknowledgement of another request is ignored: sending the front again would run it twice.
  if (!busy_ || queue_.front().id != ackId) return;
  ackTimer_.stop();
  queue_.pop_front();
  while (!steps_.empty() && steps_.front().first == ackId) {
    const std::function<void()> step = std::move(steps_.front().second);
    steps_.pop_front();
    step();
  }
  sendFront();
}

void dsControl::sendFront() {
  if (queue_.empty()) {
    busy_ = false;
    return;
  }
  if (engineGone_) {
    // Nothing would answer: a request waiting here would keep the queue busy for good.
    dropAll();
    return;
  }
  busy_ = true;
  // Requests made before the engine has announced itself wait for it rather than being dropped:
  // a reservation due at start-up would otherwise lose its set-up, a first preview its graph.
  waitingForEngine_ = !transport_.engineKnown();
  if (waitingForEngine_) return;
  waitedSeconds_ = 0;
  const CmdMess& front = queue_.front();
  std::vector<char> bytes(front.text.begin(), front.text.end());
  bytes.push_back('\0');
  const int32_t id = front.id;
  const int32_t msg = front.msg;
  const uintptr_t value = front.value;
  ackTimer_.start(kAckTimeoutMs);
  transport_.sendCopyData(id, bytes);
  transport_.postRequest(msg, value, id);
}

void dsControl::onAckTimeout() {
  ackTimer_.stop();
  if (!busy_ || queue_.empty()) return;
  const int32_t id = queue_.front().id;
  waitedSeconds_ += kAckTimeoutMs / 1000;
  const bool giveUp = watch_.engineNotAnswering(waitedSeconds_);
  // The question is modal: the answer may have come meanwhile.
  if (!busy_ || queue_.empty() || queue_.front().id != id) return;
  if (!giveUp) {
    ackTimer_.start(kAckTimeoutMs);
    return;
  }
  abandoned_.insert(id);
  dropAll();
}

void dsControl::dropAll() {
  queue_.clear();
  steps_.clear();
  busy_ = false;
  recovery_ = Recovery::none;  // its mark will not come
  // A listener may queue again (to a live engine, after a give-up): from an empty queue.
  for (const std::function<void()>& listener : droppedListeners_) listener();
}

void dsControl::pollGraph() {
  if (!engineGone_ && transport_.engineKnown()) transport_.postRequest(static_cast<int32_t>(tvr::TVR_GRAPHEVENT), 0, 0);
}

void dsControl::engineAnnounced() {
  engineGone_ = false;
  if (waitingForEngine_) sendFront();
}

void dsControl::engineEnded() {
  engineGone_ = true;
  waitingForEngine_ = false;
  ackTimer_.stop();
  if (busy_ && !queue_.empty()) abandoned_.insert(queue_.front().id);
  dropAll();
}
