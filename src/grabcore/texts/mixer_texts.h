// The sound mixer's own texts (Shift-JIS bytes; defined in mixer_texts.cpp).
#pragma once

namespace texts {

extern const char kMixerSettingsWriteFailed[];

}  // namespace texts
