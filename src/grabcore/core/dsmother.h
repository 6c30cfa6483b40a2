// Base of every device object of the command language.
#pragma once

struct IBaseFilter;

class dsMother {
 public:
  virtual ~dsMother() = default;
  // The DirectShow filter the object wraps (no reference added), or none.
  virtual IBaseFilter* getFilter() { return nullptr; }
};

// Object kinds of the language, in table order.
enum class WaitId : unsigned char {
  GraphBuilder = 0,
  CaptureGraphBuilder = 1,
  TvTuner = 2,
  VCapSorce = 3,
  ACapSorce = 4,
  Compress = 5,
  SoundMixer = 6,
};
