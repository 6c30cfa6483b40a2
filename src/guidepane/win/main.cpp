// guidepane: the program-guide browser the user starts; one copy at a time.
#include <windows.h>

#include "guidepane/texts/shell_texts.h"
#include "main_form.h"
#include "winui/guard.h"
#include "winui/program_folder.h"
#include "winui/pump.h"

namespace {

class Mutex {
 public:
  explicit Mutex(HANDLE h) : h_(h) {}
  ~Mutex() {
    if (h_) {
      ReleaseMutex(h_);
      CloseHandle(h_);
    }
  }
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

 private:
  HANDLE h_;
};

int run() {
  // The forms in their order: the main window, the favourites (TForm2), the table download
  // (TForm3, with the downloader) and the reservation check (TForm4). Each later form attaches
  // itself to the main window; they are destroyed in the reverse order, the main window last.
  TForm1 form1(programFolder());
  form1.show();
  winui::runMessageLoop();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  if (HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, L"Tavora-guidepane")) {
    CloseHandle(other);
    return 0;
  }
  Mutex mutex(CreateMutexW(nullptr, TRUE, L"Tavora-guidepane"));
  winui::setApplicationTitle(texts::kGuideTitle);
  return winui::guarded([] { return run(); }, 0);
}
