// A recording engine host and a factory of scripted device objects for the interpreter tests.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "grabcore/core/device_factory.h"
#include "grabcore/core/graph_builder.h"
#include "grabcore/core/lex.h"
#include "../common/sj.h"
#include "recording_host.h"

// Keeps the engine's Shift-JIS bytes and records each pump as "pump".
class RecordingHost : public BasicRecordingHost<std::string> {
 public:
  RecordingHost() : BasicRecordingHost([](const std::string& text) { return text; }, true) {}
  // The names these tests know them by.
  std::vector<std::string>& log = replies;
  std::map<std::string, std::vector<std::string>>& files = commandFiles;
};

// The log entry of a posted message.
std::string post(unsigned msg, long long wParam, long long lParam = 0);

// A graph object whose operations are logged; failures are chosen by operation name.
class FakeGraph : public TGraphBuilder {
 public:
  FakeGraph(RecordingHost& host, std::string id, std::set<std::string> failing = {},
            std::set<std::string> exhausting = {})
      : host_(host), id_(std::move(id)), failing_(std::move(failing)), exhausting_(std::move(exhausting)) {}
  ~FakeGraph() override { host_.log.push_back("destroy " + id_); }
  void create() override { op("create"); }
  void release() override { op("release"); }
  void add(dsMother* other) override { op(other ? "add object" : "add none"); }
  void startView() override { op("startView"); }
  void stopView() override { op("stopView"); }
  void showFilters() override { op("showFilters"); }
  IGraphBuilder* getGraph() override { return nullptr; }
  bool pollErrorAbort() override {
    op("poll");
    return abortPending;
  }
  bool abortPending = false;

 private:
  void op(const std::string& name);
  RecordingHost& host_;
  std::string id_;
  std::set<std::string> failing_;
  std::set<std::string> exhausting_;
};

// An object of any other kind: only its life is logged.
class FakeDevice : public dsMother {
 public:
  FakeDevice(RecordingHost& host, std::string id) : host_(host), id_(std::move(id)) {}
  ~FakeDevice() override { host_.log.push_back("destroy " + id_); }

 private:
  RecordingHost& host_;
  std::string id_;
};

class FakeFactory : public DeviceFactory {
 public:
  explicit FakeFactory(RecordingHost& host) : host_(host) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex& engine) override;
  std::set<std::string> failing;  // operations of graphs made from now on that raise
  std::set<std::string> exhausting;  // ... that run out of memory (raise std::bad_alloc)
  std::set<WaitId> unavailable;   // kinds that make nothing
  int made = 0;

 private:
  RecordingHost& host_;
};

// An interpreter wired to the fakes, with the front end's window set.
struct EngineFixture {
  RecordingHost host;
  FakeFactory factory{host};
  lex engine{host, factory};
  EngineFixture() { engine.frontWnd = 0x1000; }
  // Sends one request as the front end would: the text, then the posted message.
  void request(unsigned msg, const std::string& text, int64_t id, uint64_t value = 0);
};
