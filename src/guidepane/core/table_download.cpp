#include "table_download.h"

#include <cmath>

#include "common/oledate.h"
#include "common/sjis.h"
#include "dl_ctrl.h"
#include "guidepane/texts/download_texts.h"
#include "table_slots.h"

namespace guide {

namespace {

// The walk's order of the slots ("07" .. "23", "01", "04") as indices of the guide's slots.
constexpr int kWalkSlots[kSlotCount] = {2, 3, 4, 5, 6, 7, 8, 0, 1};

double calendarDay(double date) { return std::floor(date); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// Names Windows keeps for devices, with or without an extension.
bool isDeviceName(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (equalsIgnoringCase(stem, device)) return true;
  if (stem.size() == 4 && (equalsIgnoringCase(stem.substr(0, 3), "COM") || equalsIgnoringCase(stem.substr(0, 3), "LPT")))
    return stem[3] >= '1' && stem[3] <= '9';
  return false;
}

}  // namespace

std::optional<std::string> TablePageSequencer::nextTablePageName(double endDate) {
  const std::string name = tablePageName(currentDate, kWalkSlots[index]);
  ++index;
  if (index == 1 && calendarDay(currentDate) > calendarDay(endDate)) {
    index = 0;
    return std::nullopt;
  }
  if (index == 7) currentDate += 1;  // "01" and "04" carry the next date
  else if (index == kSlotCount) index = 0;
  return name;
}

std::string expectedTitle(std::string_view pageName) {
  std::string title(pageName);
  constexpr std::string_view suffix = "tb.htm";
  for (size_t i = 0; i + suffix.size() <= title.size(); ++i)
    if (equalsIgnoringCase(std::string_view(title).substr(i, suffix.size()), suffix))
      return title.replace(i, suffix.size(), "table");
  return title;
}

double defaultStartDate(double today) {
  const double day = calendarDay(today);
  return day + (6 - tavora::oleDayOfWeek(day));
}

std::optional<std::string> baseAddressOf(std::string_view address) {
  const size_t slash = tavora::sjis::findLast(address, '/');
  if (slash == std::string_view::npos) return std::nullopt;
  return std::string(address.substr(0, slash + 1));
}

std::string imageFileName(std::string_view address) {
  const size_t slash = tavora::sjis::findLast(address, '/');
  std::string_view last = slash == std::string_view::npos ? address : address.substr(slash + 1);
  std::string name;
  for (size_t i = 0; i < last.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(last[i]);
    const unsigned char next = i + 1 < last.size() ? static_cast<unsigned char>(last[i + 1]) : 0;
    if (tavora::sjis::isLeadByte(c) && next >= 0x40 && next <= 0xFC && next != 0x7F) {
      name.append(last.substr(i, 2));  // a trail byte may be '\' or '|'
      ++i;
    } else if (c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos ||
               tavora::sjis::isLeadByte(c)) {
      name += '_';
    } else {
      name += static_cast<char>(c);
    }
  }
  name = std::string(tavora::sjis::cutBytes(name, 120));
  // Windows drops trailing dots and blanks, which would merge names or leave none.
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.back() = '_';
  // The writers' own files end in ".tmp": no image may be taken for one of them.
  if (name.size() >= 4 && equalsIgnoringCase(std::string_view(name).substr(name.size() - 4), ".tmp")) name += '_';
  if (name.empty()) return "image";
  if (isDeviceName(name)) return "_" + name;
  return name;
}

std::vector<ImageJob> localizePage(DomDocument& document) {
  std::vector<ImageJob> jobs;
  for (auto& image : document.images()) {
    ImageJob job{image->exactHref(), ""};
    job.fileName = imageFileName(job.address);
    // The browser reads "%" in an address as an escape and "#" as its end; the file's name holds
    // them as they are.
    std::string src = "img/";
    for (char c : job.fileName) src += c == '%' ? std::string("%25") : c == '#' ? std::string("%23") : std::string(1, c);
    image->setSrc(src);
    jobs.push_back(std::move(job));
  }
  for (auto& link : document.links()) link->setHref(link->exactHref());
  return jobs;
}

TableDownload::TableDownload(DownloadView& view, dlCtrl& queue, std::string programFolder, DownloadFiles files)
    : view_(view), queue_(queue), folder_(std::move(programFolder)), files_(std::move(files)) {}

void TableDownload::startOrAbort(const std::string& baseAddress, double startDate, double endDate) {
  if (downloading_) abort();
  else start(baseAddress, startDate, endDate);
}

void TableDownload::start(const std::string& baseAddress, double startDate, double endDate) {
  view_.setDownloadingCaption(true);
  if (calendarDay(startDate) > calendarDay(endDate)) {
    view_.message(texts::kEndBeforeStartDate);
    view_.setDownloadingCaption(false);
    return;
  }
  pageMaximum_ = 9 * static_cast<int>(calendarDay(endDate) - calendarDay(startDate)) + 9;
  pagePosition_ = 0;
  pagesSkipped_ = 0;
  view_.setPageProgress(0, pageMaximum_);
  queue_.beginDownload();
  sequencer_.reset(startDate);
  baseAddress_ = baseAddress;
  endDate_ = endDate;
  // Set before the first navigation, whose completion may come at once.
  downloading_ = walkActive_ = true;
  if (!startNextTablePage()) {
    downloading_ = walkActive_ = false;
    view_.message(texts::kNoPageName);
    view_.setDownloadingCaption(false);
  }
}

bool TableDownload::startNextTablePage() {
  std::optional<std::string> name = sequencer_.nextTablePageName(endDate_);
  if (!name) return false;
  pageName_ = *name;
  pageAddress_ = baseAddress_ + pageName_;
  view_.showAddress(pageAddress_);
  target_ = folder_ + "prgTable\\" + pageName_;
  view_.navigate(pageAddress_);
  return true;
}

void TableDownload::documentComplete(bool topLevel, const std::string& url, DomDocument& document) {
  // Frames complete too, and a late event must not move a walk that has ended.
  if (!downloading_ || !walkActive_ || !topLevel || url.rfind("about:", 0) == 0) return;
  if (document.title() == expectedTitle(pageName_)) {
    if (!savePage(document)) return;
  } else {
    ++pagesSkipped_;  // an error page or a missing table
  }
  view_.setPageProgress(++pagePosition_, pageMaximum_);
  if (!startNextTablePage()) {
    walkActive_ = false;
    view_.setPageProgress(pageMaximum_, pageMaximum_);
    finishDownloadIfIdle();
  }
}

bool TableDownload::savePage(DomDocument& document) {
  for (const ImageJob& job : localizePage(document)) queue_.add(job.address, folder_ + "prgTable\\img\\" + job.fileName);
  const char* failure = nullptr;
  DomElements html = document.tags("HTML");
  if (!files_.makeFolders(folder_ + "prgTable\\")) {
    failure = texts::kPageCreateFailed;
  } else if (const std::string text = html.empty() ? std::string() : html[0]->outerHtml(); text.empty()) {
    failure = texts::kPageWriteFailed;  // nothing to write: an empty file would count as fetched
  } else {
    const tavora::WriteResult written = files_.write(target_, std::vector<uint8_t>(text.begin(), text.end()));
    // A target that cannot be replaced is a file that cannot be created.
    if (!written)
      failure = written.failedStep == tavora::WriteStep::write ? texts::kPageWriteFailed : texts::kPageCreateFailed;
  }
  if (failure) {
    view_.message(failure);
    endAsAborted();
    return false;
  }
  view_.updateDateButtons();
  return true;
}

void TableDownload::endAsAborted() {
  downloading_ = false;
  if (walkActive_) {
    walkActive_ = false;
    view_.stopBrowser();
  }
  queue_.abort();
  view_.setDownloadingCaption(false);
  view_.showAddress("");
  view_.setPageProgress(0, pageMaximum_);
  view_.setImageProgress(0, 0);
}

void TableDownload::abort() {
  endAsAborted();
  view_.message(texts::kDownloadAborted);
}

void TableDownload::finishDownloadIfIdle() {
  if (walkActive_ || queue_.threadCount() != 0 || !downloading_) return;
  downloading_ = false;
  view_.showAddress("");
  std::string text = texts::kDownloadFinished;
  if (pagesSkipped_) text += texts::kPagesNotSaved + std::to_string(pagesSkipped_);
  if (queue_.dropped()) text += texts::kFilesDropped + std::to_string(queue_.dropped());
  view_.message(text);
  view_.setPageProgress(0, pageMaximum_);
  view_.setImageProgress(0, 0);
  view_.setDownloadingCaption(false);
}

}  // namespace guide
