// A page of the options dialog TForm3: a child form over the page control's client area with
// its own controls. The dialog tells it when it is shown and left, and hands every engine
// reply and copy-data block routed to the dialog on to every page; a page takes what is its.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "recdesk/core/reply_blocks.h"
#include "winui/form.h"

class TForm3;

class OptionsPage : public winui::Form {
 public:
  // A hidden child of the dialog over its page area; className names the page's window class.
  OptionsPage(TForm3& dialog, const wchar_t* className);

  // The page became the active one (OnShow): at every opening for page 0, at each change.
  virtual void shown() {}
  // The page is being left: the active page changes or the dialog closes on it.
  virtual void left() {}
  // The user closes the dialog, before anything is left: what waits for the user's answer or
  // the engine's is taken up (a box may show, replies may come); a close by the recorder itself
  // may come meanwhile.
  virtual void beforeClose() {}
  // The dialog closes, after the active page's leave: what still waits for a reply goes now.
  virtual void closing() {}
  // A posted engine reply routed to the dialog (TVR_FORMATDONE only with kind 2).
  virtual void engineReply(UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)msg, (void)wParam, (void)lParam;
  }
  // The copy-data blocks, read and checked: kinds 2 to 6.
  virtual void channelList(const ChannelListBlock& block) { (void)block; }
  virtual void channelNumbers(const std::vector<std::string>& keys) { (void)keys; }
  virtual void freeChannels(const FreeChannelsBlock& block) { (void)block; }
  virtual void mixerLines(const std::vector<std::string>& names) { (void)names; }
  virtual void compressorNames(const std::vector<std::string>& names) { (void)names; }

 protected:
  TForm3& dialog_;
};

// The five pages in their order; the dialog builds each through these.
std::unique_ptr<OptionsPage> makeVideoSoundPage(TForm3& dialog);     // 0 "ビデオ／サウンド"
std::unique_ptr<OptionsPage> makeQualityPage(TForm3& dialog);        // 1 "記録品質"
std::unique_ptr<OptionsPage> makeReservationPage(TForm3& dialog);    // 2 "予約設定"
std::unique_ptr<OptionsPage> makeManualRecordingPage(TForm3& dialog);  // 3 "手動録画"
std::unique_ptr<OptionsPage> makeChannelPage(TForm3& dialog);        // 4 "チューナー"
