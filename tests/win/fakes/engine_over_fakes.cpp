#include "engine_over_fakes.h"

#include <windows.h>

#include "common/fileio.h"
#include "winui/text.h"

namespace fakes {

RecordingEngineHost::RecordingEngineHost()
    : BasicRecordingHost([](const std::string& text) { return winui::widen(text); }, false) {}

std::shared_ptr<dsMother> StandInFactory::make(WaitId kind, lex& engine) {
  auto it = standIns.find(kind);
  return it != standIns.end() ? it->second() : real_.make(kind, engine);
}

EngineOverFakes::EngineOverFakes() : engine(std::make_unique<lex>(host, factory)) { engine->frontWnd = 0x1000; }

void EngineOverFakes::standIn(WaitId kind, FakeFilter* filter) {
  factory.standIns[kind] = [filter] { return std::make_shared<FilterStandIn>(filter); };
}

void EngineOverFakes::TearDown() {
  engine->destroyAllObjects();
  engine.reset();
  EXPECT_EQ(kit.leaks(), std::vector<std::wstring>{});
}

bool EngineOverFakes::run(const std::string& line) { return engine->execLine(line); }

bool EngineOverFakes::run(const std::wstring& line) { return engine->execLine(winui::narrow(line)); }

void EngineOverFakes::runAll(std::initializer_list<const char*> lines) {
  for (const char* line : lines) run(std::string(line));
}

TempFolder::TempFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"engine_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                        std::to_wstring(++counter);
  CreateDirectoryW(folder.c_str(), nullptr);
  path_ = winui::narrow(folder) + "\\";
}

TempFolder::~TempFolder() {
  const std::wstring folder = winui::widen(path_);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::string sj(const std::wstring& text) { return winui::narrow(text); }

std::wstring post(unsigned msg, long long wParam, long long lParam) {
  return L"post " + std::to_wstring(msg) + L" " + std::to_wstring(wParam) + L" " + std::to_wstring(lParam);
}

std::wstring postTo(long long window, unsigned msg, long long wParam, long long lParam) {
  return L"postto " + std::to_wstring(window) + L" " + std::to_wstring(msg) + L" " + std::to_wstring(wParam) + L" " +
         std::to_wstring(lParam);
}

std::optional<std::vector<uint8_t>> EngineOverFakesInFolder::read(const std::string& name) const {
  return tavora::readWholeFile(file(name));
}

void EngineOverFakesInFolder::write(const std::string& name, const std::vector<uint8_t>& data) const {
  ASSERT_TRUE(tavora::writeFileReplacing(file(name), data));
}

std::vector<std::wstring> EngineOverFakesInFolder::takeReplies() {
  std::vector<std::wstring> replies = std::move(host.replies);
  host.replies.clear();
  return replies;
}

}  // namespace fakes
