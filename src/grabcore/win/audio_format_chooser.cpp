#include "audio_format_chooser.h"

namespace {
AudioFormatChooserSeam* g_seam = nullptr;
}

void setAudioFormatChooserSeam(AudioFormatChooserSeam* seam) { g_seam = seam; }

MMRESULT acmMaxFormatSize(DWORD& size) {
  if (g_seam) return g_seam->maxFormatSize(size);
  return acmMetrics(nullptr, ACM_METRIC_MAX_SIZE_FORMAT, &size);
}

MMRESULT chooseAudioFormat(ACMFORMATCHOOSEA& choice) {
  if (g_seam) return g_seam->choose(choice);
  return acmFormatChooseA(&choice);
}
