// recdesk: the recorder the user starts; one copy at a time.
#include <windows.h>

#include "recdesk/texts/recdesk_texts.h"
#include "tavora_form.h"
#include "winui/dialogs.h"
#include "winui/guard.h"
#include "winui/program_folder.h"
#include "winui/pump.h"
#include "winui/single_instance.h"

namespace {

int run() {
  timerIni settings;
  const timerIni::LoadResult loaded = settings.load(programFolder() + "timerSetup.dat");
  if (loaded == timerIni::LoadResult::missing) {
    winui::messageBox(nullptr, texts::kTimerFileMissing, MB_OK | MB_ICONERROR);
    return 0;
  }
  // A file that is there but cannot be read is left alone rather than replaced by the defaults.
  if (loaded == timerIni::LoadResult::unreadable)
    winui::messageBox(nullptr, texts::kTimerFileCannotOpen, MB_OK | MB_ICONERROR);

  TTavora tavora(settings, loaded == timerIni::LoadResult::loaded);
  winui::runMessageLoop();
  tavora.saveSettings();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  winui::SingleInstance instance(L"Tavora-recdesk-V2");
  if (!instance.first()) return 0;
  winui::setApplicationTitle(texts::kMainCaption);
  return winui::guarded([] { return run(); }, 0);
}
