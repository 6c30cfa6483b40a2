// The tool bar's images, drawn by code: 16 x 16, on the tool bar's mask colour.
#pragma once

#include "winui/tool_bar.h"

namespace guide {

enum class Glyph { online, offline, download, back, forward, refresh, stop, textSize, favourites };
winui::GlyphPainter glyph(Glyph which);

}  // namespace guide
