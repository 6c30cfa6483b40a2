#include <windows.h>

#include <cstdio>
#include <vector>

#include "recdesk/texts/recdesk_texts.h"
#include "tavora_form.h"
#include "winui/program_folder.h"
#include "winui/text.h"

std::string productVersionOf(const std::string& file) {
  const std::wstring path = winui::widen(programFolder() + file);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<BYTE> block(size);
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return texts::kVersionUnknown;

  WORD language = 0x0411;
  WORD codePage = 932;
  struct Translation {
    WORD language, codePage;
  };
  Translation* translations = nullptr;
  UINT length = 0;
  if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) &&
      length >= sizeof(Translation)) {
    language = translations[0].language;
    codePage = translations[0].codePage;
  }
  wchar_t query[64];
  std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04X%04X\\ProductVersion", language, codePage);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &length) || length == 0)
    return texts::kVersionUnknown;
  return "Ver " + winui::narrow(value);
}
