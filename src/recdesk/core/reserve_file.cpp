#include "reserve_file.h"

#include "../../common/bytes.h"
#include "../../common/oledate.h"

namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kRecordSize = 48;

TRsvEle readRecord(tavora::ByteReader& in) {
  TRsvEle entry;
  in.bytes(entry.head.data(), entry.head.size());
  entry.start = in.f64();
  entry.end = in.f64();
  entry.channel = in.i16();
  in.skip(2 + 3 * 4);  // pad and the three string slots
  entry.repeat = in.u8();
  entry.powerOff = in.u8();
  entry.done = in.u8();
  entry.enabled = in.u8();
  entry.addDate = in.u8();
  return entry;
}

}  // namespace

std::vector<TRsvEle> readReserveFile(const std::vector<uint8_t>& data) {
  std::vector<TRsvEle> list;
  tavora::ByteReader header(data);
  header.skip(8);
  const uint64_t count = header.u32();
  if (!header.ok()) return list;
  // Strings start behind all the records the header counts, whether or not they are there.
  const uint64_t stringsAt = kHeaderSize + count * kRecordSize;
  if (stringsAt > data.size()) return list;
  tavora::ByteReader strings(data);
  strings.seek(static_cast<size_t>(stringsAt));
  for (uint64_t i = 0; i < count; ++i) {
    tavora::ByteReader record(data.data() + kHeaderSize + i * kRecordSize, kRecordSize);
    TRsvEle entry = readRecord(record);
    entry.quality = strings.cstr();
    entry.fileName = strings.cstr();
    entry.title = strings.cstr();
    if (!strings.ok()) break;
    if (!tavora::isValidOleDate(entry.start) || !tavora::isValidOleDate(entry.end)) continue;
    list.push_back(std::move(entry));
  }
  return list;
}
