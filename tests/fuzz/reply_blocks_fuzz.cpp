// The engine's copy-data blocks for the options dialog (kinds 2 to 6; the first byte picks the
// kind): a block the recorder accepts, laid out again, is the same bytes, so nothing was
// skipped or read past its end.
#include "common/bytes.h"
#include "fuzz_support.h"
#include "recdesk/core/reply_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int kind = data[0] % 5 + 2;
  const std::vector<uint8_t> block(data + 1, data + size);
  tavora::ByteWriter out;
  if (kind == 2) {
    const auto read = readChannelListBlock(block.data(), block.size());
    if (!read) return 0;
    out.i32(read->current);
    out.i32(static_cast<int32_t>(read->rows.size()));
    for (const ChannelRow& row : read->rows)
      for (const std::string* field : {&row.name, &row.key, &row.tuning, &row.input}) out.cstr(*field);
  } else if (kind == 4) {
    const auto read = readFreeChannelsBlock(block.data(), block.size());
    if (!read) return 0;
    out.i32(read->index);
    out.i32(static_cast<int32_t>(read->keys.size()));
    for (const std::string& key : read->keys) out.cstr(key);
  } else {
    const auto read = readNameBlock(block.data(), block.size());
    if (!read) return 0;
    out.i32(static_cast<int32_t>(read->size()));
    for (const std::string& name : *read) out.cstr(name);
  }
  FUZZ_EXPECT(out.take() == block);
  return 0;
}
