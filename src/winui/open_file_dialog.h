// The open-file dialog, through the dialog seam. Paths come back as Shift-JIS; one that code
// page 932 cannot hold is refused with a message, since no later step could name that file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace winui {

struct OpenFileRequest {
  std::string title;             // empty: the system's
  std::string filter;            // "description|pattern" pairs, as "AVIファイル|*.AVI"
  bool pathMustExist = false;    // the file must exist in any case
  bool noNetworkButton = false;
  bool keepCurrentFolder = false;
  std::string refusal;           // the message for a path code page 932 cannot hold
  std::string refusalCaption;
};

// The chosen file, or nothing for Cancel and for a refused path.
std::optional<std::string> openFileName(HWND owner, const OpenFileRequest& request);

}  // namespace winui
