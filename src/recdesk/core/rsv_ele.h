// One reservation of reserve.dat, and the list operations every scheduling decision starts
// from: roll past entries forward by their repeat kind, and sort.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TRsvEle {
  enum Repeat : uint8_t { kOnce = 0, kWeekly = 1, kWeekdays = 2, kDaily = 3 };

  std::array<uint8_t, 8> head{};  // the writer's, not interpreted
  double start = 0;               // local start time (days since 30 December 1899)
  double end = 0;
  int16_t channel = 0;            // channel key; -1 Composite, -2 S-Video
  std::string quality;
  std::string fileName;
  std::string title;
  uint8_t repeat = kOnce;
  uint8_t powerOff = 0;
  uint8_t done = 0;
  uint8_t enabled = 1;
  uint8_t addDate = 0;
  uint32_t serial = 0;  // identity within this run of the program (not in the file)
};

// One step of a repeating entry to its next occurrence. Returns false for a kind that has no
// step (once, or an unknown value).
bool stepToNextOccurrence(TRsvEle& entry);
// Brings a past entry up to date: a once (or unknown) kind is marked done, a repeating one
// steps until its end is no longer before now.
void bringUpToDate(TRsvEle& entry, double now);
// Brings every entry up to date, then sorts by start (stable). The entry whose serial is keep
// (the occurrence being recorded; 0 none) is left as it is.
void rollForward(std::vector<TRsvEle>& list, double now, uint32_t keep = 0);
