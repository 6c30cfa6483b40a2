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

enum class RenameCheck { ok, empty, builtIn, taken, badCharacter };
// What keeps the item at index from being renamed to name: the built-in profile either way, a
// name another item or a profile file of the folder holds (files: their names, of either device
// kind, since the renamed profile would write over them; as file names compare: ASCII letters
// without case), a character no file name holds.
RenameCheck checkRename(const std::vector<std::string>& items, int index, const std::string& name,
                        const std::vector<std::string>& files = {});
// Both names stand for the same file name.
bool sameFileName(const std::string& a, const std::string& b);

// A whole decimal integer with an optional sign that fits 32 bits; none otherwise.
std::optional<int32_t> integerText(const std::string& text);
