// The engine's posted results as the recorder's windows read them: the first byte picks the
// message, then wParam, lParam and one more value (the bar's orientation, a tuning, a mixer
// control) as 32-bit little-endian numbers. What each window is given must be usable as given.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/messages.h"
#include "fuzz_support.h"
#include "recdesk/core/channel_rows.h"
#include "recdesk/core/mixer_echo.h"
#include "recdesk/core/options_rules.h"
#include "recdesk/core/view_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const unsigned kMessages[] = {tvr::TVR_VIDEOPROP,   tvr::TVR_VOLUME,    tvr::TVR_CHANNEL,
                                       tvr::TVR_AUDIOFORMAT, tvr::TVR_FRAMERATE, tvr::TVR_ANTRANGE};
  if (size == 0) return 0;
  const unsigned msg = kMessages[data[0] % std::size(kMessages)];
  uint32_t word[3] = {};
  std::memcpy(word, data + 1, std::min(size - 1, sizeof(word)));
  const uint32_t wParam = word[0], lParam = word[1], extra = word[2];
  const auto signedOf = [](uint32_t v) { return static_cast<int32_t>(v); };
  if (msg == tvr::TVR_VIDEOPROP) {
    const int shown = clampPicture(signedOf(lParam));
    FUZZ_EXPECT(shown >= 0 && shown <= 255);
    FUZZ_EXPECT(shown == signedOf(lParam) || signedOf(lParam) < 0 || signedOf(lParam) > 255);
  } else if (msg == tvr::TVR_VOLUME) {
    const int position = viewrules::volumeBarPosition(signedOf(wParam), extra & 1);
    FUZZ_EXPECT(position >= 0 && position <= 65535);
    if (wParam <= 65535) FUZZ_EXPECT(mixerecho::barVolume(position, extra & 1) == static_cast<int>(wParam));
  } else if (msg == tvr::TVR_CHANNEL) {
    const std::string label = viewrules::channelLabel(wParam);
    FUZZ_EXPECT(label == "C" || label == "S" || std::to_string(wParam & 0xFFFF) == label);
  } else if (msg == tvr::TVR_AUDIOFORMAT) {
    const std::string text = audioFormatText(wParam, lParam);
    const uint32_t channels = lParam >> 16;
    unsigned long rate = 0, bits = 0;
    char kind[8] = {};
    FUZZ_EXPECT(std::sscanf(text.c_str(), "%luHz, %lubit, %7s", &rate, &bits, kind) == 3);
    FUZZ_EXPECT(rate == wParam && bits * std::max(channels, 1u) <= (lParam & 0xFFFF) * 8);
    FUZZ_EXPECT(std::string(kind) == (channels == 1 ? "Mono" : "Stereo"));
    FUZZ_EXPECT(text == std::to_string(rate) + "Hz, " + std::to_string(bits) + "bit, " + kind);
  } else if (msg == tvr::TVR_FRAMERATE) {
    const uint64_t bits = static_cast<uint64_t>(lParam) << 32 | wParam;
    double rate;
    std::memcpy(&rate, &bits, sizeof(rate));
    const std::string text = frameRateText(wParam, lParam);
    char* end = nullptr;
    // Read back wider than a double: 15 digits of the largest doubles round past their range.
    const long double back = std::strtold(text.c_str(), &end);
    FUZZ_EXPECT(!text.empty() && *end == '\0');
    FUZZ_EXPECT(std::isnan(rate) ? std::isnan(back) : back == rate || std::fabs(back - rate) <= std::fabs(rate) * 1e-14L);
  } else {  // the tuning range, as the channel editor clamps a tuning into it
    const channels::TuningRange range{signedOf(wParam), signedOf(lParam)};
    const int tuning = channels::clampTuning(signedOf(extra), range);
    if (range.min <= range.max) FUZZ_EXPECT(tuning >= range.min && tuning <= range.max);
    if (signedOf(extra) >= range.min && signedOf(extra) <= range.max) FUZZ_EXPECT(tuning == signedOf(extra));
  }
  return 0;
}
