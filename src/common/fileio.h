// Whole-file reads and safe replacing writes. Paths are Shift-JIS text; the Windows build
// converts them to UTF-16 with code page 932, never through the ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavora {

// The steps of a replacing write, in order: create the temporary file, write (once per write
// call), flush, replace the target.
enum class WriteStep { create, write, flush, replace };

// A replacing write's outcome: true when written; else the step that failed, so that a caller
// can say what went wrong (a failed flush is reported as a failed write).
struct WriteResult {
  std::optional<WriteStep> failedStep;
  operator bool() const noexcept { return !failedStep; }
};

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path);
// Beside a target: the temporary file its new bytes are written to first, and, while a set of
// files replaces the old one, where its old file waits. Both end in ".tmp", which no file the
// programs keep has, so a write never takes another file for one of its own.
std::string temporaryFileOf(const std::string& path);
std::string oldFileOf(const std::string& path);
// Writes a temporary file beside the target and then replaces the target, so a failure
// never leaves half a file.
WriteResult writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data);
// Files that belong together: every one is written beside its target first, and only when all
// of them were written are the targets replaced, so a failure leaves the old set whole.
WriteResult writeFilesReplacing(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files);
// Reads files written together, named in the order they were written; nothing for a file that is
// not there. A save cut short between moving a target aside and moving its new file in leaves
// that target missing beside its old file: the set is then read as it was before that save.
std::vector<std::optional<std::vector<uint8_t>>> readFilesReplaced(const std::vector<std::string>& paths);
bool fileExists(const std::string& path);

// Test seam: while a hook is set it is asked before each step of a replacing write and the step
// fails when it answers true. Tests only; the programs never set it.
using WriteStepHook = bool (*)(WriteStep step);
void setWriteStepHookForTests(WriteStepHook hook);
bool removeFile(const std::string& path);
// Splits text into lines at CR LF or LF; a last line without a line end counts too.
std::vector<std::string> splitLines(const std::vector<uint8_t>& data);

}  // namespace tavora
