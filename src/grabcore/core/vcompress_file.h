// The compressor's files and blocks: a quality profile's <profile>.vCompress (int32 1, the
// hasName byte and 3 pad bytes, int32 stateSize, the state block, the NUL-terminated name
// when hasName) and the compressor list sent to the front end (int32 n, n NUL-terminated
// names).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A compressor's state is a few kilobytes at most; larger counts are a corrupt file.
inline constexpr int32_t kMaxCompressorStateSize = 1024 * 1024;
// A FriendlyName is a registry string of a few dozen bytes.
inline constexpr size_t kMaxCompressorNameSize = 4096;

struct VCompressProfile {
  std::optional<std::string> friendlyName;  // Shift-JIS; none: no compressor chosen
  std::vector<uint8_t> state;               // the compressor's state, empty when none
  bool operator==(const VCompressProfile&) const = default;
};

// hasName is set when friendlyName is given and not empty.
std::vector<uint8_t> encodeVCompressFile(const VCompressProfile& profile);
// None for a file shorter than its header, a state size that is negative, over the limit or
// past the end, or a name without its NUL or over the limit. A file without a name carries
// no state, whatever its header says; nor does one with an empty name.
std::optional<VCompressProfile> decodeVCompressFile(const std::vector<uint8_t>& data);

// Program folder (with its '\') + profile + ".vCompress".
std::string vcompressProfilePath(const std::string& programDir, const std::string& profile);

// The CD_COMPNAMES block.
std::vector<uint8_t> encodeCompNames(const std::vector<std::string>& names);
// The position of name among names (case-sensitive), or -1.
int32_t compNameIndex(const std::vector<std::string>& names, const std::string& name);
