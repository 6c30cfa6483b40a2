#include "tuner_file.h"

#include <algorithm>

#include "bytes.h"
#include "fileio.h"

namespace tavora {

namespace {

constexpr int32_t kVersion = 1;
constexpr size_t kDeviceSlots = 3;
constexpr size_t kDeviceSlotSize = 20;  // class identifier and an int32
constexpr size_t kEntrySize = 8;
constexpr size_t kTypeRecordSize = 4;
const char kNoDevice[] = "@";

// The count read next, when the records of recordSize bytes it claims fit in what follows.
std::optional<size_t> recordCount(ByteReader& r, size_t recordSize) {
  const int32_t n = r.i32();
  if (!r.ok() || n < 0 || static_cast<uint64_t>(n) * recordSize > r.remaining()) return std::nullopt;
  return static_cast<size_t>(n);
}

// True when at least count NUL-terminated strings follow offset at (at most the data's size).
bool holdsStrings(const std::vector<uint8_t>& data, size_t at, size_t count) {
  return static_cast<size_t>(std::count(data.begin() + static_cast<std::ptrdiff_t>(at), data.end(), 0)) >= count;
}

}  // namespace

std::vector<uint8_t> buildTunerDat(const TunerFile& file) {
  ByteWriter w;
  w.i32(kVersion);
  w.zeros(kDeviceSlots * kDeviceSlotSize);
  w.u16(file.currentKey);
  w.u8(file.inputType);
  w.u8(0);
  w.u16(file.antennaMin);
  w.u16(file.antennaMax);
  w.u16(file.cableMin);
  w.u16(file.cableMax);
  w.i32(static_cast<int32_t>(file.entries.size()));
  for (const TunerFileEntry& e : file.entries) {
    w.u16(e.key);
    w.i16(e.tuning);
    w.i32(0);
  }
  for (size_t i = 0; i < kDeviceSlots; ++i) w.cstr(kNoDevice);
  for (const TunerFileEntry& e : file.entries) w.cstr(e.name);
  return w.take();
}

std::optional<TunerFile> parseTunerDat(const std::vector<uint8_t>& data) {
  ByteReader r(data);
  r.seek(76);
  const std::optional<size_t> n = recordCount(r, kEntrySize);
  // The names must be there too before entries are made for them.
  if (!n || !holdsStrings(data, kTunerDatHeaderSize + *n * kEntrySize, kDeviceSlots + *n)) return std::nullopt;
  TunerFile file;
  r.seek(64);
  file.currentKey = r.u16();
  file.inputType = r.u8();
  r.skip(1);
  file.antennaMin = r.u16();
  file.antennaMax = r.u16();
  file.cableMin = r.u16();
  file.cableMax = r.u16();
  r.seek(kTunerDatHeaderSize);
  file.entries.resize(*n);
  for (TunerFileEntry& e : file.entries) {
    e.key = r.u16();
    e.tuning = r.i16();
    r.skip(4);
  }
  for (size_t i = 0; i < kDeviceSlots; ++i) r.cstr();
  for (TunerFileEntry& e : file.entries) e.name = r.cstr();
  if (!r.ok()) return std::nullopt;
  return file;
}

std::vector<uint8_t> buildTunerDat2(const std::vector<TunerTypeRecord>& records) {
  ByteWriter w;
  w.i32(kVersion);
  w.i32(static_cast<int32_t>(records.size()));
  for (const TunerTypeRecord& rec : records) {
    w.u16(rec.key);
    w.u8(rec.inputType);
    w.u8(0);
  }
  return w.take();
}

std::optional<std::vector<TunerTypeRecord>> parseTunerDat2(const std::vector<uint8_t>& data) {
  ByteReader r(data);
  r.skip(4);
  const std::optional<size_t> n = recordCount(r, kTypeRecordSize);
  if (!n) return std::nullopt;
  std::vector<TunerTypeRecord> records(*n);
  for (TunerTypeRecord& rec : records) {
    rec.key = r.u16();
    rec.inputType = r.u8();
    r.skip(1);
  }
  return records;
}

std::optional<std::vector<std::string>> readTunerChannelNames(const std::string& path) {
  const std::optional<std::vector<uint8_t>> data = readWholeFile(path);
  if (!data) return std::nullopt;
  std::optional<TunerFile> file = parseTunerDat(*data);
  if (!file) return std::nullopt;
  std::vector<std::string> names;
  names.reserve(file->entries.size());
  for (TunerFileEntry& e : file->entries) names.push_back(std::move(e.name));
  return names;
}

}  // namespace tavora
