#include "main_form.h"

#include "guidepane/texts/shell_texts.h"
#include "winui/dialogs.h"

namespace {

winui::Form::Options mainOptions() {
  winui::Form::Options o;
  o.className = L"TavoraGuideMain";
  o.caption = texts::kGuideTitle;
  o.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, 679, 471};
  return o;
}

}  // namespace

TForm1::TForm1(const std::string& programFolder) : Form(mainOptions()), folder_(programFolder) {
  settings_ = std::make_unique<defFile>(folder_ + "guidepane.dat", DesignPanels{});
}

TForm1::~TForm1() = default;

bool TForm1::FormCloseQuery() {
  if (download_ && download_->downloading()) {
    winui::messageBox(handle(), texts::kDownloadRunning, texts::kCloseErrorCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

void TForm1::FormDestroy() {}

LRESULT TForm1::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (FormCloseQuery()) DestroyWindow(handle());
      return 0;
    case WM_DESTROY:
      FormDestroy();
      PostQuitMessage(0);
      return 0;
  }
  return defaultHandling(msg, wParam, lParam);
}
