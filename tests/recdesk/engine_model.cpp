#include "engine_model.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "grabcore/core/convert.h"
#include "grabcore/core/subcommand.h"

namespace {

struct KindWord {
  const char* word;
  WaitId kind;
};

constexpr KindWord kKindWords[] = {
    {"GraphBuilder", WaitId::GraphBuilder}, {"CaptureGraphBuilder", WaitId::CaptureGraphBuilder},
    {"TvTuner", WaitId::TvTuner},           {"VCapSorce", WaitId::VCapSorce},
    {"ACapSorce", WaitId::ACapSorce},       {"Compress", WaitId::Compress},
    {"SoundMixer", WaitId::SoundMixer},
};

// The kind a subcommand id belongs to: create everywhere, remove everywhere but the mixer,
// the rest by the ranges of the table.
bool belongsTo(SubCommand id, WaitId kind) {
  const int n = static_cast<int>(id);
  if (n == 0) return true;
  if (n == 1) return kind != WaitId::SoundMixer;
  switch (kind) {
    case WaitId::GraphBuilder: return n >= 2 && n <= 5;
    case WaitId::CaptureGraphBuilder: return n >= 6 && n <= 20;
    case WaitId::VCapSorce: return n >= 21 && n <= 32;
    case WaitId::ACapSorce: return n >= 33 && n <= 36;
    case WaitId::TvTuner: return n >= 37 && n <= 50;
    case WaitId::Compress: return n >= 51 && n <= 56;
    case WaitId::SoundMixer: return n >= 57 && n <= 65;
  }
  return false;
}

bool isInt(const std::string& token) {
  try {
    toInt32(token);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

std::vector<std::string> commandFileLines(const std::string& name) {
  auto data = tavora::readWholeFile(std::string(TAVORA_SOURCE_DIR) + "/data/script/" + name);
  if (!data) {
    ADD_FAILURE() << "no command file " << name;
    return {};
  }
  return tavora::splitLines(*data);
}

EngineModel::EngineModel() = default;

const EngineModel::Device& EngineModel::device(const std::string& name) const {
  static const Device none;
  auto it = devices_.find(name);
  return it == devices_.end() ? none : it->second;
}

bool EngineModel::previewing() const {
  for (const auto& [name, d] : devices_)
    if (d.kind == WaitId::CaptureGraphBuilder && d.preview && d.viewWindow && device(d.graph).running) return true;
  return false;
}

bool EngineModel::capturing() const {
  for (const auto& [name, d] : devices_)
    if (d.kind == WaitId::CaptureGraphBuilder && d.capturing) return true;
  return false;
}

std::vector<std::string> EngineModel::marks() const {
  const std::string prefix = "post " + std::to_string(tvr::TVR_MARK) + " ";
  std::vector<std::string> out;
  for (const std::string& entry : fixture_.host.only(prefix)) {
    const std::string rest = entry.substr(prefix.size());
    out.push_back(rest.substr(0, rest.find(' ')));
  }
  return out;
}

void EngineModel::runFile(const std::string& name) {
  where_ = name;
  for (const std::string& line : commandFileLines(name)) runLine(line);
  where_.clear();
}

void EngineModel::runLine(const std::string& line) {
  if (line.empty()) {
    ADD_FAILURE() << where_ << ": an empty line is an error of the engine";
    return;
  }
  if (line[0] == '#') return;
  lex& e = engine();
  if (failingLines.count(line)) {
    fixture_.host.showErrorDialog("failed: " + line);
    return clean("");
  }
  e.tokenize(line);
  const std::string word = e.tokens[0];
  if (word == "clean") return clean(e.tokens.size() == 1 ? std::string() : e.tokens[1]);
  if (word == "new" || word == "delete" || word == "label" || word == "mark" || word == "quit")
    return runBuiltIn(line);
  apply(line, true);
}

void EngineModel::runBuiltIn(const std::string& line) {
  lex& e = engine();
  e.tokenize(line);
  const std::vector<std::string> tokens = e.tokens;
  if (tokens[0] == "new") {
    if (tokens.size() != 3) ADD_FAILURE() << where_ << ": " << line;
    const KindWord* kind = nullptr;
    for (const KindWord& k : kKindWords)
      if (tokens.size() > 1 && tokens[1] == k.word) kind = &k;
    if (!kind) {
      ADD_FAILURE() << where_ << ": no such kind: " << line;
      return;
    }
    if (devices_.count(tokens[2])) ADD_FAILURE() << where_ << ": the name is taken: " << line;
    devices_[tokens[2]] = Device(kind->kind);
  } else if (tokens[0] == "delete") {
    devices_.erase(tokens.at(1));
  } else if (tokens[0] == "label" && tokens.size() != 2) {
    ADD_FAILURE() << where_ << ": " << line;
  }
  e.execLine(line);
}

void EngineModel::clean(const std::string& label) {
  // As lex::clean: newest first down to the label, which stays; other labels go.
  lex& e = engine();
  while (!e.undoList.empty()) {
    const std::string line = e.undoList.back();
    e.tokenize(line);
    if (e.tokens[0] == "label") {
      if (e.tokens.size() > 1 && e.tokens[1] == label) return;
      e.undoList.pop_back();
      continue;
    }
    e.undoList.pop_back();
    if (e.tokens[0] == "delete") {
      devices_.erase(e.tokens.at(1));
      e.execLine(line);
    } else {
      apply(line, false);
    }
  }
}

EngineModel::Device* EngineModel::need(const std::string& line, const std::string& name, WaitId kind) {
  auto it = devices_.find(name);
  if (it == devices_.end() || it->second.kind != kind || !it->second.created) {
    ADD_FAILURE() << where_ << ": " << line << ": \"" << name << "\" is not a created object of kind "
                  << static_cast<int>(kind);
    return nullptr;
  }
  return &it->second;
}

void EngineModel::requireNumber(const std::string& line, const std::string& name) {
  if (!engine().argDwords.count(name) || engine().argDwords[name] == 0)
    ADD_FAILURE() << where_ << ": " << line << ": the named number " << name << " was not given";
}

void EngineModel::apply(const std::string& line, bool pushUndo) {
  lex& e = engine();
  e.tokenize(line);
  const std::vector<std::string> t = e.tokens;
  auto fail = [&](const std::string& why) { ADD_FAILURE() << where_ << ": " << line << ": " << why; };
  auto it = devices_.find(t[0]);
  if (it == devices_.end()) {
    if (!ignoreLinesForMissingObjects) return fail("names no object");
    ignoredLines.push_back(line);
    return;
  }
  Device& d = it->second;
  if (t.size() < 2) return fail("no subcommand");
  std::optional<SubCommand> id = findSubCommand(t[1]);
  if (!id) return fail("not a subcommand");
  if (!belongsTo(*id, d.kind)) return fail("a subcommand of another kind");
  auto count = [&](size_t n) {
    if (t.size() != n) fail("expected " + std::to_string(n) + " tokens");
    return t.size() == n;
  };
  auto undo = [&](const std::string& what) {
    if (pushUndo) e.pushUndo(t[0] + " " + what);
  };
  if (*id != SubCommand::create && *id != SubCommand::remove && !d.created) return fail("used before create");

  switch (*id) {
    case SubCommand::create:
      if (d.created) fail("created twice");
      if (d.kind == WaitId::ACapSorce || d.kind == WaitId::Compress) {
        if (count(3) && t[2].empty()) fail("no profile");
      } else if (d.kind == WaitId::TvTuner) {
        if (count(3))
          if (Device* g = need(line, t[2], WaitId::GraphBuilder)) g->tuner = true;
      } else if (d.kind == WaitId::SoundMixer) {
        if (count(3)) requireNumber(line, t[2]);
      } else {
        count(2);
      }
      d.created = true;
      if (d.kind != WaitId::SoundMixer) undo("remove");
      return;
    case SubCommand::remove:
      if (d.kind == WaitId::GraphBuilder && d.running) fail("graph released while running");
      d = Device(d.kind);
      return;
    case SubCommand::add:
      if (!count(3)) return;
      if (!devices_.count(t[2]) || !devices_[t[2]].created) return fail("adds no created object");
      if (d.filters.count(t[2])) return fail("the filter is in the graph already");
      d.filters.insert(t[2]);
      return;
    case SubCommand::startGraph:
      count(2);
      d.running = true;
      undo("stopGraph");
      return;
    case SubCommand::stopGraph:
      count(2);
      d.running = false;
      for (auto& [name, other] : devices_)
        if (other.graph == t[0]) other.capturing = false;
      e.host().postToFront(tvr::TVR_RECOFF, 0, 0);
      return;
    case SubCommand::SetFiltergraph:
      if (count(3) && need(line, t[2], WaitId::GraphBuilder)) d.graph = t[2];
      return;
    case SubCommand::setViewWin:
      if (!count(5)) return;
      for (size_t i = 2; i < 5; ++i) requireNumber(line, t[i]);
      d.viewWindow = true;
      return;
    case SubCommand::renderPreview: {
      if (!count(3) || !need(line, t[2], WaitId::VCapSorce)) return;
      if (d.graph.empty()) return fail("no graph");
      if (!device(d.graph).filters.count(t[2])) return fail("the source is not in the graph");
      if (!d.viewWindow) fail("no video window was given");
      d.preview = true;
      undo("release");
      return;
    }
    case SubCommand::release:
      count(2);
      d.preview = false;
      d.capturing = false;
      d.videoCapture = false;  // everything downstream of the video source goes
      return;
    case SubCommand::setFName:
      if (!count(4)) return;
      if (!isInt(t[3])) fail("the preallocation is no number");
      if (t[2].empty()) fail("no file name");
      if (d.graph.empty()) return fail("no graph");
      d.file = true;
      return;
    case SubCommand::renderVCapture:
      if (t.size() != 3 && t.size() != 4) return fail("expected 3 or 4 tokens");
      if (!need(line, t[2], WaitId::VCapSorce)) return;
      if (t.size() == 4 && !need(line, t[3], WaitId::Compress)) return;
      if (!d.file) return fail("no output file");
      for (size_t i = 2; i < t.size(); ++i)
        if (!device(d.graph).filters.count(t[i])) return fail(t[i] + " is not in the graph");
      d.videoCapture = true;
      return;
    case SubCommand::renderACapture:
      if (!count(3) || !need(line, t[2], WaitId::ACapSorce)) return;
      if (!d.file) return fail("no output file");
      if (!device(d.graph).filters.count(t[2])) return fail("the audio source is not in the graph");
      d.audioCapture = true;
      return;
    case SubCommand::captureStream:
      if (!count(3)) return;
      if (t[2] == "on") {
        if (!d.videoCapture || !d.audioCapture) return fail("no capture branch");
        if (!device(d.graph).running) return fail("the graph is not running");
        d.capturing = true;
        e.host().postToFront(tvr::TVR_RECON, 0, 0);
      } else {
        d.capturing = false;
      }
      return;
    case SubCommand::setWinSize:
      if (count(4) && (!isInt(t[2]) || !isInt(t[3]))) fail("not numbers");
      return;
    case SubCommand::loadFormat:
      if (count(3)) d.profile = t[2];
      return;
    case SubCommand::loadQuality:
    case SubCommand::saveFormat:
    case SubCommand::getVideoSize:
    case SubCommand::getFrameRate:
      count(2);
      return;
    case SubCommand::setQuality:
      if (count(4) && !isInt(t[3])) fail("not a number");
      return;
    case SubCommand::getQuality:
    case SubCommand::chgDriver:
      count(3);
      return;
    case SubCommand::videoDialog:
      if (count(4)) requireNumber(line, t[3]);
      return;
    case SubCommand::enumCompNames:
    case SubCommand::getWFormat:
      count(2);
      return;
    case SubCommand::setCh:
      if (t.size() == 3 && (!isInt(t[2]) || toInt32(t[2]) < 0 || toInt32(t[2]) > 65535)) fail("not a key");
      if (t.size() != 2 && t.size() != 3) fail("expected 2 or 3 tokens");
      return;
    case SubCommand::setCaption:
    case SubCommand::incChannel:
    case SubCommand::decChannel:
      return;
    case SubCommand::nukeWithoutNeeds: {
      if (!count(3)) return;
      Device* g = need(line, t[2], WaitId::GraphBuilder);
      if (!g) return;
      if (g->running) fail("the graph is stripped while running");
      g->filters.clear();
      for (auto& [name, other] : devices_) {
        if (other.kind != WaitId::CaptureGraphBuilder || other.graph != t[2]) continue;
        other.preview = other.file = other.videoCapture = other.audioCapture = other.capturing = false;
      }
      return;
    }
    case SubCommand::setMute:
      if (count(3) && t[2] != "ON" && t[2] != "OFF") fail("neither ON nor OFF");
      return;
    case SubCommand::setVolume:
      if (count(3) && !isInt(t[2])) fail("not a number");
      return;
    case SubCommand::getMute:
      if (count(2)) e.host().postToFront(tvr::TVR_MUTE, 0, 0);
      return;
    case SubCommand::getVolume:
    case SubCommand::getSysVolMute:
    case SubCommand::setSysVolMute:
      count(2);
      return;
    default:
      return fail("not modelled");
  }
}

void EngineModel::abortGraph() {
  if (auto graph = std::dynamic_pointer_cast<FakeGraph>(engine().currentGraph.lock())) graph->abortPending = true;
  for (auto& [name, d] : devices_) d.capturing = false;
}

void ModelTransport::sendCopyData(int32_t, const std::vector<char>& bytes) {
  if (bytes.empty() || bytes.back() != '\0') ADD_FAILURE() << "a text without its NUL";
  texts_.emplace_back(bytes.data());
}

void ModelTransport::postRequest(int32_t msg, uintptr_t value, int32_t id) {
  // Not a request: the engine reads its graph's events at once and acknowledges nothing.
  if (msg == static_cast<int32_t>(tvr::TVR_GRAPHEVENT)) return void(model_.engine().onMessage(tvr::TVR_GRAPHEVENT, 0, 0));
  if (texts_.empty()) {
    ADD_FAILURE() << "a request without its text";
    return;
  }
  const std::string text = texts_.front();
  texts_.pop_front();
  switch (msg) {
    case tvr::TVR_ADDDWORD:
      log.push_back("dword " + text + " " + std::to_string(value));
      model_.engine().argDwords[text] = static_cast<uint32_t>(value);
      break;
    case tvr::TVR_ADDARG:
      log.push_back("arg " + text);
      model_.engine().argObjects[text] = value;
      break;
    case tvr::TVR_EXECMDFILE:
      log.push_back("file " + text);
      model_.runFile(text);
      break;
    case tvr::TVR_EXECONELINE:
      log.push_back("line " + text);
      model_.runLine(text);
      break;
    default:
      ADD_FAILURE() << "not a request: " << msg;
  }
  acks_.push_back(id);
}

void ModelTransport::pump(dsControl& link) {
  while (std::optional<int32_t> id = takeAck()) link.sendNext(*id);
}

std::optional<int32_t> ModelTransport::takeAck() {
  if (acks_.empty()) return std::nullopt;
  const int32_t id = acks_.front();
  acks_.pop_front();
  return id;
}
