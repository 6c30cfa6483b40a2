#include "capture_graph_builder.h"

#include "../texts/capture_texts.h"

VideoRect fitVideo43(int32_t width, int32_t height) {
  // 64-bit products: a panel size near the 32-bit limit must not overflow.
  const int64_t w = width;
  const int64_t h = height;
  if (3 * w < 4 * h) {
    const int64_t fitted = 3 * w / 4;
    return {0, static_cast<int32_t>((h - fitted) / 2), width, static_cast<int32_t>(fitted)};
  }
  const int64_t fitted = 4 * h / 3;
  return {static_cast<int32_t>((w - fitted) / 2), 0, static_cast<int32_t>(fitted), height};
}

std::string renderVCaptureErrorText(int32_t hr) {
  const char* code = texts::kCapCodeUndefined;
  switch (static_cast<uint32_t>(hr)) {
    case 0x80004003u:  // E_POINTER
      code = texts::kCapCodeNullPointer;
      break;
    case 0x80004005u:  // E_FAIL
      code = texts::kCapCodeFail;
      break;
    case 0x80070057u:  // E_INVALIDARG
      code = texts::kCapCodeInvalidArg;
      break;
  }
  return std::string(texts::kCapRenderVCaptureHead) + code;
}
