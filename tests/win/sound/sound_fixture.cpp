#include "sound_fixture.h"

#include <windows.h>

#include "grabcore/win/media_type.h"
#include "../../grabcore/wave_bytes.h"

namespace soundtest {

using fakes::FakeFilter;
using fakes::FakePin;

Bytes pcm(uint16_t channels, uint32_t rate, uint16_t bits, size_t extra) {
  return waveBytes(WAVE_FORMAT_PCM, channels, rate, static_cast<uint16_t>(channels * bits / 8), 0, extra);
}

Bytes compressed(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t cbSize) {
  return waveBytes(tag, channels, rate, 1, cbSize, cbSize);
}

namespace {

// The PCM media type of a device over block (which must outlive it).
AM_MEDIA_TYPE waveMediaType(Bytes& block) {
  AM_MEDIA_TYPE type{};
  type.majortype = MEDIATYPE_Audio;
  type.subtype = MEDIASUBTYPE_PCM;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = reinterpret_cast<const WAVEFORMATEX*>(block.data())->nBlockAlign;
  type.formattype = FORMAT_WaveFormatEx;
  type.cbFormat = static_cast<ULONG>(block.size());
  type.pbFormat = block.data();
  return type;
}

}  // namespace

MediaTypeRecord audioType(const Bytes& block) {
  Bytes copy(block);
  return toRecord(waveMediaType(copy));
}

SoundOverFakes::SoundOverFakes() { setAudioFormatChooserSeam(&chooser); }

SoundOverFakes::~SoundOverFakes() { setAudioFormatChooserSeam(nullptr); }

SoundOverFakes::AudioDevice SoundOverFakes::addAudioDevice(const std::wstring& id) {
  const fakes::AudioDevice device = fakes::addAudioDevice(*com.devices, id);
  return {device.filter, device.capture};
}

SoundOverFakes::Compressor SoundOverFakes::addCompressor(const std::wstring& id, const std::wstring& friendlyName,
                                                         bool withDialogs) {
  Compressor compressor;
  compressor.filter = kit.make<FakeFilter>(id);
  if (withDialogs) {
    compressor.dialogs = kit.make<fakes::FakeCompressDialogs>(id + L".dialogs");
    compressor.filter->delegate(IID_IAMVfwCompressDialogs, compressor.dialogs);
  }
  com.devices->addDevice(CLSID_VideoCompressorCategory, id, friendlyName, compressor.filter);
  return compressor;
}

void SoundOverFakes::runOk(std::initializer_list<const char*> lines) {
  for (const char* line : lines) ASSERT_TRUE(run(std::string(line))) << line;
}

void SoundOverFakes::expectUndone(const std::string& line, const std::wstring& text) {
  takeReplies();
  EXPECT_FALSE(run(line)) << line;
  EXPECT_EQ(takeReplies(), Log{L"error " + text}) << line;
  EXPECT_TRUE(engine->objectNames().empty()) << line;
  EXPECT_TRUE(engine->undoList.empty()) << line;
}

}  // namespace soundtest
