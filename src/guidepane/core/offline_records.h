// Where the saved records of a shown table page lie: only a local page in the program's prgTable
// folder has them, in the folder named like the page without ".htm".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guide {

// locationUrl: the browser's address of the shown page ("file:///C:/.../prgTable/121019tb.htm",
// escapes allowed); programFolder ends with '\'. Nothing for an online page or any other file.
std::optional<std::string> offlineRecordFolder(std::string_view locationUrl, std::string_view programFolder);
// The record file of a link (its extra information) in that folder, when the page and the link give both.
std::optional<std::string> offlineRecordPath(std::string_view locationUrl, std::string_view programFolder,
                                             std::string_view extraInfo);

}  // namespace guide
