// TForm3: the options dialog, five pages in a page control and "閉じる". It has no OK and no
// Cancel: each control applies at once, to the engine or to the settings in memory. It lives
// for one modal run, opened by the TV view's "設定"; the main window routes the engine's
// replies for it through optionsDialog while it is open.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "options_page.h"
#include "winui/form.h"
#include "winui/tab_control.h"

class dsControl;
class timerIni;
class TFormTVView;

// What the dialog reaches outside itself.
struct OptionsLinks {
  dsControl& engine;
  TFormTVView& view;  // its video panel Panel1, its settings, "常に手前に表示"
  timerIni& timer;
  bool& useVfw;               // the main window's: the engine captures through VfW, else WDM
  const bool& driverChoice;   // the main window's: both device kinds exist
  std::string folder;         // the program folder, with its "\"
};

class TForm3 : public winui::Form {
 public:
  static constexpr int kPageCount = 5;

  explicit TForm3(const OptionsLinks& links);
  ~TForm3() override;

  // Page 0 active and shown, then the modal run until the dialog closes.
  void run();
  // FormClose (the leave step of the active page, the channel table saved when edited), then
  // the end of the modal run; once. A reservation falling due and the end of Windows close the
  // dialog this way, without a box or a wait.
  void closeDialog();
  // "閉じる", Esc, Alt+F4: the pages take up first what waits for the user or the engine.
  void userClose();
  // Between the start of run and the close: replies are taken.
  bool isOpen() const { return open_; }
  bool closed() const { return closed_; }
  // What a page could not take up at a close that allows no box, told once the dialog is gone.
  void tellAfterClose(std::string text) { toldAfterClose_ = std::move(text); }
  const std::string& toldAfterClose() const { return toldAfterClose_; }

  // The main window's routing: posted replies, and copy-data blocks of kinds 2 to 6 (a block
  // that does not hold what its kind says is dropped).
  void engineReply(UINT msg, WPARAM wParam, LPARAM lParam);
  void engineBlock(unsigned kind, const void* data, size_t size);

  const OptionsLinks& links() const { return links_; }
  dsControl& engine() const { return links_.engine; }
  RECT pageArea() const { return PageControl1->pageArea(); }
  winui::TabControl& pageControl() { return *PageControl1; }
  OptionsPage& page(int index) { return *pages_[static_cast<size_t>(index)]; }

  bool videoTabReady = false;
  bool channelListLoaded = false;
  bool channelsEdited = false;  // a change of the channel table was sent; saved at close
  int32_t profileIndexOnEnter = 0;
  bool suppressEvents = false;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PageControl1Changing(int leaving);
  void PageControl1Change(int shown);

  OptionsLinks links_;
  std::unique_ptr<winui::TabControl> PageControl1;
  std::array<std::unique_ptr<OptionsPage>, kPageCount> pages_;
  bool open_ = false;
  bool closed_ = false;
  bool userClosing_ = false;
  std::string toldAfterClose_;
};

// The open dialog, or none.
extern TForm3* optionsDialog;
