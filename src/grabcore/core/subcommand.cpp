#include "subcommand.h"

namespace {

constexpr std::string_view kWords[kSubCommandCount] = {
    "create", "remove",
    "add", "startGraph", "stopGraph", "EnumFilters",
    "SetFiltergraph", "renderPreview", "release", "setFName", "renderVCapture", "renderACapture", "setViewWin",
    "preViewStream", "captureStream", "setWinSize", "capStartDelay", "videoStartDelay", "audioStartDelay",
    "masterStream", "setILeave",
    "setQuality", "getQuality", "videoDialog", "getVideoSize", "loadFormat", "saveFormat", "loadQuality",
    "deleteVideo", "getFrameRate", "setFrameRate", "allocProp", "chgDriver",
    "audioDialog", "getWFormat", "audioQualityName", "deleteAudio",
    "searchChannel", "setCh", "incChannel", "decChannel", "prChannelToListview", "setSelChCombo",
    "changeChValue", "chIndexToUpper", "chIndexToLower", "addChToList", "delChFromList", "setCaption",
    "saveTunerDat", "nukeWithoutNeeds",
    "enumCompNames", "compDialog", "setCompKind", "compQualityName", "deleteComp", "setCmpState",
    "setCurrentMixDev", "getDevList", "getNowMixerDev", "setVolume", "getVolume", "setMute", "getMute",
    "setSysVolMute", "getSysVolMute",
};

}  // namespace

std::optional<SubCommand> findSubCommand(std::string_view word) {
  for (int i = 0; i < kSubCommandCount; ++i)
    if (kWords[i] == word) return static_cast<SubCommand>(i);
  return std::nullopt;
}

std::string_view subCommandWord(SubCommand id) { return kWords[static_cast<int>(id)]; }
