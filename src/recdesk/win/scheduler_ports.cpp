#include "scheduler_ports.h"

#include <shellapi.h>

#include "common/fileio.h"
#include "common/oledate.h"
#include "winui/dialogs.h"
#include "winui/pump.h"
#include "winui/text.h"

double LocalClock::now() const {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return tavora::encodeOleDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

std::optional<std::vector<uint8_t>> ReserveFileSource::read() { return tavora::readWholeFile(path_); }

bool ShellLauncher::open(const std::string& file, const std::string& parameters) {
  const std::wstring wideFile = winui::widen(file);
  const std::wstring wideParameters = winui::widen(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.lpVerb = L"open";
  info.lpFile = wideFile.c_str();
  info.lpParameters = wideParameters.c_str();
  info.nShow = SW_SHOWDEFAULT;
  return ShellExecuteExW(&info) != FALSE;
}

void ShellLauncher::processMessages() { winui::processMessages(); }
