// TForm1: the guide browser's main window. It owns the settings for the whole run, carries the
// tool bar, the address and favourites bars and the offline navigator, and routes every
// navigation of the browser through the program capture.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser.h"
#include "form_ports.h"
#include "guidepane/core/def_file.h"
#include "guidepane/core/table_navigator.h"
#include "winui/date_time_picker.h"
#include "winui/form.h"
#include "winui/hints.h"
#include "winui/popup_menu.h"
#include "winui/tool_bar.h"

struct GuideEnvironment {
  std::string programFolder;      // where guidepane.dat and prgTable lie, with its trailing '\'
  guide::BrowserFactory browser;  // the WebBrowser control when empty
  std::function<double()> now;    // the local date and time; the clock when empty
};

class TForm1 : public winui::Form {
 public:
  enum Id : int {
    ControlBar1 = 200, Panel1, Panel3, Panel4, Panel5, Panel2A, Panel2B,
    ToolBarMain = 210, ToolBarFavourites,
    ToolButton1_A1 = 220, ToolButton1_A2, ToolButton8, ToolButton1, ToolButton3, ToolButton4, ToolButton5,
    ToolButton11, ToolButton7,
    N1 = 240, N2, N3, N4, N5,
    AddressLabel = 250, ComboBox2, SpeedButton1, ProgressBar1, FavouritesLabel, ComboBox1,
    BitBtn1 = 260, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8,
    SpeedButton2 = 270, SpeedButton3, SpeedButton4, DateTimePicker1, Label1,
    ToolButton2_02 = 280,  // .. ToolButton2_10 = 288, slot order
  };

  explicit TForm1(GuideEnvironment environment);
  ~TForm1() override;

  // The forms built after this one.
  void attachReservationCheck(guide::ReservationCheckPort* check) { reservationCheck_ = check; }
  void attachFavourites(guide::FavouritesPort* favourites) { favourites_ = favourites; }
  void attachDownload(guide::DownloadPort* download) { download_ = download; }

  defFile& settings() { return *settings_; }
  // Shows the window in its stored state (normal, minimised or maximised).
  void showStored();
  // The application's key hook: Enter in the address bar, and keys for the page.
  bool preTranslate(MSG& msg);
  void setFavouriteNames(const std::vector<std::string>& names);
  bool currentAddressAndTitle(std::string& address, std::string& title) const;
  int textSize() const { return textSize_; }
  bool online() const { return online_; }
  uint16_t slotEndHour() const { return slotEndHour_; }
  guide::Browser& browser() { return *browser_; }
  winui::ToolBar& mainToolBar() { return *mainBar_; }
  winui::ToolBar& favouritesToolBar() { return *favouritesBar_; }
  winui::PopupMenu& PopupMenu1() { return textMenu_; }
  winui::DateTimePicker& picker() { return *picker_; }
  const winui::Hints& hints() const { return hints_; }
  guide::TableNavigator& navigator() { return navigator_; }

  // The handlers, as the controls and the browser call them.
  void FormShow();
  bool FormCloseQuery();
  void FormDestroy();
  void ToolButton1_A1Click();
  void ToolButton1_A2Click();
  void ToolButton8Click();
  void ToolButton11Click();
  void textSizeItemClick(int item);  // N1 .. N5
  void SpeedButton1Click();
  void ComboBox2KeyDown(WPARAM key);
  void ComboBox2Click();
  void ComboBox1Click();
  void ToolButton7Click();
  void CppWebBrowser1BeforeNavigate2(const std::string& url, bool& cancel);
  void CppWebBrowser1DocumentComplete(const std::string& url, bool topLevel);
  void CppWebBrowser1ProgressChange(long progress, long progressMax);
  void navigateToAddress();
  void applyTextSize();
  void nextTextSize();

  // The navigator.
  void SpeedButton4Click();
  void showTableSlot(int slot);
  void moveTable(int days, int slots);
  void DateTimePicker1Change();
  void updateDateButtons();

 private:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void buildToolBar();
  void buildAddressBar();
  void buildFavouritesBar();
  void buildNavigator();
  HWND make(winui::Control kind, int id, std::string_view text, HWND panel, RECT bounds, DWORD style = 0);
  void layout();
  void keepInBar(HWND panel);
  void restorePlacement();
  void storeLayout();
  void showPage(const std::optional<std::string>& page);
  bool lookupSavedProgramInfo(const std::string& url, guide::ProgramFields& fields);
  bool fetchProgramInfo(const std::string& url, guide::ProgramFields& fields);
  void capture(const std::string& url);
  bool drawDateButton(const DRAWITEMSTRUCT& item);
  double now() const;

  GuideEnvironment env_;
  std::unique_ptr<defFile> settings_;
  guide::TableNavigator navigator_;
  winui::Hints hints_;
  winui::PopupMenu textMenu_;
  std::unique_ptr<winui::ToolBar> mainBar_, favouritesBar_;
  std::unique_ptr<winui::DateTimePicker> picker_;
  std::unique_ptr<guide::Browser> browser_;
  HWND controlBar_ = nullptr, panel1_ = nullptr;
  HWND panel3_ = nullptr, panel4_ = nullptr, panel5_ = nullptr, panel2A_ = nullptr;
  std::array<guide::Rgb, 6> dateColours_{};  // BitBtn1 .. BitBtn6
  guide::Rgb labelColour_;
  HBRUSH face_ = nullptr;
  int textSize_ = 2;
  int pendingState_ = 0;  // the stored window state, applied at the first showing
  bool online_ = false;
  bool firstDocumentSeen_ = false;
  bool capturing_ = false;
  bool destroyed_ = false;
  bool shown_ = false;
  uint16_t slotEndHour_ = 0;
  guide::ReservationCheckPort* reservationCheck_ = nullptr;
  guide::FavouritesPort* favourites_ = nullptr;
  guide::DownloadPort* download_ = nullptr;
};
