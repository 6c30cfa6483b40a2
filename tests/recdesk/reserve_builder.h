// Builds reserve.dat bytes as the reservation table program writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "recdesk/core/rsv_ele.h"

inline TRsvEle reservation(double start, double end, int16_t channel, const std::string& title,
                           uint8_t repeat = TRsvEle::kOnce) {
  TRsvEle e;
  e.start = start;
  e.end = end;
  e.channel = channel;
  e.quality = "q1";
  e.fileName = "D:\\rec\\" + title + ".avi";
  e.title = title;
  e.repeat = repeat;
  return e;
}

// count: the header's record count (the number of entries when negative).
inline std::vector<uint8_t> reserveFile(const std::vector<TRsvEle>& entries, int64_t count = -1) {
  tavora::ByteWriter out;
  out.bytes("HEADHEAD", 8);
  out.u32(count < 0 ? static_cast<uint32_t>(entries.size()) : static_cast<uint32_t>(count));
  out.u32(0xDEADBEEF);
  for (const TRsvEle& e : entries) {
    out.bytes(e.head.data(), 8);
    out.f64(e.start);
    out.f64(e.end);
    out.i16(e.channel);
    out.u16(0xAAAA);
    out.u32(0x11111111);  // the three string slots hold the writer's pointers
    out.u32(0x22222222);
    out.u32(0x33333333);
    out.u8(e.repeat);
    out.u8(e.powerOff);
    out.u8(e.done);
    out.u8(e.enabled);
    out.u8(e.addDate);
    out.u8(0xBB);
    out.u8(0xBB);
    out.u8(0xBB);
  }
  for (const TRsvEle& e : entries) {
    out.cstr(e.quality);
    out.cstr(e.fileName);
    out.cstr(e.title);
  }
  return out.take();
}
