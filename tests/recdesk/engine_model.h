// Runs the recorder's requests and the installation's command files through the engine's real
// interpreter: the built-ins (new, delete, label, mark, quit) go to lex itself; the lines for
// device objects, and the undo lines that "clean" runs, go to a model of the devices. The model
// checks each line against the subcommand table, the kind of the object it names, its tokens,
// and what the device needs done before (a filter in the graph before rendering, a file before
// a capture branch, a running graph before capturing, a stopped graph before stripping it).
// Every breach is a test failure naming the line.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../grabcore/fake_engine.h"
#include "recdesk/core/ds_control.h"

class EngineModel {
 public:
  struct Device {
    explicit Device(WaitId k = WaitId::GraphBuilder) : kind(k) {}
    WaitId kind;
    bool created = false;
    // GraphBuilder
    std::set<std::string> filters;  // objects whose filter was added
    bool running = false;
    bool tuner = false;             // the tuner and crossbars live in this graph
    // CaptureGraphBuilder
    std::string graph;
    bool viewWindow = false;
    bool preview = false;
    bool file = false;
    bool videoCapture = false;
    bool audioCapture = false;
    bool capturing = false;
    // VCapSorce
    std::string profile;
  };

  EngineModel();

  // One request line, as TVR_EXECONELINE runs it.
  void runLine(const std::string& line);
  // A command file of the installation (data/script), as TVR_EXECMDFILE runs it.
  void runFile(const std::string& name);

  lex& engine() { return fixture_.engine; }
  RecordingHost& host() { return fixture_.host; }
  const std::vector<std::string>& undoList() { return fixture_.engine.undoList; }
  bool has(const std::string& name) const { return devices_.count(name) != 0; }
  const Device& device(const std::string& name) const;
  // The preview shows in the panel: rendered into a window, graph running.
  bool previewing() const;
  // The capture stream writes the file.
  bool capturing() const;
  std::vector<std::string> marks() const;

  // Lines that fail as a driver's call would: the error box, then the whole undo list runs.
  std::set<std::string> failingLines;
  // The engine ignores a line whose object does not exist; the model fails it unless told.
  bool ignoreLinesForMissingObjects = false;
  std::vector<std::string> ignoredLines;
  // A full disk or a lost device: the capture stops, an error-abort event waits in the graph.
  void abortGraph();

 private:
  void runBuiltIn(const std::string& line);
  void clean(const std::string& label);
  // Carries out one device line; undo lines push nothing.
  void apply(const std::string& line, bool pushUndo);
  Device* need(const std::string& line, const std::string& name, WaitId kind);
  void requireNumber(const std::string& line, const std::string& name);

  EngineFixture fixture_;
  std::map<std::string, Device> devices_;
  std::string where_;  // the command file being run, for messages
};

// A transport that hands each request to the model and acknowledges it when pumped.
class ModelTransport : public EngineTransport {
 public:
  explicit ModelTransport(EngineModel& model) : model_(model) {}
  bool engineKnown() const override { return true; }
  void sendCopyData(int32_t id, const std::vector<char>& bytes) override;
  void postRequest(int32_t msg, uintptr_t value, int32_t id) override;
  // Acknowledges requests until the queue is idle.
  void pump(dsControl& link);
  // The acknowledgement of the request the model ran last, if not yet given.
  std::optional<int32_t> takeAck();

  // "line <text>", "file <name>", "dword <name> <value>", "arg <name>".
  std::vector<std::string> log;

 private:
  EngineModel& model_;
  std::deque<std::string> texts_;
  std::deque<int32_t> acks_;
};

// The lines of a command file of the installation.
std::vector<std::string> commandFileLines(const std::string& name);
