#include "media_type_file.h"

#include "common/bytes.h"
#include "video_info.h"
#include "wave_format.h"

namespace {

void writeGuid(tavora::ByteWriter& out, const Guid& id) {
  out.u32(id.data1);
  out.u16(id.data2);
  out.u16(id.data3);
  out.bytes(id.data4.data(), id.data4.size());
}

Guid readGuid(tavora::ByteReader& in) {
  Guid id;
  id.data1 = in.u32();
  id.data2 = in.u16();
  id.data3 = in.u16();
  in.bytes(id.data4.data(), id.data4.size());
  return id;
}

// VIDEOINFOHEADER and VIDEOINFOHEADER2: where their bitmap header starts.
constexpr size_t kVideoInfoBitmapOffset = 48;
constexpr size_t kVideoInfo2BitmapOffset = 72;

bool bitmapFits(const std::vector<uint8_t>& block, size_t headerSize, size_t bitmapOffset) {
  if (block.size() < headerSize) return false;
  tavora::ByteReader in(block);
  in.seek(bitmapOffset);
  return in.u32() <= block.size() - bitmapOffset;  // biSize
}

bool waveFormatFits(const std::vector<uint8_t>& block) {
  if (block.size() < kWaveFormatExSize) return false;
  // wFormatTag, nChannels, nSamplesPerSec, nAvgBytesPerSec, nBlockAlign, wBitsPerSample, cbSize.
  tavora::ByteReader in(block);
  const uint16_t tag = in.u16();
  const uint16_t channels = in.u16();
  in.seek(16);
  const uint16_t extra = in.u16();
  // PCM ignores cbSize.
  return channels != 0 && (tag == kWaveFormatPcm || extra <= block.size() - kWaveFormatExSize);
}

}  // namespace

bool formatFitsType(const Guid& formattype, const std::vector<uint8_t>& block) {
  if (formattype == kFormatVideoInfo) return bitmapFits(block, kVideoInfoHeaderSize, kVideoInfoBitmapOffset);
  if (formattype == kFormatVideoInfo2) return bitmapFits(block, kVideoInfo2HeaderSize, kVideoInfo2BitmapOffset);
  if (formattype == kFormatWaveFormatEx) return waveFormatFits(block);
  return true;
}

bool fitsProfileFile(const MediaTypeRecord& type) {
  return type.format.size() <= kMaxFormatBlockSize && formatFitsType(type.formattype, type.format);
}

std::vector<uint8_t> encodeMediaTypeFile(const MediaTypeRecord& type) {
  tavora::ByteWriter out;
  out.i32(1);
  writeGuid(out, type.majortype);
  writeGuid(out, type.subtype);
  out.i32(type.fixedSizeSamples);
  out.i32(type.temporalCompression);
  out.u32(type.sampleSize);
  writeGuid(out, type.formattype);
  out.u32(0);  // pUnk
  out.u32(static_cast<uint32_t>(type.format.size()));
  out.u32(0);  // pbFormat
  out.bytes(type.format.data(), type.format.size());
  return out.take();
}

std::optional<MediaTypeRecord> decodeMediaTypeFile(const std::vector<uint8_t>& data) {
  tavora::ByteReader in(data);
  MediaTypeRecord type;
  in.skip(4);
  type.majortype = readGuid(in);
  type.subtype = readGuid(in);
  type.fixedSizeSamples = in.i32();
  type.temporalCompression = in.i32();
  type.sampleSize = in.u32();
  type.formattype = readGuid(in);
  in.skip(4);  // pUnk
  const uint32_t cbFormat = in.u32();
  in.skip(4);  // pbFormat
  if (!in.ok() || cbFormat > kMaxFormatBlockSize || cbFormat > in.remaining()) return std::nullopt;
  type.format = in.bytes(cbFormat);
  if (!in.ok() || !fitsProfileFile(type)) return std::nullopt;
  return type;
}
