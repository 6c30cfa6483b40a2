#include "options_form.h"

#include "common/messages.h"
#include "recdesk/core/ds_control.h"
#include "recdesk/texts/options_texts.h"
#include "tv_view_form.h"

TForm3* optionsDialog = nullptr;

namespace {

constexpr int kClientWidth = 436;
constexpr int kClientHeight = 379;
constexpr int kPageControl1 = 1;
constexpr int kButton1 = 2;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;

winui::Form::Options dialogOptions(const OptionsLinks& links) {
  winui::Form::Options options;
  options.className = L"TForm3";
  options.caption = texts::kOptionsCaption;
  options.style = kStyle;
  options.exStyle = WS_EX_DLGMODALFRAME | (links.view.alwaysOnTop() ? WS_EX_TOPMOST : 0);
  options.parent = links.view.handle();
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, options.exStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  options.bounds = {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                    height};
  return options;
}

}  // namespace

OptionsPage::OptionsPage(TForm3& dialog, const wchar_t* className)
    : winui::Form([&] {
        winui::Form::Options options;
        options.className = className;
        // No WS_CLIPCHILDREN: group boxes rely on the page painting beneath them.
        options.style = WS_CHILD | WS_CLIPSIBLINGS;
        options.parent = dialog.handle();
        const RECT area = dialog.pageArea();
        options.bounds = {area.left, area.top, area.right - area.left, area.bottom - area.top};
        return options;
      }()),
      dialog_(dialog) {}

TForm3::TForm3(const OptionsLinks& links) : winui::Form(dialogOptions(links)), links_(links) {
  // Made before the page control: the pages lie above it, and Tab goes from the tabs through the
  // page shown to "閉じる" and round again, as they are laid out.
  addControl(winui::Control::button, kButton1, texts::kOptionsClose, RECT{kClientWidth - 88, 346, 80, 25});
  PageControl1 = std::make_unique<winui::TabControl>(handle(), kPageControl1, RECT{4, 4, kClientWidth - 8, 334});
  pages_ = {makeVideoSoundPage(*this), makeQualityPage(*this), makeReservationPage(*this),
            makeManualRecordingPage(*this), makeChannelPage(*this)};
  const char* const captions[kPageCount] = {texts::kOptionsPageVideo, texts::kOptionsPageQuality,
                                            texts::kOptionsPageReservation, texts::kOptionsPageManual,
                                            texts::kOptionsPageTuner};
  for (int i = 0; i < kPageCount; ++i) PageControl1->addPage(captions[i], pages_[static_cast<size_t>(i)]->handle());
  PageControl1->onChanging([this](int leaving) { PageControl1Changing(leaving); });
  PageControl1->onChange([this](int shown) { PageControl1Change(shown); });
  onClick(kButton1, [this] { userClose(); });
}

TForm3::~TForm3() = default;

void TForm3::run() {
  open_ = true;
  // Page 0 is active at every opening, so its show procedure runs each time.
  pages_[0]->shown();
  if (!closed_) showModal();
  open_ = false;
}

void TForm3::userClose() {
  if (closed_ || userClosing_) return;
  userClosing_ = true;
  for (auto& page : pages_)
    if (!closed_) page->beforeClose();
  userClosing_ = false;
  closeDialog();
}

void TForm3::closeDialog() {
  if (closed_) return;
  closed_ = true;
  pages_[static_cast<size_t>(PageControl1->activeIndex())]->left();
  for (auto& page : pages_) page->closing();
  if (channelsEdited) engine().execOneLine("tune saveTunerDat");
  open_ = false;
  hide();
  if (inModal()) endModal(IDCANCEL);
}

void TForm3::PageControl1Changing(int leaving) { pages_[static_cast<size_t>(leaving)]->left(); }

void TForm3::PageControl1Change(int shown) {
  // A box of the page left may have let the recorder close the dialog meanwhile.
  if (!closed_) pages_[static_cast<size_t>(shown)]->shown();
}

void TForm3::engineReply(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!open_) return;
  if (msg == tvr::TVR_FORMATDONE) {
    // Only the format dialog's end concerns the dialog.
    if (wParam != 2) return;
    SetForegroundWindow(handle());
    BringWindowToTop(handle());
  }
  for (auto& page : pages_) page->engineReply(msg, wParam, lParam);
}

void TForm3::engineBlock(unsigned kind, const void* data, size_t size) {
  if (!open_) return;
  switch (kind) {
    case tvr::CD_CHLIST:
      if (auto block = readChannelListBlock(data, size))
        for (auto& page : pages_) page->channelList(*block);
      break;
    case tvr::CD_CHNUMBERS:
      if (auto keys = readNameBlock(data, size))
        for (auto& page : pages_) page->channelNumbers(*keys);
      break;
    case tvr::CD_FREECHANNELS:
      if (auto block = readFreeChannelsBlock(data, size))
        for (auto& page : pages_) page->freeChannels(*block);
      break;
    case tvr::CD_MIXERLINES:
      if (auto names = readNameBlock(data, size))
        for (auto& page : pages_) page->mixerLines(*names);
      break;
    case tvr::CD_COMPNAMES:
      if (auto names = readNameBlock(data, size))
        for (auto& page : pages_) page->compressorNames(*names);
      break;
  }
}

LRESULT TForm3::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NOTIFY:
      if (PageControl1 && PageControl1->handleNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_CLOSE:
      userClose();
      return 0;
  }
  return defaultHandling(msg, wParam, lParam);
}
