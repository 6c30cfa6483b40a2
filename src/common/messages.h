// Window messages of the engine link and the copy-data kinds, shared by all three programs.
#pragma once

namespace tvr {

constexpr unsigned kWmUser = 1024;
constexpr unsigned kWmCopyData = 74;

// Requests to the engine.
constexpr unsigned TVR_ADDARG = kWmUser + 202;
constexpr unsigned TVR_EXECMDFILE = kWmUser + 203;
constexpr unsigned TVR_EXECONELINE = kWmUser + 204;
constexpr unsigned TVR_GRAPHEVENT = kWmUser + 222;
constexpr unsigned TVR_ADDDWORD = kWmUser + 224;

// From the engine.
constexpr unsigned TVR_ENGINEWND = kWmUser + 201;
constexpr unsigned TVR_DONE = kWmUser + 205;
constexpr unsigned TVR_MIXERIDS = kWmUser + 206;
constexpr unsigned TVR_VIDEOPROP = kWmUser + 207;
constexpr unsigned TVR_VOLUME = kWmUser + 208;
constexpr unsigned TVR_MUTE = kWmUser + 209;
constexpr unsigned TVR_FORMATDONE = kWmUser + 210;
constexpr unsigned TVR_VIDEOSIZE = kWmUser + 211;
constexpr unsigned TVR_COMPDONE = kWmUser + 212;
constexpr unsigned TVR_AUDIOFORMAT = kWmUser + 213;
constexpr unsigned TVR_MIXDEVINDEX = kWmUser + 214;
constexpr unsigned TVR_CHANNEL = kWmUser + 215;
constexpr unsigned TVR_COMPINDEX = kWmUser + 216;
constexpr unsigned TVR_RECON = kWmUser + 217;
constexpr unsigned TVR_RECOFF = kWmUser + 218;
constexpr unsigned TVR_FRAMERATE = kWmUser + 219;
constexpr unsigned TVR_MARK = kWmUser + 220;
constexpr unsigned TVR_SIGNAL = kWmUser + 221;
constexpr unsigned TVR_GRAPHABORT = kWmUser + 223;
constexpr unsigned TVR_CHADDED = kWmUser + 225;
constexpr unsigned TVR_ANTRANGE = kWmUser + 226;
constexpr unsigned TVR_CBLRANGE = kWmUser + 227;
constexpr unsigned TVR_ISANTENNA = kWmUser + 228;
constexpr unsigned TVR_NOMIXER = kWmUser + 229;
constexpr unsigned TVR_DRIVER = kWmUser + 230;

// From planbook to the recorder.
constexpr unsigned TVR_CHANGED = kWmUser + 123;

// dwData of the engine's WM_COPYDATA blocks.
constexpr unsigned CD_CAPTION = 1;
constexpr unsigned CD_CHLIST = 2;
constexpr unsigned CD_CHNUMBERS = 3;
constexpr unsigned CD_FREECHANNELS = 4;
constexpr unsigned CD_MIXERLINES = 5;
constexpr unsigned CD_COMPNAMES = 6;

}  // namespace tvr
