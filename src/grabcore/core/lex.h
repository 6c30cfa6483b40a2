// The engine's interpreter and message endpoint: pairs the front end's texts with its posted
// requests, runs command lines and command files, and keeps the object table and undo list.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "device_factory.h"
#include "dsman.h"
#include "engine_host.h"
#include "graph_builder.h"

// A WM_COPYDATA block as the endpoint sees it.
struct CopyDataBlock {
  uint64_t dwData = 0;
  const void* data = nullptr;
  uint32_t size = 0;
};

class lex {
 public:
  lex(EngineHost& host, DeviceFactory& factory);
  ~lex();
  lex(const lex&) = delete;
  lex& operator=(const lex&) = delete;

  // Endpoint: 0 when the message was one of the engine's own, 1 otherwise.
  int onMessage(unsigned msg, uint64_t wParam, int64_t lParam, const CopyDataBlock* block = nullptr);

  bool execLine(const std::string& line);
  void tokenize(const std::string& line);
  void dispatch();
  void clean(const std::string& label);

  // For the dispatchers and device objects.
  const std::string& token(size_t index) const;
  size_t tokenCount() const { return tokens.size(); }
  std::shared_ptr<dsMother> object(const std::string& name) const;
  uint32_t namedNumber(const std::string& name) const;
  void pushUndo(std::string line) { undoList.push_back(std::move(line)); }
  // An undo line of these tokens, each read back as one token by clean.
  void pushUndoWords(std::initializer_list<std::string> words);
  EngineHost& host() { return host_; }
  dsMan& man() { return man_; }
  uint64_t frontWnd = 0;

  // Destroys every object still in the table, newest first (at engine end).
  void destroyAllObjects();
  std::vector<std::string> objectNames() const;

  std::vector<std::string> tokens;
  std::deque<std::string> argTexts;
  std::deque<int64_t> msgArgID;
  std::map<std::string, uint32_t> argDwords;
  std::map<std::string, uint64_t> argObjects;
  std::string scriptDir;
  std::vector<std::string> undoList;
  std::weak_ptr<TGraphBuilder> currentGraph;

 private:
  using Handler = void (dsMan::*)();
  struct Request {
    unsigned msg;
    uint64_t wParam;
    int64_t lParam;
  };

  void onCopyData(uint64_t sender, const CopyDataBlock* block);
  void runRequest(const Request& request);
  void runCommandFile(const std::string& name);
  // Shows the exception being handled in the framework's box.
  void showUnexpected();
  static std::vector<std::string> splitTokens(const std::string& line);
  void makeObject(const std::string& kindWord, const std::string& name);
  // Takes the undo lines of an object ("delete <name>", "<name> ...") off the list.
  void forgetUndoLinesOf(const std::string& name);
  void destroyObject(std::string name);

  EngineHost& host_;
  DeviceFactory& factory_;
  dsMan man_;
  std::vector<std::pair<std::string, std::shared_ptr<dsMother>>> objects_;  // newest last
  std::map<std::string, Handler> handlerByName_;
  bool running_ = false;
  std::deque<Request> deferred_;
};
