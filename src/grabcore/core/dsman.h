// The subcommand dispatchers: one per object kind, all in one frame that turns every device
// error into the error dialog, a full undo and a failed status.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dsmother.h"
#include "errors.h"
#include "subcommand.h"

class lex;

class dsMan {
 public:
  explicit dsMan(lex& engine) : engine_(engine) {}

  bool ok = true;

  void func_GraphBuilder();
  void func_CaptureGraphBuilder();
  void func_VCapSorce();
  void func_ACapSorce();
  void func_TvTuner();
  void func_Compress();
  void func_Mixer();

  void reportError(const std::string& text);

  // Argument readers; a missing token or a bad number raises a language error.
  int32_t argInt(size_t index) const;
  double argReal(size_t index) const;
  const std::string& argText(size_t index) const;
  std::shared_ptr<dsMother> argObject(size_t index) const;
  uint32_t argNumber(size_t index) const;
  // The token when present, "" otherwise (for word tests, which take the "other" branch).
  std::string argWord(size_t index) const;

 private:
  // Runs body(id, object) for the line's object; body returns false for an id of another kind.
  template <class Device, class Body>
  void frame(const char* unexpectedText, Body body);

  lex& engine_;
};
