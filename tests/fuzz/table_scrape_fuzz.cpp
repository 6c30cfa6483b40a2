// The table scrape over a page built from the input by the tests' HTML parser: the input's
// first line is the page's address, the second the clicked link, the rest the page.
#include <stdexcept>

#include "fuzz_support.h"
#include "guidepane/html_document.h"
#include "guidepane/core/table_scrape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = textOf(data, size);
  const size_t first = std::min(input.find('\n'), input.size());
  const size_t second = std::min(input.find('\n', std::min(first + 1, size)), input.size());
  const std::string location = input.substr(0, first);
  const std::string link = input.substr(std::min(first + 1, size), second - std::min(first + 1, size));
  const HtmlDocument page(input.substr(std::min(second + 1, size)), location);
  uint16_t slotEndHour = 0;
  const double now = 46366 + 20.0 / 24;  // 2026-12-10 20:00, the day of the seed pages
  try {
    guide::scrapeProgramFromTable(page, link, now, "www.example.jp", slotEndHour);
  } catch (const std::runtime_error&) {
    // The tests' parser cannot give a text outside Shift-JIS; the browser substitutes it.
  }
  return 0;
}
