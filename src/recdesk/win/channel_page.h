// TabSheet4 "チューナー": the channel editor. It holds no table of its own: it shows the rows
// the engine reports, mirrors each edit in its list and sends the same edit to the engine. The
// engine writes its files at "tune saveTunerDat", which the dialog sends at its close when
// channelsEdited is set.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "recdesk/core/channel_rows.h"
#include "recdesk/core/reply_blocks.h"
#include "winui/form.h"
#include "winui/list_view.h"
#include "winui/radio_group.h"

class dsControl;

// What the page needs of the recorder around it.
class ChannelPageHost {
 public:
  virtual ~ChannelPageHost() = default;
  // The tuning range of the antenna or the cable input (TVR_ANTRANGE, TVR_CBLRANGE).
  virtual channels::TuningRange tuningRange(bool cable) const = 0;
  // The tuner's input is antenna (TVR_ISANTENNA).
  virtual bool antennaInput() const = 0;
  // The TV view's mute button is down.
  virtual bool muteDown() const = 0;
};

// The dialog's state the page shares.
struct ChannelFlags {
  bool& channelListLoaded;
  bool& channelsEdited;
  bool& suppressEvents;
};

class ChannelPage : public winui::Form {
 public:
  enum : int {
    ListView1 = 501, Edit7, ComboBox5, Edit9, ScrollBar1, Button12, Button16, Button17, Button18, Button23,
    RadioGroup4, kLabels = 520
  };

  ChannelPage(HWND parent, RECT bounds, dsControl& engine, ChannelPageHost& host, ChannelFlags flags);

  // TabSheet4 OnShow.
  void shown();
  // Before the dialog leaves the page or closes: a name or tuning still being typed is sent.
  void leave();
  // The user closes the dialog: a row of "新規" whose key the engine has not named yet is waited
  // for (its request answered or given up), unless closed() holds first.
  void awaitKeys(const std::function<bool()>& closed);
  // The dialog closes: each new row whose TVR_CHADDED has not come goes as it stands, when its
  // key is known; one with none keeps the engine's own entry as it is.
  void closing();
  // The engine's replies routed to the page.
  void channelList(const ChannelListBlock& block);          // CD_CHLIST
  void freeChannels(const FreeChannelsBlock& block);        // CD_FREECHANNELS
  void channelNumbers(const std::vector<std::string>& keys);  // CD_CHNUMBERS
  void channelAdded();                                      // TVR_CHADDED

  winui::ListView& list() { return *ListView1_; }
  winui::RadioGroup& inputGroup() { return *RadioGroup4_; }
  const std::vector<channels::ChannelRow>& rows() const { return rows_; }
  // As the user's scroll of ScrollBar1 (code: SB_LINERIGHT, SB_THUMBTRACK, SB_ENDSCROLL ...).
  void scroll(int code, int thumb = 0);

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int selectedRow() const;
  void selectRow(int index);
  void clearEditors();
  // The tuning controls for a row of an external input (off) or a tuner channel (on).
  void enableTuning(bool on);
  // The name typed for the edit's row goes to the engine, once.
  void sendTypedName();
  void ListView1SelectItem(int index, bool selected);
  void Edit7Change();
  void Edit7Exit();
  void ComboBox5Click();
  void tuningRule();
  void RadioGroup4Click();
  void Button12Click();
  void Button16Click();
  void Button17Click();
  void Button18Click();
  void Button23Click();
  void moveRow(int step);
  void updateButtons(int index);
  void showRow(int index);
  void insertRow(int index, const channels::ChannelRow& row);
  // The row's edit as one "tune changeChValue" line.
  void sendRow(int index);
  void setScrollRange(bool cable);
  void setEditQuietly(int id, const std::string& text);
  bool cableSelected() const { return RadioGroup4_->index() == 1; }
  // "tune setCh" for the selected row after an edit of its tuning; a new row without its key
  // is tuned once the key comes.
  void retune(int index);

  // A row of "新規" until its TVR_CHADDED, oldest first (the engine answers in order). Its row
  // follows moves, inserts and deletes; -1 once the row is gone, so that its replies go nowhere.
  // Until CD_CHNUMBERS names its key, the row's placeholder "1" (another entry's) is never sent:
  // its edits wait and go with the key.
  struct Addition {
    int row = -1;
    bool keyed = false;
    bool sent = false;    // the row went with its key
    bool retune = false;  // selected or retuned before its key came: tuned once it comes
  };
  Addition* additionAt(int row);
  bool keyless(int row) { const Addition* a = additionAt(row); return a && !a->keyed; }

  dsControl& engine_;
  ChannelPageHost& host_;
  ChannelFlags flags_;
  std::unique_ptr<winui::ListView> ListView1_;
  std::unique_ptr<winui::RadioGroup> RadioGroup4_;
  std::vector<channels::ChannelRow> rows_;
  std::function<void()> enterAction_;
  // The row Edit7 shows and edits: a click elsewhere moves the selection before the edit loses
  // the focus, so the name typed must not follow the selection.
  int nameRow_ = -1;
  bool nameTyped_ = false;  // its name was changed and not yet sent
  std::deque<Addition> additions_;
};
