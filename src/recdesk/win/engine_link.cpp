#include "engine_link.h"

#include <stdexcept>

#include "recdesk/texts/recdesk_texts.h"
#include "winui/dialogs.h"

void EngineLink::sendCopyData(int32_t id, const std::vector<char>& bytes) {
  COPYDATASTRUCT data{};
  data.dwData = static_cast<ULONG_PTR>(static_cast<uint32_t>(id));
  data.cbData = static_cast<DWORD>(bytes.size());
  data.lpData = const_cast<char*>(bytes.data());
  SendMessageW(engine_, WM_COPYDATA, reinterpret_cast<WPARAM>(self_), reinterpret_cast<LPARAM>(&data));
}

void EngineLink::postRequest(int32_t msg, uintptr_t value, int32_t id) {
  PostMessageW(engine_, static_cast<UINT>(msg), value, id);
}

namespace {
constexpr uint32_t kWatchIntervalMs = 500;
}

EngineProcess::EngineProcess(HWND frontWindow, std::function<void()> onEnded)
    : onEnded_(std::move(onEnded)), watch_(winui::Timer::Kind::repeating) {
  std::wstring commandLine = L"grabcore " + std::to_wstring(reinterpret_cast<uintptr_t>(frontWindow));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, HIGH_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &info))
    throw std::runtime_error(texts::kEngineCannotStart);
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  watch_.setHandler([this] {
    if (alive()) return;
    watch_.stop();
    if (onEnded_) onEnded_();
  });
  watch_.start(kWatchIntervalMs);
}

EngineProcess::~EngineProcess() {
  if (process_) CloseHandle(process_);
}

bool EngineProcess::alive() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool EngineProcess::waitForEnd(DWORD milliseconds) const {
  return WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

bool WinEngineWatch::engineNotAnswering(unsigned) {
  constexpr UINT kResponseMs = 5000;
  DWORD_PTR result = 0;
  const bool responsive =
      process_.alive() && link_.engineWindow() &&
      SendMessageTimeoutW(link_.engineWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kResponseMs, &result) != 0;
  if (responsive) return false;
  return winui::messageBox(nullptr, texts::kEngineNotAnswering, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
