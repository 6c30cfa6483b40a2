// The engine's copy-data text and command interpreter: each line of the input arrives as the
// front end sends it, a WM_COPYDATA text and then its request; a first byte 1, 2 or 3 makes the
// request a named number, a named object or a command file instead of one line. At the end the
// objects left are destroyed, as at every exit of the engine.
#include <filesystem>
#include <sstream>

#include "common/messages.h"
#include "engine_standins.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const auto& entry : std::filesystem::directory_iterator(fuzzFolder().file("")))
    std::filesystem::remove_all(entry.path());
  FuzzHost host;
  StandInFactory factory(host, fuzzFolder().file(""));
  lex engine(host, factory);
  engine.frontWnd = 0x1000;
  std::istringstream lines(textOf(data, size));
  std::string line;
  for (int64_t id = 1; std::getline(lines, line); ++id) {
    unsigned request = tvr::TVR_EXECONELINE;
    if (!line.empty() && line[0] >= 1 && line[0] <= 3) {
      request = line[0] == 1 ? tvr::TVR_ADDDWORD : line[0] == 2 ? tvr::TVR_ADDARG : tvr::TVR_EXECMDFILE;
      line.erase(0, 1);
    }
    const CopyDataBlock block{static_cast<uint64_t>(id), line.data(), static_cast<uint32_t>(line.size())};
    engine.onMessage(tvr::kWmCopyData, engine.frontWnd, 0, &block);
    engine.onMessage(request, static_cast<uint64_t>(id), id);
  }
  engine.destroyAllObjects();
  return 0;
}
