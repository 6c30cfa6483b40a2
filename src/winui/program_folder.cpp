#include "program_folder.h"

#include <windows.h>

#include <iterator>

#include "common/sjis.h"
#include "text.h"

std::string programFolder() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return tavora::sjis::folderOf(winui::narrow(std::wstring(path, n)));
}
