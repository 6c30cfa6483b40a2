// Reads a fixed-layout settings block and the strings behind it from data that may be short or
// damaged: a field is taken only when the data holds all of its bytes, a string only when its
// NUL is there; otherwise each keeps the value it has.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "../../common/bytes.h"

class FieldReader {
 public:
  explicit FieldReader(const std::vector<uint8_t>& data) : data_(data) {}

  template <class T>
  void read(size_t offset, T& field) const {
    tavora::ByteReader in(data_);
    in.seek(offset);
    T value{};
    if constexpr (std::is_same_v<T, double>) value = in.f64();
    else if constexpr (sizeof(T) == 1) value = static_cast<T>(in.u8());
    else if constexpr (sizeof(T) == 2) value = static_cast<T>(in.u16());
    else value = static_cast<T>(in.u32());
    if (in.ok()) field = value;
  }

  // Two NUL-terminated strings from offset; the second only after a whole first.
  void readStrings(size_t offset, std::string& first, std::string& second) const {
    tavora::ByteReader in(data_);
    in.seek(offset);
    std::string one = in.cstr();
    if (!in.ok()) return;
    first = std::move(one);
    std::string two = in.cstr();
    if (in.ok()) second = std::move(two);
  }

 private:
  const std::vector<uint8_t>& data_;
};
