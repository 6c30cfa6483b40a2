// Runs engine lines in-process over the COM fakes: a lex with a WinDeviceFactory over the fake
// ComFactory, and a host that records what the front end and the user would receive.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fake_com_factory.h"
#include "grabcore/core/lex.h"
#include "grabcore/win/win_device_factory.h"
#include "../../grabcore/recording_host.h"

namespace fakes {

// Records replies and dialogs as a person reads them (UTF-16); pumps are not recorded.
class RecordingEngineHost : public BasicRecordingHost<std::wstring> {
 public:
  RecordingEngineHost();
};

// A device object that only wraps a fake filter: stands in for a source or compressor whose
// own class is not under test.
class FilterStandIn : public dsMother {
 public:
  explicit FilterStandIn(FakeFilter* filter) : filter_(filter) {}
  IBaseFilter* getFilter() override { return filter_ ? filter_->filter() : nullptr; }

 private:
  FakeFilter* filter_;
};

// Makes the real device objects, except for the kinds given a stand-in.
class StandInFactory : public DeviceFactory {
 public:
  explicit StandInFactory(DeviceFactory& real) : real_(real) {}
  std::map<WaitId, std::function<std::shared_ptr<dsMother>()>> standIns;
  std::shared_ptr<dsMother> make(WaitId kind, lex& engine) override;

 private:
  DeviceFactory& real_;
};

// A test over the fakes. TearDown destroys the engine's objects and then checks that every
// reference the code took on a fake was released.
class EngineOverFakes : public ::testing::Test {
 protected:
  EngineOverFakes();
  void TearDown() override;

  // Runs one line (Shift-JIS bytes) as a request would; answers the dispatcher's status.
  bool run(const std::string& line);
  // Runs one line given as UTF-16, converted to Shift-JIS first (for Japanese file names).
  bool run(const std::wstring& line);
  void runAll(std::initializer_list<const char*> lines);
  // Objects of that kind made from now on are stand-ins answering filter.
  void standIn(WaitId kind, FakeFilter* filter);

  ComKit kit;
  FakeComFactory com{kit};
  RecordingEngineHost host;
  WinDeviceFactory devices{com};
  StandInFactory factory{devices};  // what the engine makes its objects with
  std::unique_ptr<lex> engine;
};

// A folder under the system's temporary folder, emptied and removed on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  // Shift-JIS, with the trailing '\'.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A test over the fakes whose devices keep their settings and profile files in a folder of
// the test's own.
class EngineOverFakesInFolder : public EngineOverFakes {
 protected:
  EngineOverFakesInFolder() { devices.programDir = folder.path(); }

  std::string file(const std::string& name) const { return folder.path() + name; }
  std::optional<std::vector<uint8_t>> read(const std::string& name) const;
  void write(const std::string& name, const std::vector<uint8_t>& data) const;
  // The replies since the last call (and forgets them).
  std::vector<std::wstring> takeReplies();

  TempFolder folder;
};

// Shift-JIS of a UTF-16 literal (file names and lines with Japanese text).
std::string sj(const std::wstring& text);
// The reply of a posted message as the host records it.
std::wstring post(unsigned msg, long long wParam, long long lParam = 0);
std::wstring postTo(long long window, unsigned msg, long long wParam, long long lParam);

}  // namespace fakes
