// The program-information record as the site answers it (status 200), read for a program link
// with a start; the input's first line is the link, the rest the answer's body. The same line as
// the shown page's address and the rest as a link's query give a saved record's file.
#include "fuzz_support.h"
#include "guidepane/core/offline_records.h"
#include "guidepane/core/program_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = textOf(data, size);
  const size_t newline = std::min(input.find('\n'), input.size());
  const std::string url = input.substr(0, newline);
  guide::beforeNavigate(false, url);
  guide::stationCode(url);
  if (const std::optional<std::string> record = guide::recordFromAnswer(200, input.substr(std::min(newline + 1, size))))
    guide::parseProgramInfo(url, *record);
  guide::offlineRecordPath(url, "C:\\g\\", input.substr(std::min(newline + 1, size)));
  return 0;
}
