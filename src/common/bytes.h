// Little-endian field readers and writers for the fixed-layout settings files.
// The reader never reads past its data: a short read sets a failure flag and yields zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavora {

class ByteReader {
 public:
  ByteReader(const void* data, size_t size);
  explicit ByteReader(const std::vector<uint8_t>& data) : ByteReader(data.data(), data.size()) {}

  uint8_t u8();
  uint16_t u16();
  int16_t i16() { return static_cast<int16_t>(u16()); }
  uint32_t u32();
  int32_t i32() { return static_cast<int32_t>(u32()); }
  uint64_t u64();
  double f64();
  // Copies n bytes; on a short read copies nothing and fails.
  bool bytes(void* out, size_t n);
  std::vector<uint8_t> bytes(size_t n);
  // A NUL-terminated string; fails (and returns "") when no NUL is found before the end.
  std::string cstr();
  void skip(size_t n);
  void seek(size_t pos);

  size_t pos() const { return pos_; }
  size_t size() const { return size_; }
  size_t remaining() const { return size_ - pos_; }
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ == size_; }

 private:
  bool take(size_t n);
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  void u8(uint8_t v) { out_.push_back(v); }
  void u16(uint16_t v);
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void u32(uint32_t v);
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void u64(uint64_t v);
  void f64(double v);
  void bytes(const void* p, size_t n);
  void zeros(size_t n) { out_.insert(out_.end(), n, 0); }
  // The text followed by one NUL.
  void cstr(std::string_view s);
  // Overwrites an already written 32-bit field.
  void patchU32(size_t pos, uint32_t v);

  size_t size() const { return out_.size(); }
  const std::vector<uint8_t>& data() const { return out_; }
  std::vector<uint8_t> take() { return std::move(out_); }

 private:
  std::vector<uint8_t> out_;
};

}  // namespace tavora
