#include "timer_ini.h"

#include <cmath>

#include "../../common/bytes.h"
#include "../../common/fileio.h"
#include "field_reader.h"

timerIni::timerIni()
    : noticeOn(1),
      noticeSeconds(90),
      beepOnNotice(1),
      wakeLeadSeconds(180),
      powerOffDelaySeconds(60),
      earlyStart(0.0),
      stopManualForReservation(0),
      powerOffCountdown(30),
      closeViewAfterRecording(1),
      setupLeadSeconds(30),
      wakeUpProgram("@"),
      folder("C:\\") {}

void timerIni::decode(const std::vector<uint8_t>& data) {
  const std::string path = path_;
  *this = timerIni();
  path_ = path;
  for (size_t i = 0; i < kBlockSize && i < data.size(); ++i) block_[i] = data[i];
  FieldReader in(data);
  in.read(4, noticeOn);
  in.read(6, noticeSeconds);
  in.read(8, beepOnNotice);
  in.read(10, wakeLeadSeconds);
  in.read(12, powerOffDelaySeconds);
  double early = earlyStart;
  in.read(16, early);
  if (std::isfinite(early)) earlyStart = early;
  in.read(50, stopManualForReservation);
  in.read(52, powerOffCountdown);
  in.read(54, closeViewAfterRecording);
  in.read(56, setupLeadSeconds);

  in.readStrings(kBlockSize, wakeUpProgram, folder);
}

std::vector<uint8_t> timerIni::encode() const {
  tavora::ByteWriter out;
  out.bytes(block_.data(), 4);
  out.u8(noticeOn);
  out.u8(block_[5]);
  out.u16(noticeSeconds);
  out.u8(beepOnNotice);
  out.u8(block_[9]);
  out.u16(wakeLeadSeconds);
  out.u16(powerOffDelaySeconds);
  out.bytes(block_.data() + 14, 2);
  out.f64(earlyStart);
  out.u32(0);  // the wake-up program's string slot
  out.bytes(block_.data() + 28, 4);
  out.u32(0);  // the folder's string slot
  out.bytes(block_.data() + 36, 14);
  out.u8(stopManualForReservation);
  out.u8(block_[51]);
  out.u16(powerOffCountdown);
  out.u8(closeViewAfterRecording);
  out.u8(block_[55]);
  out.u16(setupLeadSeconds);
  out.bytes(block_.data() + 58, 30);
  out.cstr(wakeUpProgram);
  out.cstr(folder);
  return out.take();
}

timerIni::LoadResult timerIni::load(const std::string& path) {
  path_ = path;
  if (!tavora::fileExists(path)) return LoadResult::missing;
  auto data = tavora::readWholeFile(path);
  if (!data || data->size() < kBlockSize) return LoadResult::unreadable;
  decode(*data);
  return LoadResult::loaded;
}

bool timerIni::save() const { return tavora::writeFileReplacing(path_, encode()); }
