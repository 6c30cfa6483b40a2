// The video compressor over DirectShow: the installed compressors of the video compressor
// category, the chosen one bound by its FriendlyName, its configuration dialog and state, and
// the quality profile's compressor file.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

#include "com_seam.h"
#include "grabcore/core/compress.h"
#include "grabcore/core/engine_host.h"

class DsCompress : public TCompress {
 public:
  // programDir: the folder of the profile files, with its trailing '\'.
  DsCompress(EngineHost& host, ComFactory& com, std::string programDir);

  IBaseFilter* getFilter() override { return filter_.Get(); }

  void open(const std::string& profile) override;
  void remove() override;
  int32_t enumCompNames(int kind) override;
  void showDialog(int kind, uint64_t window) override;
  void select(const std::string& name) override;
  void setName(const std::string& profile) override { profileName_ = profile; }
  void deleteData(const std::string& profile) override;
  void setCmpState() override;

 private:
  // The installed compressor of that name, bound; raises when it cannot be had.
  Microsoft::WRL::ComPtr<IBaseFilter> create(const std::string& name);
  // The compressor's dialogs interface, found on first need; raises when it has none.
  IAMVfwCompressDialogs* dialogs();
  void getCmpState();
  void release();

  EngineHost& host_;
  ComFactory& com_;
  std::string programDir_;

  Microsoft::WRL::ComPtr<IBaseFilter> filter_;
  Microsoft::WRL::ComPtr<IAMVfwCompressDialogs> dialogs_;
  std::string profileName_;
  std::string friendlyName_;  // empty: no compressor
  std::vector<uint8_t> state_;
  // Set by an open that went through, cleared by remove: only then is the profile's file
  // written, so a second remove never replaces the choice with an empty one.
  bool opened_ = false;
};
