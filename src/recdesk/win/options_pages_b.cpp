// Pages 2 to 4 of the options dialog: each page's own window laid into the dialog's page.
#include <memory>

#include "channel_page.h"
#include "common/messages.h"
#include "manual_page.h"
#include "options_form.h"
#include "options_page.h"
#include "recdesk/texts/options_pages_texts.h"
#include "reservation_page.h"
#include "tv_view_form.h"
#include "winui/folder_picker.h"

namespace {

RECT clientOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {0, 0, client.right, client.bottom};
}

// The folder picker, rooted where the page asks.
std::optional<std::string> chooseFolder(HWND page, const std::string& title, const std::string& root) {
  std::string folder;
  if (!winui::selectDirectory({title, root, texts::kFolderNotShiftJis, page, texts::kFolderNotFileSystem}, folder))
    return std::nullopt;
  return folder;
}

class ReservationSheet : public OptionsPage {
 public:
  explicit ReservationSheet(TForm3& dialog)
      : OptionsPage(dialog, L"TForm3TabSheet3"), page_(handle(), clientOf(handle()), dialog.links().timer, chooseFolder) {
    page_.show();
  }
  void shown() override { page_.shown(); }

 private:
  ReservationPage page_;
};

class ManualSheet : public OptionsPage {
 public:
  explicit ManualSheet(TForm3& dialog)
      : OptionsPage(dialog, L"TForm3TabSheet6"),
        page_(handle(), clientOf(handle()), dialog.links().view.settings(), dialog.links().timer, dialog.links().folder,
              dialog.links().useVfw) {
    page_.show();
  }
  void shown() override { page_.shown(); }

 private:
  ManualPage page_;
};

class ChannelSheet : public OptionsPage, private ChannelPageHost {
 public:
  explicit ChannelSheet(TForm3& dialog)
      : OptionsPage(dialog, L"TForm3TabSheet4"),
        page_(handle(), clientOf(handle()), dialog.engine(), *this,
              {dialog.channelListLoaded, dialog.channelsEdited, dialog.suppressEvents}) {
    page_.show();
  }
  void shown() override { page_.shown(); }
  void left() override { page_.leave(); }
  void beforeClose() override { page_.awaitKeys([this] { return dialog_.closed(); }); }
  void closing() override { page_.closing(); }
  void engineReply(UINT msg, WPARAM, LPARAM) override {
    if (msg == tvr::TVR_CHADDED) page_.channelAdded();
  }
  void channelList(const ChannelListBlock& block) override { page_.channelList(block); }
  void channelNumbers(const std::vector<std::string>& keys) override { page_.channelNumbers(keys); }
  void freeChannels(const FreeChannelsBlock& block) override { page_.freeChannels(block); }

 private:
  channels::TuningRange tuningRange(bool cable) const override {
    const TFormTVView& view = dialog_.links().view;
    return cable ? channels::TuningRange{view.cableMin, view.cableMax}
                 : channels::TuningRange{view.antennaMin, view.antennaMax};
  }
  bool antennaInput() const override { return dialog_.links().view.isAntenna; }
  bool muteDown() const override { return dialog_.links().view.controls().muteDown(); }

  ChannelPage page_;
};

}  // namespace

std::unique_ptr<OptionsPage> makeReservationPage(TForm3& dialog) { return std::make_unique<ReservationSheet>(dialog); }
std::unique_ptr<OptionsPage> makeManualRecordingPage(TForm3& dialog) { return std::make_unique<ManualSheet>(dialog); }
std::unique_ptr<OptionsPage> makeChannelPage(TForm3& dialog) { return std::make_unique<ChannelSheet>(dialog); }
