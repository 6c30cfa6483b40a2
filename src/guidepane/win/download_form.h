// TForm3 "番組表のダウンロード": a week of table pages saved for offline reading, their images
// fetched by the download queue's workers. Not modal; "閉じる" hides it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser.h"
#include "download_ports.h"
#include "form_ports.h"
#include "guidepane/core/area_lists.h"
#include "guidepane/core/def_file.h"
#include "guidepane/core/table_download.h"
#include "winui/form.h"

class TForm3 : public winui::Form, public guide::DownloadView, public guide::DownloadPort {
 public:
  enum Control : int {
    Edit1 = 301, ComboBox1, Label6, MonthCalendar1, MonthCalendar2, Button3, Button2, Button1, CheckBox1,
    GroupBox1, Label8, ProgressBar1, ProgressBar2, Memo1, BrowserPanel
  };
  struct MainWindow {
    std::function<std::string()> addressText;  // the main window's address bar
    std::function<void()> updateDateButtons;
    std::function<double()> today;             // the local date; the clock when empty
  };

  TForm3(HWND owner, defFile& settings, std::string programFolder, MainWindow main,
         guide::BrowserFactory browser);
  ~TForm3() override;  // FormDestroy, then the workers' bounded end

  // guide::DownloadPort
  bool downloading() const override { return walk_->downloading(); }
  void show() override { Form::show(); }
  void storeSettings() override;

  void FormDestroy();
  void Button1Click() { hide(); }
  void Button2Click();
  void Button3Click();
  void ComboBox1Click();
  void finishDownloadIfIdle() { walk_->finishDownloadIfIdle(); }

  // guide::DownloadView
  void navigate(const std::string& address) override;
  void stopBrowser() override;
  void message(const std::string& text) override;
  void setDownloadingCaption(bool downloading) override;
  void showAddress(const std::string& address) override;
  void setPageProgress(int position, int maximum) override;
  void setImageProgress(int position, int maximum) override;
  void log(const std::string& line) override;
  void updateDateButtons() override;

  double calendarDate(int id) const;
  void setCalendarDate(int id, double date);

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  defFile& settings_;
  std::string folder_;
  MainWindow main_;
  HWND calendars_[2] = {};
  guide::AreaLists areas_;
  bool destroyed_ = false;
  std::unique_ptr<guide::UiCallWindow> calls_;
  std::unique_ptr<guide::dlCtrl> queue_;
  std::unique_ptr<guide::TableDownload> walk_;
  std::unique_ptr<guide::Browser> browser_;
};
