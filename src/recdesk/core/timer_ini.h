// The scheduler's and recorder's settings, kept in timerSetup.dat: an 88-byte block followed by
// two strings (the wake-up program and the folder for recordings).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class timerIni {
 public:
  static constexpr size_t kBlockSize = 88;
  // unreadable: the file exists but cannot be read or is shorter than its block; the defaults
  // are kept and the file must not be replaced by them.
  enum class LoadResult { loaded, missing, unreadable };

  timerIni();  // the defaults of the installation

  // Fields of the block (offset in the file).
  uint8_t noticeOn;                  // 4
  uint16_t noticeSeconds;            // 6
  uint8_t beepOnNotice;              // 8
  uint16_t wakeLeadSeconds;          // 10
  uint16_t powerOffDelaySeconds;     // 12
  double earlyStart;                 // 16, days; negative is earlier
  uint8_t stopManualForReservation;  // 50
  uint16_t powerOffCountdown;        // 52
  uint8_t closeViewAfterRecording;   // 54
  uint16_t setupLeadSeconds;         // 56
  std::string wakeUpProgram;         // first character "@": no wake-up program
  std::string folder;                // ends in "\"

  // The file's bytes. What the data lacks (a short or damaged file) keeps its default; bytes
  // that are not interpreted are kept for writing back.
  void decode(const std::vector<uint8_t>& data);
  std::vector<uint8_t> encode() const;

  // Reads the file; missing when it does not exist (the program must not start then).
  LoadResult load(const std::string& path);
  // Replaces the file read by load; false when it cannot be written.
  bool save() const;

  bool wakeUpOff() const { return !wakeUpProgram.empty() && wakeUpProgram[0] == '@'; }

 private:
  std::array<uint8_t, kBlockSize> block_{};  // as read, for the bytes no field owns
  std::string path_;
};
