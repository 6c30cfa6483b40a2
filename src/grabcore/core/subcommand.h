// The 66 subcommand words of the device objects and their ids.
#pragma once

#include <optional>
#include <string_view>

enum class SubCommand : unsigned char {
  create = 0, remove,
  // GraphBuilder
  add, startGraph, stopGraph, EnumFilters,
  // CaptureGraphBuilder
  SetFiltergraph, renderPreview, release, setFName, renderVCapture, renderACapture, setViewWin,
  preViewStream, captureStream, setWinSize, capStartDelay, videoStartDelay, audioStartDelay,
  masterStream, setILeave,
  // VCapSorce
  setQuality, getQuality, videoDialog, getVideoSize, loadFormat, saveFormat, loadQuality,
  deleteVideo, getFrameRate, setFrameRate, allocProp, chgDriver,
  // ACapSorce
  audioDialog, getWFormat, audioQualityName, deleteAudio,
  // TvTuner
  searchChannel, setCh, incChannel, decChannel, prChannelToListview, setSelChCombo, changeChValue,
  chIndexToUpper, chIndexToLower, addChToList, delChFromList, setCaption, saveTunerDat,
  nukeWithoutNeeds,
  // Compress
  enumCompNames, compDialog, setCompKind, compQualityName, deleteComp, setCmpState,
  // SoundMixer
  setCurrentMixDev, getDevList, getNowMixerDev, setVolume, getVolume, setMute, getMute,
  setSysVolMute, getSysVolMute,
};

constexpr int kSubCommandCount = 66;

// The id of a word (case-sensitive), or nothing for a word outside the table.
std::optional<SubCommand> findSubCommand(std::string_view word);
std::string_view subCommandWord(SubCommand id);
