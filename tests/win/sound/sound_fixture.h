// Audio source and compressor tests over the COM fakes: audio input devices with a capture
// pin, installed compressors with or without their dialogs interface, the format chooser's
// stand-in, and a profile folder of the test's own.
#pragma once

#include <string>
#include <vector>

#include "fakes/engine_over_fakes.h"
#include "fakes/fake_compressor.h"
#include "grabcore/core/vcompress_file.h"
#include "grabcore/core/wave_format.h"

namespace soundtest {

using Log = std::vector<std::wstring>;
using Bytes = std::vector<uint8_t>;
using fakes::post;
using fakes::sj;

// A PCM WAVEFORMATEX; extra bytes (0) follow when asked for.
Bytes pcm(uint16_t channels, uint32_t rate, uint16_t bits, size_t extra = 0);
// A non-PCM WAVEFORMATEX with cbSize extra bytes.
Bytes compressed(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t cbSize);

// The media type a device answers for a wave block.
MediaTypeRecord audioType(const Bytes& block);

class SoundOverFakes : public fakes::EngineOverFakesInFolder {
 protected:
  SoundOverFakes();
  ~SoundOverFakes() override;

  struct AudioDevice {
    fakes::FakeFilter* filter = nullptr;
    fakes::FakePin* capture = nullptr;
  };
  // An audio input device whose one output pin "capture" is of the capture category and has a
  // stream configuration answering 44,100 Hz 16-bit stereo PCM.
  AudioDevice addAudioDevice(const std::wstring& id);

  struct Compressor {
    fakes::FakeFilter* filter = nullptr;
    fakes::FakeCompressDialogs* dialogs = nullptr;  // null for a compressor without them
  };
  Compressor addCompressor(const std::wstring& id, const std::wstring& friendlyName, bool withDialogs = true);

  // Runs the lines; each must go through.
  void runOk(std::initializer_list<const char*> lines);
  // Runs a line that fails and checks that it reported exactly text and undid everything.
  void expectUndone(const std::string& line, const std::wstring& text);

  fakes::FakeFormatChooser chooser{kit};
};

}  // namespace soundtest
