// The video compressor object, as the dispatcher and other device objects see it.
#pragma once

#include <cstdint>
#include <string>

#include "dsmother.h"

// The compressor list of the command language: only compressors with a configuration dialog.
inline constexpr int kCompListWithDialogs = 2;
// The configuration dialog.
inline constexpr int kCompConfigDialog = 1;

class TCompress : public dsMother {
 public:
  // Takes the profile's compressor and state from its file, when it has one.
  virtual void open(const std::string& profile) = 0;
  // Writes the profile's file and lets the compressor go.
  virtual void remove() = 0;
  // Sends the compressor list to the front end; answers the current compressor's position
  // in it, -1 when it is not listed.
  virtual int32_t enumCompNames(int kind) = 0;
  // The compressor's dialog, modal, owned by window; nothing without a compressor.
  virtual void showDialog(int kind, uint64_t window) = 0;
  // Switches to the compressor of that name; nothing when it is the current one.
  virtual void select(const std::string& name) = 0;
  virtual void setName(const std::string& profile) = 0;
  virtual void deleteData(const std::string& profile) = 0;
  // Gives the kept state to the compressor.
  virtual void setCmpState() = 0;
};
