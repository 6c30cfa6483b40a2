// Whole-file reads and safe replacing writes. Paths are Shift-JIS text; the Windows build
// converts them to UTF-16 with code page 932, never through the ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavora {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path);
// Writes a temporary file beside the target and then replaces the target, so a failure
// never leaves half a file. Returns false on any failure.
bool writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data);
// Files that belong together: every one is written beside its target first, and only when all
// of them were written are the targets replaced, so a failure leaves the old set whole.
bool writeFilesReplacing(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Splits text into lines at CR LF or LF; a last line without a line end counts too.
std::vector<std::string> splitLines(const std::vector<uint8_t>& data);

}  // namespace tavora
