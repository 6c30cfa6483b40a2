// The TV tuner object: its channel table and files, tuning through the card's tuner and
// crossbars, and the channel scan.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "channel_table.h"
#include "dsmother.h"
#include "engine_host.h"
#include "tuner_ports.h"

class TTvTuner : public dsMother {
 public:
  // programDir: the folder of TvTuner.dat and TvTuner.dat2, with its trailing '\'.
  TTvTuner(EngineHost& host, std::unique_ptr<TunerDevices> devices, TunerDialogs& dialogs, std::string programDir);
  ~TTvTuner() override;
  TTvTuner(const TTvTuner&) = delete;
  TTvTuner& operator=(const TTvTuner&) = delete;

  // Discovery in the graph, then the table loaded or built, the ranges reported and the
  // current channel tuned. A failed discovery ends it silently.
  void create(TGraphBuilder* graph);
  void remove();
  // Without a key: tunes the current channel; with one: the first entry of that key (compared
  // as an unsigned 16-bit number), or nothing when none has it.
  void setCh(const int32_t* key);
  void stepChannel(int direction);
  void nukeWithoutNeeds(TGraphBuilder* graph);
  void searchChannel(uint8_t type);

  void prChannelToListview();
  void setSelChCombo(uint8_t type);
  void changeChValue(int32_t index, const std::string& name, int32_t key, int32_t tuning, uint8_t type);
  void chIndexToUpper(int32_t index);
  void chIndexToLower(int32_t index);
  void addChToList(int32_t index, const std::string& name, int32_t tuning, uint8_t type);
  void delChFromList(int32_t index);
  void setCaption(const std::string* text);
  // Writes both files when the object holds a table (loaded or built by create).
  void saveTunerDat();

  const ChannelTable& table() const { return table_; }

 private:
  void requireDevices(const char* failureText) const;
  void tuneCurrent();
  void getChRange(uint8_t type);
  void scan(uint8_t type);
  void load();
  // False when the program ended while the question was asked: nothing is built or saved.
  bool firstRun();
  void writeFiles();
  void release();

  EngineHost& host_;
  std::unique_ptr<TunerDevices> devices_;
  TunerDialogs& dialogs_;
  const std::string datPath_;
  const std::string dat2Path_;
  ChannelTable table_;
  // Set by a load or a completed first run; only such a table is ever written, so a failed
  // create never replaces the user's files.
  bool held_ = false;
  bool removed_ = false;
};
