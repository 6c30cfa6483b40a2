// The options dialog's rules that need no window: when it may open, what its labels show, the
// names of new quality profiles and the checks a rename passes before any file goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rsv_time.h"

// The dialog would rebuild or retune the running graph: not while the record button is down
// or a reservation is noticed, set up or recorded.
bool optionsRefused(bool recordDown, rsvTime::State state);

// A picture value the engine reports, as the 0-255 bar shows it.
int clampPicture(int32_t value);

// The audio label: rate "Hz, " bits "bit, " and "Mono" or "Stereo"; no bits figure is made up
// when the engine reports no channels.
std::string audioFormatText(uint32_t rate, uint32_t blockAlignAndChannels);
// The frame-rate label: the double of TVR_FRAMERATE's two halves as general decimal text.
std::string frameRateText(uint32_t low, uint32_t high);

// The first of "新規の設定", "新規の設定(1)", "新規の設定(2)", ... not in the list.
std::string newProfileName(const std::vector<std::string>& items);

enum class RenameCheck { ok, empty, builtIn, taken, badCharacter, badName };
// What keeps the item at index from being renamed to name: the built-in profile either way, a
// name another item or a profile file of the folder holds (files: their names, of either device
// kind, since the renamed profile would write over them), or what profileNameCheck refuses.
RenameCheck checkRename(const std::vector<std::string>& items, int index, const std::string& name,
                        const std::vector<std::string>& files = {}, const std::string& folder = {});
// Whether the profile's files can be made in the folder under that name: badCharacter for a
// character no file name holds, badName for a device's name ("NUL", "COM1.x": the engine would
// write to the device and no file would be made) or for files longer than a path may be, with
// the temporary name each is written under first.
RenameCheck profileNameCheck(const std::string& name, const std::string& folder);
// Both names stand for the same file, as Windows compares file names: without case, for every
// letter code page 932 holds (ASCII, full-width Latin, Greek, Cyrillic, Roman numerals).
bool sameFileName(const std::string& a, const std::string& b);

// A whole decimal integer with an optional sign that fits 32 bits; none otherwise.
std::optional<int32_t> integerText(const std::string& text);
