#include "bytes.h"

#include <cstring>

namespace tavora {

ByteReader::ByteReader(const void* data, size_t size)
    : data_(static_cast<const uint8_t*>(data)), size_(data ? size : 0) {}

bool ByteReader::take(size_t n) {
  if (!ok_ || n > size_ - pos_) {
    ok_ = false;
    return false;
  }
  return true;
}

uint8_t ByteReader::u8() {
  if (!take(1)) return 0;
  return data_[pos_++];
}

uint16_t ByteReader::u16() {
  if (!take(2)) return 0;
  uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
  pos_ += 2;
  return v;
}

uint32_t ByteReader::u32() {
  if (!take(4)) return 0;
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | data_[pos_ + i];
  pos_ += 4;
  return v;
}

uint64_t ByteReader::u64() {
  uint64_t lo = u32();
  uint64_t hi = u32();
  return ok_ ? (hi << 32) | lo : 0;
}

double ByteReader::f64() {
  uint64_t bits = u64();
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

bool ByteReader::bytes(void* out, size_t n) {
  if (!take(n)) return false;
  if (n) std::memcpy(out, data_ + pos_, n);
  pos_ += n;
  return true;
}

std::vector<uint8_t> ByteReader::bytes(size_t n) {
  if (!take(n)) return {};
  std::vector<uint8_t> v(data_ + pos_, data_ + pos_ + n);
  pos_ += n;
  return v;
}

std::string ByteReader::cstr() {
  if (!ok_) return {};
  const void* nul = pos_ < size_ ? std::memchr(data_ + pos_, 0, size_ - pos_) : nullptr;
  if (!nul) {
    ok_ = false;
    return {};
  }
  size_t len = static_cast<const uint8_t*>(nul) - (data_ + pos_);
  std::string s(reinterpret_cast<const char*>(data_ + pos_), len);
  pos_ += len + 1;
  return s;
}

void ByteReader::skip(size_t n) {
  if (take(n)) pos_ += n;
}

void ByteReader::seek(size_t pos) {
  if (pos > size_) {
    ok_ = false;
    return;
  }
  pos_ = pos;
}

void ByteWriter::u16(uint16_t v) {
  out_.push_back(static_cast<uint8_t>(v));
  out_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::u32(uint32_t v) {
  for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void ByteWriter::u64(uint64_t v) {
  u32(static_cast<uint32_t>(v));
  u32(static_cast<uint32_t>(v >> 32));
}

void ByteWriter::f64(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  u64(bits);
}

void ByteWriter::bytes(const void* p, size_t n) {
  const uint8_t* b = static_cast<const uint8_t*>(p);
  out_.insert(out_.end(), b, b + n);
}

void ByteWriter::cstr(std::string_view s) {
  bytes(s.data(), s.size());
  out_.push_back(0);
}

void ByteWriter::patchU32(size_t pos, uint32_t v) {
  for (int i = 0; i < 4 && pos + i < out_.size(); ++i) out_[pos + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace tavora
