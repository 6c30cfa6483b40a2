// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "mixer_texts.h"

namespace texts {

const char kMixerSettingsWriteFailed[] = "ファイル「SoundMixer.dat」を生成できませんでした。";

}  // namespace texts
