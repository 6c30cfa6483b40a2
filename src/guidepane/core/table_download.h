// The table download's page walk: a week of the listing site's table pages, each loaded in the
// hidden browser, checked by its title, rewritten to show its images from the disk and saved
// under prgTable\, its images handed to the download queue.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dl_ctrl.h"
#include "document.h"
#include "download_view.h"

namespace guide {

// A program day's pages: "07" to "23" of the day, then "01" and "04" of the next date.
class TablePageSequencer {
 public:
  void reset(double startDate) {
    currentDate = startDate;
    index = 0;
  }
  // The next page name, or nothing once a day's first page would lie after endDate.
  std::optional<std::string> nextTablePageName(double endDate);

  double currentDate = 0;
  int index = 0;
};

// "120107tb.htm" gives "120107table": the title the listing site gives that page.
std::string expectedTitle(std::string_view pageName);
// The coming Saturday (today when today is one); the end date is six days on.
double defaultStartDate(double today);
// The address up to and with its last "/"; nothing for an address without one.
std::optional<std::string> baseAddressOf(std::string_view address);
// The name under prgTable\img\ for an image address: what follows its last "/", with what a file
// name cannot hold replaced, device names renamed and an empty name named.
std::string imageFileName(std::string_view address);

struct ImageJob {
  std::string address;
  std::string fileName;
};
// Points every image at img\<name> and writes every link's absolute address back into it;
// returns the images to fetch, in document order.
std::vector<ImageJob> localizePage(DomDocument& document);

class TableDownload {
 public:
  TableDownload(DownloadView& view, dlCtrl& queue, std::string programFolder, DownloadFiles files);

  bool downloading() const { return downloading_; }
  bool walkActive() const { return walkActive_; }
  // The start button: starts a download, or aborts the one running.
  void startOrAbort(const std::string& baseAddress, double startDate, double endDate);
  // The hidden browser finished a document; only the top-level one of a walk step counts.
  void documentComplete(bool topLevel, const std::string& url, DomDocument& document);
  // A worker ended (DL_THREAD_DONE).
  void finishDownloadIfIdle();

 private:
  void start(const std::string& baseAddress, double startDate, double endDate);
  void abort();
  bool startNextTablePage();
  bool savePage(DomDocument& document);
  void endAsAborted();

  DownloadView& view_;
  dlCtrl& queue_;
  std::string folder_;
  DownloadFiles files_;
  TablePageSequencer sequencer_;
  bool downloading_ = false;
  bool walkActive_ = false;
  std::string baseAddress_;
  double endDate_ = 0;
  std::string pageName_, pageAddress_, target_;
  int pagePosition_ = 0, pageMaximum_ = 0;
  int pagesSkipped_ = 0;
};

}  // namespace guide
