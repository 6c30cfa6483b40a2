// capForm.dat: the TV view's layout and the manual-recording settings, a 44-byte block followed
// by two strings (the quality profile and the file of manual recordings).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ViewSettings {
  int32_t version = 1;
  uint8_t useDefaultPos = 1;  // Windows chooses position and size
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t windowState = 0;    // 0 normal, 1 minimised, 2 maximised
  uint8_t alwaysOnTop = 0;
  uint8_t panelPosition = 1;  // 0 none, 1 top, 2 bottom, 3 left, 4 right, 5 floating
  int32_t videoSize = 0;      // width of the last chosen video size; 0 after any resize
  uint8_t corner = 0;         // 0 none, 1 top-left, 2 bottom-left, 3 top-right, 4 bottom-right
  int32_t preallocMB = 0;
  uint8_t noPreviewWhileRecording = 0;
  uint8_t confirmBeforeRecording = 0;
};

struct CapFormFile {
  static constexpr size_t kBlockSize = 44;

  CapFormFile();  // the values of a missing file

  ViewSettings viewSettings;
  std::string qualityName;
  std::string recordFileName;

  // What the data lacks (a short or damaged file) keeps its default.
  void decode(const std::vector<uint8_t>& data);
  std::vector<uint8_t> encode() const;

  // A missing file gives the defaults silently; one that cannot be read gives them too, with
  // the error text to show.
  std::optional<std::string> load(const std::string& path);
  // The error text when the file cannot be written.
  std::optional<std::string> save(const std::string& path) const;
};
