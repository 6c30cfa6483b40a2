#include "reply_blocks.h"

#include "../../common/bytes.h"

namespace {

// n strings after the reader's position; none when one has no NUL or n is negative.
std::optional<std::vector<std::string>> strings(tavora::ByteReader& in, int32_t n) {
  if (!in.ok() || n < 0) return std::nullopt;
  std::vector<std::string> out;
  for (int32_t i = 0; i < n; ++i) {
    std::string s = in.cstr();
    if (!in.ok()) return std::nullopt;
    out.push_back(std::move(s));
  }
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> readNameBlock(const void* data, size_t size) {
  if (!data) return std::nullopt;
  tavora::ByteReader in(data, size);
  auto names = strings(in, in.i32());
  if (!names || !in.atEnd()) return std::nullopt;
  return names;
}

std::optional<FreeChannelsBlock> readFreeChannelsBlock(const void* data, size_t size) {
  if (!data) return std::nullopt;
  tavora::ByteReader in(data, size);
  FreeChannelsBlock block;
  block.index = in.i32();
  auto keys = strings(in, in.i32());
  if (!keys || !in.atEnd()) return std::nullopt;
  block.keys = std::move(*keys);
  return block;
}

std::optional<ChannelListBlock> readChannelListBlock(const void* data, size_t size) {
  if (!data) return std::nullopt;
  tavora::ByteReader in(data, size);
  ChannelListBlock block;
  block.current = in.i32();
  const int32_t n = in.i32();
  if (!in.ok() || n < 0) return std::nullopt;
  for (int32_t i = 0; i < n; ++i) {
    auto fields = strings(in, 4);
    if (!fields) return std::nullopt;
    block.rows.push_back({(*fields)[0], (*fields)[1], (*fields)[2], (*fields)[3]});
  }
  if (!in.atEnd()) return std::nullopt;
  return block;
}
