// The engine stand-in's devices: the engine's own device classes over the fakes its Windows tests
// use, so that every line answers as the engine answers it. A capture card with both driver
// kinds, a tuner and two crossbars on an aerial with no station on the air, a microphone, a
// compressor with its dialogs, and a sound mixer whose speakers have a volume and a mute; every
// dialog a device would show is answered at once. A test can make chosen calls fail as a
// driver's would.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "fakes/com_kit.h"
#include "fakes/fake_com_factory.h"
#include "fakes/fake_compressor.h"
#include "fakes/fake_tuner.h"
#include "grabcore/core/tuner_ports.h"
#include "grabcore/win/form_sel_vcap.h"
#include "grabcore/win/property_frame.h"
#include "grabcore/win/win_device_factory.h"
#include "mixer/fake_mixer_api.h"

namespace enginestub {

class Card : private TunerDialogs, private PropertyFrameSeam, private DriverChoiceSeam {
 public:
  // The devices keep their files in folder (Shift-JIS, with its '\').
  explicit Card(const std::string& folder);
  ~Card() override;

  DeviceFactory& factory() { return devices_; }
  // Before each request: the channel table a user's first run left, when there is none yet (so
  // not before the recorder has looked for it at its start), so that the tuner comes up on a
  // channel without a signal and the recorder leaves the sound muted.
  void beforeRequest();
  // The next `times` calls (all when negative) whose log entry starts with prefix answer hr.
  void fail(const std::wstring& prefix, HRESULT hr, int times) { kit_.fail(prefix, hr, times); }

 private:
  int askScan() override { return kScanNone; }
  std::unique_ptr<ScanProgress> openProgress(const std::string&) override;
  HRESULT show(const std::wstring&, IUnknown*, const CAUUID&) override { return S_OK; }
  int choose() override { return kDriverChoiceVfw; }

  std::string folder_;
  fakes::ComKit kit_;
  fakes::FakeComFactory com_{kit_};
  fakes::FakeFormatChooser chooser_{kit_};
  mixertest::FakeMixerApi mixer_;
  WinDeviceFactory devices_{com_};
};

}  // namespace enginestub
