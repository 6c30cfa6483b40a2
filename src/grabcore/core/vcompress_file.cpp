#include "vcompress_file.h"

#include "common/bytes.h"

std::vector<uint8_t> encodeVCompressFile(const VCompressProfile& profile) {
  const bool hasName = profile.friendlyName && !profile.friendlyName->empty();
  tavora::ByteWriter out;
  out.i32(1);
  out.u8(hasName ? 1 : 0);
  out.zeros(3);
  out.i32(static_cast<int32_t>(profile.state.size()));
  out.bytes(profile.state.data(), profile.state.size());
  if (hasName) out.cstr(*profile.friendlyName);
  return out.take();
}

std::optional<VCompressProfile> decodeVCompressFile(const std::vector<uint8_t>& data) {
  tavora::ByteReader in(data);
  in.skip(4);
  const bool hasName = in.u8() != 0;
  in.skip(3);
  const int32_t stateSize = in.i32();
  if (!in.ok() || stateSize < 0 || stateSize > kMaxCompressorStateSize ||
      static_cast<size_t>(stateSize) > in.remaining())
    return std::nullopt;
  VCompressProfile profile;
  if (!hasName) return profile;
  profile.state = in.bytes(static_cast<size_t>(stateSize));
  profile.friendlyName = in.cstr();
  if (!in.ok() || profile.friendlyName->size() > kMaxCompressorNameSize) return std::nullopt;
  // An empty name chooses no compressor, as the writer has it: its state is not kept either.
  if (profile.friendlyName->empty()) return VCompressProfile{};
  return profile;
}

std::string vcompressProfilePath(const std::string& programDir, const std::string& profile) {
  return programDir + profile + ".vCompress";
}

std::vector<uint8_t> encodeCompNames(const std::vector<std::string>& names) {
  tavora::ByteWriter out;
  out.i32(static_cast<int32_t>(names.size()));
  for (const std::string& name : names) out.cstr(name);
  return out.take();
}

int32_t compNameIndex(const std::vector<std::string>& names, const std::string& name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int32_t>(i);
  return -1;
}
