// The two kinds of failure of the command language: device errors are reported by the
// dispatchers (dialog, full undo); language errors end the request with the application's box.
#pragma once

#include <string>

struct DeviceError {
  std::string text;
};

struct LanguageError {
  std::string text;
};
