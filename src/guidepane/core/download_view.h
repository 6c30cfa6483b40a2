// What the table download needs of its dialog and its hidden browser. Every call comes on the
// user-interface thread; texts are Shift-JIS.
#pragma once

#include <string>

namespace guide {

class DownloadView {
 public:
  virtual ~DownloadView() = default;
  virtual void navigate(const std::string& address) = 0;
  virtual void stopBrowser() = 0;
  // Brings the dialog to the front and shows a plain box.
  virtual void message(const std::string& text) = 0;
  // The start button's caption: "ダウンロード中止" while downloading, else "ダウンロード開始".
  virtual void setDownloadingCaption(bool downloading) = 0;
  // The address being fetched ("" clears it).
  virtual void showAddress(const std::string& address) = 0;
  virtual void setPageProgress(int position, int maximum) = 0;
  virtual void setImageProgress(int position, int maximum) = 0;
  virtual void log(const std::string& line) = 0;
  // The offline navigator's buttons follow the saved pages.
  virtual void updateDateButtons() = 0;
};

}  // namespace guide
