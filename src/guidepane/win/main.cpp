// guidepane: the program-guide browser the user starts; one copy at a time.
#include <windows.h>

#include "download_form.h"
#include "favourites_form.h"
#include "guidepane/texts/shell_texts.h"
#include "main_form.h"
#include "rsv_check_form.h"
#include "winui/dialogs.h"
#include "winui/guard.h"
#include "winui/program_folder.h"
#include "winui/pump.h"
#include "winui/single_instance.h"

namespace {

int run() {
  // The forms in their order: the main window, the favourites (TForm2), the table download
  // (TForm3, with the downloader) and the reservation check (TForm4). Each later form attaches
  // itself to the main window; they are destroyed in the reverse order, the main window last,
  // which writes guidepane.dat.
  OleInitialize(nullptr);
  {
    const std::string folder = programFolder();
    TForm1 form1(GuideEnvironment{folder, {}, {}});
    TForm2 form2(
        form1.handle(), folder, [&](const std::vector<std::string>& names) { form1.setFavouriteNames(names); },
        [&] {
          TForm2::ShownPage page;
          form1.currentAddressAndTitle(page.address, page.name);
          return page;
        });
    form1.attachFavourites(&form2);
    TForm3 form3(form1.handle(), form1.settings(), folder,
                 {[&] { return form1.text(TForm1::ComboBox2); }, [&] { form1.updateDateButtons(); }, {}}, {});
    form1.attachDownload(&form3);
    TForm4 form4(form1.handle(), form1.settings(), folder);
    form1.attachReservationCheck(&form4);
    winui::setKeyHook([&](const MSG& msg) { return form1.preTranslate(const_cast<MSG&>(msg)); });
    form1.showStored();
    winui::runMessageLoop();
    winui::setKeyHook({});
    form1.attachReservationCheck(nullptr);
    form1.attachDownload(nullptr);
    form1.attachFavourites(nullptr);
  }
  OleUninitialize();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  winui::SingleInstance instance(L"Tavora-guidepane");
  if (!instance.first()) return 0;
  winui::setApplicationTitle(texts::kGuideTitle);
  return winui::guarded([] { return run(); }, 0);
}
