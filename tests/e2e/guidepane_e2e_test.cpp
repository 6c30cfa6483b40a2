// guidepane.exe end to end, from a folder of its own: a first start without files, a second
// copy that ends at once, and guidepane.dat as the closed window leaves it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/fileio.h"
#include "guidepane/core/def_file.h"
#include "harness.h"
#include "winui/text.h"

namespace {

// The visible main windows of a process.
std::vector<HWND> mainWindows(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } s{pid, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (owner == s->pid && std::wstring(name) == L"TavoraGuideMain" && IsWindowVisible(w)) s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

PROCESS_INFORMATION start(const std::wstring& exe) {
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  std::wstring line = L"\"" + exe + L"\"";
  EXPECT_TRUE(CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  return info;
}

DWORD exitCodeWithin(HANDLE process, DWORD ms) {
  if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return code;
}

TEST(GuidepaneEndToEnd, AFirstStartASecondCopyAndTheFileAfterClose) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"guidepane_e2e_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring exe = folder + L"guidepane.exe";
  ASSERT_TRUE(CopyFileW((e2e::productFolder() + L"guidepane.exe").c_str(), exe.c_str(), FALSE));
  const std::string settings = winui::narrow(folder) + "guidepane.dat";

  PROCESS_INFORMATION first = start(exe);
  std::vector<HWND> shown;
  for (int i = 0; i < 300 && shown.empty(); ++i, Sleep(50)) shown = mainWindows(first.dwProcessId);
  ASSERT_EQ(shown.size(), 1u);
  const HWND window = shown[0];
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_EQ(std::wstring(caption), L"電子番組表");

  PROCESS_INFORMATION second = start(exe);
  EXPECT_EQ(exitCodeWithin(second.hProcess, 10000), 0u);
  EXPECT_EQ(mainWindows(first.dwProcessId).size(), 1u);
  EXPECT_FALSE(tavora::fileExists(settings));

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(exitCodeWithin(first.hProcess, 15000), 0u);
  const auto bytes = tavora::readWholeFile(settings);
  ASSERT_TRUE(bytes);
  const auto s = decodeGuideSettings(*bytes);
  ASSERT_TRUE(s);
  EXPECT_EQ(std::vector<int>({s->header.width, s->header.height, s->header.windowState, s->header.online,
                              s->header.textSize}),
            std::vector<int>({679, 471, 0, 0, 2}));
  EXPECT_EQ(s->baseAddress, "http://127.0.0.1/tokyo/table/");

  for (PROCESS_INFORMATION* p : {&first, &second}) {
    if (WaitForSingleObject(p->hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(p->hProcess, 1);
    CloseHandle(p->hProcess);
    CloseHandle(p->hThread);
  }
  for (const wchar_t* name : {L"guidepane.exe", L"guidepane.dat", L"guidepane.dat~new.tmp"})
    DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
