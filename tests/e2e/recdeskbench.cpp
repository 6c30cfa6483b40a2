// Measures the recorder's start up to its engine's start, beside a bare process that starts the
// same engine the same way, and how late a reservation's capture request reaches the engine
// after the reservation's start.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/oledate.h"
#include "enginestub_control.h"
#include "harness.h"
#include "recdesk/core/timer_ini.h"
#include "recdesk/reserve_builder.h"
#include "recdesk_bench.h"

namespace {

constexpr int kRounds = 7;
constexpr int kReservations = 3;

double seconds(double s) { return s / tavora::kSecondsPerDay; }

double nowMs() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND engineWindow() { return FindWindowExW(HWND_MESSAGE, nullptr, L"TavoraEngineStandIn", nullptr); }

// Milliseconds until the engine's window exists; -1 when it never comes.
double untilEngine(double begin) {
  const double limit = begin + 10000;
  while (!engineWindow()) {
    if (nowMs() > limit) return -1;
    Sleep(0);
  }
  return nowMs() - begin;
}

// The bare process: starts the engine as the recorder does, and nothing else.
int runBare() {
  std::wstring commandLine = L"grabcore 0";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, HIGH_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &info))
    return 1;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 0;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Start of recdesk.exe (from CreateProcess) to the engine's window; the bench ends both.
double recdeskStart() {
  e2e::RecdeskBench bench;
  const double begin = nowMs();
  if (!bench.start()) return -1;
  return untilEngine(begin);
}

// The same for the bare process, started from the same folder.
double bareStart(const std::wstring& self) {
  // Run from the bench's folder, so that the search finds the same engine there first.
  e2e::RecdeskBench bench;
  const std::wstring copy = bench.folder() + L"recdeskbench.exe";
  CopyFileW(self.c_str(), copy.c_str(), FALSE);
  std::wstring commandLine = L"\"" + copy + L"\" --bare";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double begin = nowMs();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, bench.folder().c_str(),
                      &startup, &info))
    return -1;
  const double ms = untilEngine(begin);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ms;
}

// Milliseconds from each reservation's start to its "cCapBuild captureStream on" at the engine.
std::vector<double> captureLateness() {
  e2e::RecdeskBench bench;
  timerIni settings;
  settings.noticeOn = 0;
  settings.noticeSeconds = 2;
  settings.setupLeadSeconds = 1;
  settings.closeViewAfterRecording = 0;
  bench.writeFile(L"timerSetup.dat", settings.encode());
  std::vector<TRsvEle> entries;
  const double first = std::ceil((e2e::localNow() + seconds(3)) * tavora::kSecondsPerDay) / tavora::kSecondsPerDay;
  for (int i = 0; i < kReservations; ++i) {
    const double start = first + seconds(3 * i);
    std::string title = "r";
    title += std::to_string(i);
    entries.push_back(reservation(start, start + seconds(1), 12, title));
  }
  bench.writeFile(L"reserve.dat", reserveFile(entries));
  std::vector<double> late;
  if (!bench.start() || !bench.waitForMainWindow()) return late;
  const std::string capture = "cCapBuild captureStream on";
  e2e::pollUntil(
      [&] {
        const std::vector<std::string> sent = bench.requests();
        return std::count(sent.begin(), sent.end(), capture) == kReservations;
      },
      3000 * kReservations + 10000);
  // Ids of the capture requests, then their arrival times.
  std::vector<long long> ids;
  for (const std::string& line : bench.engineLog())
    if (line.rfind("start ", 0) != 0 && line.substr(line.find(' ') + 1) == capture)
      ids.push_back(std::stoll(line.substr(0, line.find(' '))));
  std::ifstream times(std::filesystem::path(bench.folder() + enginestub::kTimesName));
  double at;
  long long id;
  size_t next = 0;
  while (times >> at >> id && next < ids.size() && next < entries.size()) {
    if (id != ids[next]) continue;
    late.push_back((at - entries[next].start) * tavora::kMillisecondsPerDay);
    ++next;
  }
  return late;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"--bare") return runBare();
  const std::wstring self = e2e::programFolder() + L"recdeskbench.exe";

  // Warm both paths, then measure them in turn.
  recdeskStart();
  bareStart(self);
  std::vector<double> recdesk, bare;
  for (int i = 0; i < kRounds; ++i) {
    recdesk.push_back(recdeskStart());
    bare.push_back(bareStart(self));
  }
  if (*std::min_element(recdesk.begin(), recdesk.end()) < 0 || *std::min_element(bare.begin(), bare.end()) < 0)
    return std::printf("an engine did not start\n"), 1;
  const double r = median(recdesk);
  const double b = median(bare);
  std::printf("recdesk.exe start to engine start: %.1f ms\nbare process start to engine start: %.1f ms\n"
              "ratio: %.2f (target: at most 2.00)\n",
              r, b, r / b);

  const std::vector<double> late = captureLateness();
  if (late.size() != kReservations) return std::printf("the reservations were not all captured\n"), 1;
  std::printf("capture request after the reservation's start:");
  for (double ms : late) std::printf(" %.0f ms", ms);
  std::printf(" (target: at most 60 ms)\n");
  return 0;
}
