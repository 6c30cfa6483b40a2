#include "lex.h"

#include <algorithm>
#include <exception>

#include "../../common/messages.h"
#include "convert.h"
#include "errors.h"

namespace {

struct KindRow {
  const char* word;
  WaitId id;
  void (dsMan::*handler)();
};

constexpr KindRow kKinds[] = {
    {"GraphBuilder", WaitId::GraphBuilder, &dsMan::func_GraphBuilder},
    {"CaptureGraphBuilder", WaitId::CaptureGraphBuilder, &dsMan::func_CaptureGraphBuilder},
    {"TvTuner", WaitId::TvTuner, &dsMan::func_TvTuner},
    {"VCapSorce", WaitId::VCapSorce, &dsMan::func_VCapSorce},
    {"ACapSorce", WaitId::ACapSorce, &dsMan::func_ACapSorce},
    {"Compress", WaitId::Compress, &dsMan::func_Compress},
    {"SoundMixer", WaitId::SoundMixer, &dsMan::func_Mixer},
};

const KindRow* findKind(const std::string& word) {
  for (const KindRow& row : kKinds)
    if (word == row.word) return &row;
  return nullptr;
}

}  // namespace

lex::lex(EngineHost& host, DeviceFactory& factory) : host_(host), factory_(factory), man_(*this) {}

lex::~lex() = default;

// ---- endpoint ----

int lex::onMessage(unsigned msg, uint64_t wParam, int64_t lParam, const CopyDataBlock* block) {
  switch (msg) {
    case tvr::kWmCopyData:
      try {
        onCopyData(wParam, block);
      } catch (...) {
        showUnexpected();  // nothing may leave through the window procedure
      }
      return 0;
    case tvr::TVR_ADDARG:
    case tvr::TVR_ADDDWORD:
    case tvr::TVR_EXECONELINE:
    case tvr::TVR_EXECMDFILE:
      // A request that arrives through a nested message loop waits for the current one.
      deferred_.push_back({msg, wParam, lParam});
      if (running_) return 0;
      while (!deferred_.empty()) {
        Request next = deferred_.front();
        deferred_.pop_front();
        runRequest(next);
      }
      return 0;
    case tvr::TVR_GRAPHEVENT:
      if (auto graph = currentGraph.lock(); graph && graph->pollErrorAbort())
        host_.postToFront(tvr::TVR_GRAPHABORT, 0, 0);
      return 0;
    default:
      return 1;
  }
}

void lex::onCopyData(uint64_t sender, const CopyDataBlock* block) {
  if (sender != frontWnd) {
    host_.showForeignSenderBox();
    return;
  }
  std::string text;
  uint64_t id = 0;
  if (block) {
    id = block->dwData;
    if (block->data && block->size) {
      const char* bytes = static_cast<const char*>(block->data);
      text.assign(bytes, std::find(bytes, bytes + block->size, '\0'));
    }
  }
  host_.trace("WM_COPYDATA : " + text + " " + std::to_string(id));
  msgArgID.push_back(static_cast<int64_t>(id));
  argTexts.push_back(std::move(text));
}

void lex::runRequest(const Request& request) {
  if (argTexts.empty()) {
    // Its text never came (or a request posted by another program took it): nothing runs, but
    // the front end waits for this answer before it sends anything more.
    host_.postToFront(tvr::TVR_DONE, 0, request.lParam);
    return;
  }
  host_.trace("msgArgID.front():" + std::to_string(msgArgID.front()) + " LParam" + std::to_string(request.lParam));
  std::string text = std::move(argTexts.front());
  argTexts.pop_front();
  msgArgID.pop_front();

  running_ = true;
  try {
    switch (request.msg) {
      case tvr::TVR_ADDARG:
        host_.trace("TVR_ADDARG");
        argObjects[text] = request.wParam;
        break;
      case tvr::TVR_ADDDWORD:
        host_.trace("TVR_ADDDWORD");
        argDwords[text] = static_cast<uint32_t>(request.wParam);
        break;
      case tvr::TVR_EXECONELINE:
        host_.trace("TVR_EXECONELINE");
        execLine(text);
        break;
      case tvr::TVR_EXECMDFILE:
        host_.trace("TVR_EXECMDFILE");
        runCommandFile(text);
        break;
    }
  } catch (const LanguageError& error) {
    man_.ok = true;
    host_.showFrameworkError(error.text);
  } catch (const DeviceError& error) {
    man_.ok = true;
    host_.showErrorDialog(error.text);
  } catch (...) {
    // Anything else (memory running out, say) ends the request alike: the link must go on.
    man_.ok = true;
    showUnexpected();
  }
  running_ = false;
  host_.postToFront(tvr::TVR_DONE, 0, request.lParam);
}

void lex::showUnexpected() {
  try {
    throw;
  } catch (const std::exception& error) {
    host_.showFrameworkError(error.what());
  } catch (...) {
    host_.showFrameworkError("Unknown exception");
  }
}

void lex::runCommandFile(const std::string& name) {
  const std::string path = scriptDir + name;
  std::optional<std::vector<std::string>> lines = host_.readCommandFile(path);
  if (!lines) throw LanguageError{"Cannot open file \"" + path + "\"."};
  // Our own copy: messages pumped between lines must not disturb the iteration.
  const std::vector<std::string> fileLines = std::move(*lines);
  for (const std::string& line : fileLines) {
    execLine(line);
    host_.processMessages();
  }
}

// ---- interpreter ----

bool lex::execLine(const std::string& line) {
  host_.trace("-- " + line + " --");
  if (line.empty()) throw LanguageError{"Range check error"};
  if (line[0] == '#') return true;
  tokenize(line);
  try {
    dispatch();
  } catch (...) {
    man_.ok = true;
    throw;
  }
  bool result = man_.ok;
  man_.ok = true;
  return result;
}

void lex::tokenize(const std::string& line) { tokens = splitTokens(line); }

std::vector<std::string> lex::splitTokens(const std::string& line) {
  std::vector<std::string> out;
  bool quoting = false;
  std::string current;
  for (char c : line) {
    if (c == '"') {
      quoting = !quoting;
    } else if (c == ' ' && !quoting) {
      out.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  out.push_back(std::move(current));
  return out;
}

const std::string& lex::token(size_t index) const {
  if (index >= tokens.size()) throw LanguageError{"List index out of bounds (" + std::to_string(index) + ")"};
  return tokens[index];
}

void lex::dispatch() {
  const std::string word = token(0);
  if (word == "new") {
    makeObject(token(1), token(2));
  } else if (word == "delete") {
    destroyObject(token(1));
  } else if (word == "clean") {
    clean(tokens.size() == 1 ? std::string() : tokens[1]);
  } else if (word == "label") {
    pushUndoWords({"label", token(1)});
  } else if (word == "mark") {
    int32_t n = toInt32(token(1));
    host_.postToFront(tvr::TVR_MARK, static_cast<uint32_t>(n), 0);
  } else if (word == "quit") {
    if (tokens.size() >= 2 && tokens[1] == "OFF") host_.shutdownWindows();
    host_.terminate();
  } else if (auto it = handlerByName_.find(word); it != handlerByName_.end()) {
    (man_.*(it->second))();
  }
}

void lex::clean(const std::string& label) {
  while (!undoList.empty()) {
    std::string line = undoList.back();
    tokenize(line);
    if (tokens[0] == "label") {
      if (tokens.size() > 1 && tokens[1] == label) return;
      undoList.pop_back();
      continue;
    }
    // Off the list before it runs: an error inside it runs a nested full clean.
    undoList.pop_back();
    dispatch();
  }
}

void lex::pushUndoWords(std::initializer_list<std::string> words) {
  // clean tokenizes the line again: a word holding a blank is quoted so that it stays one
  // token. Names come from tokens and so never hold a double quote.
  std::string line;
  bool first = true;
  for (const std::string& word : words) {
    if (!first) line += ' ';
    first = false;
    line += word.find(' ') == std::string::npos ? word : '"' + word + '"';
  }
  pushUndo(std::move(line));
}

// ---- object table ----

void lex::makeObject(const std::string& kindWord, const std::string& name) {
  const KindRow* kind = findKind(kindWord);
  if (!kind) return;
  // A name in use: the earlier object goes, and its undo lines with it, which would otherwise
  // act on the new object of that name.
  if (object(name)) {
    destroyObject(name);
    forgetUndoLinesOf(name);
  }
  std::shared_ptr<dsMother> object = factory_.make(kind->id, *this);
  if (!object) return;
  objects_.emplace_back(name, object);
  handlerByName_[name] = kind->handler;
  if (kind->id == WaitId::GraphBuilder) currentGraph = std::dynamic_pointer_cast<TGraphBuilder>(object);
  pushUndoWords({"delete", name});
}

void lex::forgetUndoLinesOf(const std::string& name) {
  std::erase_if(undoList, [&](const std::string& line) {
    const std::vector<std::string> words = splitTokens(line);
    return words[0] == name || (words[0] == "delete" && words.size() > 1 && words[1] == name);
  });
}

// By value: the name may be the table entry's own, which the erase below frees.
void lex::destroyObject(std::string name) {
  auto it = std::find_if(objects_.begin(), objects_.end(), [&](const auto& entry) { return entry.first == name; });
  if (it == objects_.end()) return;
  std::shared_ptr<dsMother> object = std::move(it->second);
  objects_.erase(it);
  handlerByName_.erase(name);
  object.reset();  // the destructor may show a dialog; the table is consistent by now
}

std::shared_ptr<dsMother> lex::object(const std::string& name) const {
  for (const auto& entry : objects_)
    if (entry.first == name) return entry.second;
  return nullptr;
}

std::vector<std::string> lex::objectNames() const {
  std::vector<std::string> names;
  for (const auto& entry : objects_) names.push_back(entry.first);
  return names;
}

uint32_t lex::namedNumber(const std::string& name) const {
  auto it = argDwords.find(name);
  return it == argDwords.end() ? 0 : it->second;
}

void lex::destroyAllObjects() {
  while (!objects_.empty()) destroyObject(objects_.back().first);
}
