#include "form_sel_vcap.h"

#include "form_frame.h"
#include "grabcore/texts/vcap_texts.h"
#include "winui/window_object.h"

namespace {

const wchar_t kClassName[] = L"TFormSelVCap";
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 186;

DriverChoiceSeam* g_seam = nullptr;

}  // namespace

void setDriverChoiceSeam(DriverChoiceSeam* seam) { g_seam = seam; }

int chooseCaptureDriver() {
  if (g_seam) return g_seam->choose();
  TFormSelVCap form;
  return form.showModal();
}

TFormSelVCap::TFormSelVCap() {
  formframe::registerFormClass(kClassName, windowProc);
  font_ = formframe::createMessageFont();
  HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  window_ = formframe::createCentredForm(kClassName, texts::kSelVCapCaption, WS_EX_DLGMODALFRAME, kClientWidth,
                                     kClientHeight, this);
  if (!window_) return;

  using formframe::addChild;
  addChild(window_, L"STATIC", texts::kSelVCapFound, 0, 16, 12, 348, 18, -1, font);
  addChild(window_, L"STATIC", texts::kSelVCapChoose, 0, 16, 32, 348, 18, -1, font);
  addChild(window_, L"BUTTON", "", BS_GROUPBOX, 16, 58, 348, 74, -1, font);
  addChild(window_, L"BUTTON", texts::kSelVCapWdm, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 32, 78, 316, 20, 100,
           font);
  vfwButton_ = addChild(window_, L"BUTTON", texts::kSelVCapVfw, BS_AUTORADIOBUTTON, 32, 102, 316, 20, 101, font);
  HWND close = addChild(window_, L"BUTTON", texts::kSelVCapClose, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 140, 146,
                        100, 28, IDOK, font);
  SendMessageW(vfwButton_, BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(close);
}

TFormSelVCap::~TFormSelVCap() {
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

int TFormSelVCap::showModal() {
  if (!window_) return kDriverChoiceVfw;
  done_ = false;
  result_ = kDriverChoiceVfw;
  // When the application is ending, the quit request is left for the main loop.
  if (!formframe::runModalLoop(window_, done_)) finish(kDriverChoiceVfw);
  ShowWindow(window_, SW_HIDE);
  return result_;
}

void TFormSelVCap::finish(int result) {
  result_ = result;
  done_ = true;
}

LRESULT CALLBACK TFormSelVCap::windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* form = winui::windowObject<TFormSelVCap>(window, msg, lParam);
  if (form) {
    switch (msg) {
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          const bool vfw = SendMessageW(form->vfwButton_, BM_GETCHECK, 0, 0) == BST_CHECKED;
          form->finish(vfw ? kDriverChoiceVfw : kDriverChoiceWdm);
          return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          form->finish(kDriverChoiceVfw);
          return 0;
        }
        break;
      case WM_CLOSE:
        form->finish(kDriverChoiceVfw);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}
