// grabcore: the capture engine, started by the recorder with its main window's handle.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <memory>

#include "common/messages.h"
#include "common/sjis.h"
#include "form_grc.h"
#include "grabcore/core/convert.h"
#include "grabcore/core/errors.h"
#include "grabcore/core/lex.h"
#include "grabcore/texts/engine_texts.h"
#include "win_device_factory.h"
#include "win_engine_host.h"
#include "winui/dialogs.h"
#include "winui/text.h"

namespace {

std::vector<std::wstring> commandLineArguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

// The decimal window handle; a text that is no number is the language's conversion error.
HWND parseWindowHandle(const std::wstring& argument) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(toWindowHandle(winui::narrow(argument))));
}

std::string scriptFolder() {
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return tavora::sjis::folderOf(winui::narrow(std::wstring(path, n))) + "script\\";
}

int runEngine(HINSTANCE instance) {
  TFormGRC form(instance);
  const std::vector<std::wstring> args = commandLineArguments();
  if (args.empty()) {
    winui::messageBox(form.handle(), texts::kStartupErrorText, texts::kStartupErrorCaption, MB_ICONERROR);
    return 0;
  }
  HWND frontWnd = parseWindowHandle(args[0]);

  CoInitialize(nullptr);
  SystemComFactory com;
  WinEngineHost host;
  WinDeviceFactory factory(com);
  {
    lex engine(host, factory);
    host.frontWnd = frontWnd;
    host.engineWnd = form.handle();
    engine.frontWnd = reinterpret_cast<uintptr_t>(frontWnd);
    engine.scriptDir = scriptFolder();
    form.attach(&engine);
    PostMessageW(frontWnd, tvr::TVR_ENGINEWND, reinterpret_cast<WPARAM>(form.handle()), 0);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    // Objects left in the table still write their settings files; their boxes need an owner
    // that still exists.
    if (!IsWindow(host.engineWnd)) host.engineWnd = nullptr;
    engine.destroyAllObjects();
    form.attach(nullptr);
  }
  CoUninitialize();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  winui::setApplicationTitle(texts::kApplicationTitle);
  try {
    return runEngine(instance);
  } catch (const LanguageError& error) {
    winui::messageBox(nullptr, error.text, MB_OK | MB_ICONERROR);
  } catch (const DeviceError& error) {
    winui::messageBox(nullptr, error.text, MB_OK | MB_ICONERROR);
  } catch (const std::exception& error) {
    winui::messageBox(nullptr, error.what(), MB_OK | MB_ICONERROR);
  }
  return 0;
}
