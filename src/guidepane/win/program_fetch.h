// The online source of program records: the site's program-information service over WinINet
// (agent "Tavora", direct access).
#pragma once

#include <string>

namespace guide {

struct FetchedRecord {
  // The message for the user when no record came (Shift-JIS), else nullptr.
  const char* failure = nullptr;
  std::string record;
};

// Reads the answer to its end or to the record's limit; a status other than 200 is a failure to
// get information from the address, so no error page is taken for a record.
FetchedRecord fetchProgramRecord(const std::string& url);

}  // namespace guide
