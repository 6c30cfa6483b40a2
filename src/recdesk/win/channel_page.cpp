#include "channel_page.h"

#include <commctrl.h>

#include <algorithm>

#include "page_layout.h"
#include "recdesk/core/ds_control.h"
#include "recdesk/texts/options_pages_texts.h"
#include "recdesk/texts/recdesk_texts.h"
#include "winui/dialogs.h"
#include "winui/guard.h"
#include "winui/pump.h"

namespace {

using channels::ChannelRow;
using winui::Control;

constexpr int kLargeStep = 10;
constexpr int kDefaultColumnWidth = 50;  // the list's own default

// Enter in the tuning edit runs the tuning rule, as a change does.
LRESULT CALLBACK enterProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_CHAR && wParam == VK_RETURN) {
    auto* action = reinterpret_cast<std::function<void()>*>(data);
    winui::guardedCall(*action);
    return 0;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(edit, enterProc, 1);
  return DefSubclassProc(edit, msg, wParam, lParam);
}

std::vector<std::string> cellsOf(const ChannelRow& row) { return {row.name, row.key, row.tuning, row.input}; }

}  // namespace

ChannelPage::ChannelPage(HWND parent, RECT bounds, dsControl& engine, ChannelPageHost& host, ChannelFlags flags)
    : winui::Form(optionspage::childOptions(L"TavoraChannelPage", parent, bounds)),
      engine_(engine),
      host_(host),
      flags_(flags) {
  addControl(Control::label, kLabels, texts::kChannelList, {8, 2, 200, 16});
  ListView1_ = std::make_unique<winui::ListView>(handle(), ListView1, RECT{8, 18, 290, 244});
  ListView1_->addColumn(texts::kColumnName, 100);
  ListView1_->addColumn(texts::kColumnKey, kDefaultColumnWidth);
  ListView1_->addColumn(texts::kColumnTuning, 62);
  ListView1_->addColumn(texts::kColumnInput, 70);
  addControl(Control::label, kLabels + 1, texts::kNameLabel, {306, 18, 104, 16});
  addControl(Control::edit, Edit7, "", {306, 34, 104, 21});
  addControl(Control::label, kLabels + 2, texts::kKeyLabel, {306, 60, 104, 16});
  addControl(Control::comboBox, ComboBox5, "", {306, 76, 104, 200});
  addControl(Control::label, kLabels + 3, texts::kTuningLabel, {306, 102, 104, 16});
  addControl(Control::edit, Edit9, "", {306, 118, 104, 21});
  CreateWindowExW(0, WC_SCROLLBARW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, 306, 142, 104, 17, handle(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(ScrollBar1)), GetModuleHandleW(nullptr), nullptr);
  SetScrollRange(control(ScrollBar1), SB_CTL, 1, 62, TRUE);
  RadioGroup4_ = std::make_unique<winui::RadioGroup>(*this, RadioGroup4, texts::kInputGroup,
                                                     std::vector<std::string>{texts::kInputAntenna, texts::kInputCable},
                                                     RECT{306, 166, 104, 64});
  addControl(Control::button, Button12, texts::kUp, {8, 268, 66, 25});
  addControl(Control::button, Button16, texts::kDown, {80, 268, 66, 25});
  addControl(Control::button, Button17, texts::kNew, {160, 268, 66, 25});
  addControl(Control::button, Button18, texts::kDelete, {232, 268, 66, 25});
  addControl(Control::button, Button23, texts::kScan, {306, 268, 104, 25});
  optionspage::applyFont(handle());
  optionspage::selectAllOnClick(control(Edit7));
  optionspage::selectAllOnClick(control(Edit9));
  enterAction_ = [this] { tuningRule(); };
  SetWindowSubclass(control(Edit9), enterProc, 1, reinterpret_cast<DWORD_PTR>(&enterAction_));

  ListView1_->onSelect([this](int row, bool selected) { ListView1SelectItem(row, selected); });
  onChange(Edit7, [this] { Edit7Change(); });
  onChange(ComboBox5, [this] { ComboBox5Click(); });
  onChange(Edit9, [this] { tuningRule(); });
  RadioGroup4_->onClick([this] { RadioGroup4Click(); });
  onClick(Button12, [this] { Button12Click(); });
  onClick(Button16, [this] { Button16Click(); });
  onClick(Button17, [this] { Button17Click(); });
  onClick(Button18, [this] { Button18Click(); });
  onClick(Button23, [this] { Button23Click(); });
  clearEditors();
}

void ChannelPage::shown() {
  flags_.suppressEvents = false;
  if (flags_.channelListLoaded) return;
  flags_.channelListLoaded = true;
  engine_.execOneLine("tune prChannelToListview");
}

void ChannelPage::leave() {
  // A name or tuning still being typed goes now, by its exit, before the dialog goes on.
  const HWND focus = GetFocus();
  if (focus == control(Edit7) || focus == control(Edit9)) SetFocus(handle());
  sendTypedName();
}

void ChannelPage::awaitKeys(const std::function<bool()>& closed) {
  auto keyWaited = [&] {
    for (const Addition& a : additions_)
      if (a.row >= 0 && !a.keyed) return true;
    return false;
  };
  // The key comes (CD_CHNUMBERS) before the request is answered; a request given up, or the
  // engine's end, empties the queue.
  auto asked = [&] {
    for (const CmdMess& request : engine_.queue())
      if (request.text.rfind("tune addChToList ", 0) == 0) return true;
    return false;
  };
  winui::runLoopUntil([&] { return closed() || !keyWaited() || !asked(); });
}

void ChannelPage::closing() {
  for (size_t i = 0; i < additions_.size(); ++i)
    if (additions_[i].row >= 0 && additions_[i].keyed && !additions_[i].sent) sendRow(additions_[i].row);
}

ChannelPage::Addition* ChannelPage::additionAt(int row) {
  for (Addition& a : additions_)
    if (row >= 0 && a.row == row) return &a;
  return nullptr;
}

void ChannelPage::channelList(const ChannelListBlock& block) {
  // A block holds the whole table: one asked for twice must not show it twice.
  rows_.clear();
  ListView1_->clear();
  nameRow_ = -1;
  for (Addition& a : additions_) a.row = -1;
  for (const ChannelRow& row : block.rows) insertRow(static_cast<int>(rows_.size()), row);
  if (block.current >= 0 && block.current < static_cast<int>(rows_.size())) ListView1_->select(block.current);
}

void ChannelPage::freeChannels(const FreeChannelsBlock& block) {
  setComboItems(ComboBox5, block.keys);
  setComboIndex(ComboBox5, block.index);
}

void ChannelPage::channelNumbers(const std::vector<std::string>& keys) {
  // The key of the oldest "新規" still without one: the first of the list.
  auto added = std::find_if(additions_.begin(), additions_.end(), [](const Addition& a) { return !a.keyed; });
  if (added == additions_.end() || keys.empty()) return;
  added->keyed = true;
  const int row = added->row;
  if (row < 0) return;
  // Typed "Composit" or "S-Video" meanwhile, it goes with the input's own key.
  if (!channels::isExternalInput(rows_[static_cast<size_t>(row)])) rows_[static_cast<size_t>(row)].key = keys.front();
  showRow(row);
  if (row != selectedRow()) return;
  setComboItems(ComboBox5, keys);
  setComboIndex(ComboBox5, 0);
}

void ChannelPage::channelAdded() {
  if (additions_.empty()) return;
  const Addition added = additions_.front();
  additions_.pop_front();
  if (added.row < 0 || !added.keyed) return;
  // The engine has made and tuned the entry: the row goes with its key and what was typed since.
  sendRow(added.row);
  flags_.channelsEdited = true;
  const ChannelRow& row = rows_[static_cast<size_t>(added.row)];
  const std::optional<int> key = channels::rowKey(row);
  if (!added.retune || added.row != selectedRow() || !key) return;
  engine_.setChannel(*key);
  // As its selection would have: the free keys of a row chosen meanwhile come after its own.
  if (!channels::isExternalInput(row))
    engine_.execOneLine(channels::isCable(row) ? "tune setSelChCombo CBL" : "tune setSelChCombo ANT");
}

LRESULT ChannelPage::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NOTIFY:
      if (ListView1_ && ListView1_->notify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == control(ScrollBar1)) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(control(ScrollBar1), SB_CTL, &info);
        winui::guardedCall([&] { scroll(LOWORD(wParam), info.nTrackPos); });
        return 0;
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_KILLFOCUS && LOWORD(wParam) == Edit7) {
        winui::guardedCall([&] { Edit7Exit(); });
        return 0;
      }
      if (HIWORD(wParam) == EN_KILLFOCUS && LOWORD(wParam) == Edit9) {
        winui::guardedCall([&] { tuningRule(); });
        return 0;
      }
      break;
  }
  return defaultHandling(msg, wParam, lParam);
}

int ChannelPage::selectedRow() const {
  const int index = ListView1_->selected();
  return index >= 0 && index < static_cast<int>(rows_.size()) ? index : -1;
}

void ChannelPage::ListView1SelectItem(int index, bool selected) {
  if (flags_.suppressEvents || !flags_.channelListLoaded) return;
  // A click moves the selection before the edit loses the focus: the name goes to its own row.
  sendTypedName();
  if (!selected) return;
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  selectRow(index);
}

void ChannelPage::selectRow(int index) {
  flags_.suppressEvents = true;
  const ChannelRow& row = rows_[static_cast<size_t>(index)];
  nameRow_ = index;
  nameTyped_ = false;
  setText(Edit7, row.name);
  setText(Edit9, row.tuning);
  setEnabled(Edit7, true);
  const std::optional<int> key = channels::rowKey(row);
  if (channels::isExternalInput(row)) {
    enableTuning(false);
    if (key) engine_.setChannel(*key);
  } else {
    const bool cable = channels::isCable(row);
    RadioGroup4_->setIndex(cable ? 1 : 0);
    setScrollRange(cable);
    SetScrollPos(control(ScrollBar1), SB_CTL, channels::rowTuning(row).value_or(0), TRUE);
    enableTuning(true);
    if (Addition* added = additionAt(index); added && !added->keyed) {
      // Its key is not named yet: the row is tuned, and its keys offered, once it is.
      added->retune = true;
      setComboItems(ComboBox5, {});
    } else {
      if (key) engine_.setChannel(*key);
      // Answered by the free keys, the row's own selected.
      engine_.execOneLine(cable ? "tune setSelChCombo CBL" : "tune setSelChCombo ANT");
    }
  }
  flags_.suppressEvents = false;
  updateButtons(index);
}

void ChannelPage::Edit7Change() {
  if (flags_.suppressEvents || nameRow_ < 0 || nameRow_ >= static_cast<int>(rows_.size())) return;
  const int index = nameRow_;
  ChannelRow& row = rows_[static_cast<size_t>(index)];
  const std::string name = text(Edit7);
  // The name goes between double quotes: one holding a quote is refused.
  if (!channels::nameAllowed(name)) return setEditQuietly(Edit7, row.name);
  row.name = name;
  showRow(index);
  nameTyped_ = true;
  flags_.channelsEdited = true;
}

void ChannelPage::Edit7Exit() {
  if (flags_.suppressEvents) return;
  sendTypedName();
}

void ChannelPage::sendTypedName() {
  if (nameTyped_ && nameRow_ >= 0 && nameRow_ < static_cast<int>(rows_.size())) sendRow(nameRow_);
  nameTyped_ = false;
}

void ChannelPage::ComboBox5Click() {
  if (flags_.suppressEvents) return;
  const int index = selectedRow();
  if (index < 0 || channels::isExternalInput(rows_[static_cast<size_t>(index)]) || comboIndex(ComboBox5) < 0 ||
      keyless(index))
    return;
  // The key the user picked for this row is the row's own from now on.
  rows_[static_cast<size_t>(index)].key = text(ComboBox5);
  showRow(index);
  sendRow(index);
  flags_.channelsEdited = true;
}

void ChannelPage::tuningRule() {
  if (flags_.suppressEvents) return;
  const int index = selectedRow();
  if (index < 0) return;
  ChannelRow& row = rows_[static_cast<size_t>(index)];
  if (channels::isExternalInput(row)) return;
  channels::TuningRange range;
  GetScrollRange(control(ScrollBar1), SB_CTL, &range.min, &range.max);
  const channels::TuningEntry entry = channels::readTuning(text(Edit9), range);
  switch (entry.kind) {
    case channels::TuningKind::composite:
    case channels::TuningKind::sVideo: {
      const bool composite = entry.kind == channels::TuningKind::composite;
      row.key = composite ? texts::kKeyComposite : texts::kKeySVideo;
      row.tuning = composite ? texts::kTuningComposite : texts::kTuningSVideo;
      row.input = texts::kInputAntenna;
      showRow(index);
      sendRow(index);
      // Now an external input: its tuning controls go off as its selection would turn them.
      enableTuning(false);
      break;
    }
    case channels::TuningKind::inRange:
      row.tuning = std::to_string(entry.value);
      showRow(index);
      sendRow(index);
      SetScrollPos(control(ScrollBar1), SB_CTL, entry.value, TRUE);
      retune(index);
      break;
    case channels::TuningKind::empty:
    case channels::TuningKind::outOfRange:
      setEditQuietly(Edit9, row.tuning);
      break;
    case channels::TuningKind::notNumber:
      setEditQuietly(Edit9, row.tuning);
      return;  // no edit
  }
  flags_.channelsEdited = true;
}

void ChannelPage::scroll(int code, int thumb) {
  HWND bar = control(ScrollBar1);
  int low = 0, high = 0;
  GetScrollRange(bar, SB_CTL, &low, &high);
  int position = GetScrollPos(bar, SB_CTL);
  switch (code) {
    case SB_LINELEFT: --position; break;
    case SB_LINERIGHT: ++position; break;
    case SB_PAGELEFT: position -= kLargeStep; break;
    case SB_PAGERIGHT: position += kLargeStep; break;
    case SB_LEFT: position = low; break;
    case SB_RIGHT: position = high; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = thumb; break;
    default: break;
  }
  position = channels::clampTuning(position, {low, high});
  SetScrollPos(bar, SB_CTL, position, TRUE);
  if (flags_.suppressEvents) return;
  const std::string shown = std::to_string(position);
  if (text(Edit9) != shown) setText(Edit9, shown);  // runs the tuning rule
  if (code != SB_ENDSCROLL) return;
  const int index = selectedRow();
  if (index < 0 || channels::isExternalInput(rows_[static_cast<size_t>(index)])) return;
  rows_[static_cast<size_t>(index)].tuning = shown;
  showRow(index);
  sendRow(index);
  retune(index);
  flags_.channelsEdited = true;
}

void ChannelPage::RadioGroup4Click() {
  if (flags_.suppressEvents) return;
  const int index = selectedRow();
  if (index < 0) return;
  ChannelRow& row = rows_[static_cast<size_t>(index)];
  if (channels::isExternalInput(row)) return;
  const bool cable = cableSelected();
  const channels::TuningRange range = host_.tuningRange(cable);
  row.input = cable ? texts::kInputCable : texts::kInputAntenna;
  // The tuning comes into the new range first: the tuner can fail on one outside it.
  const int tuning = channels::clampTuning(channels::rowTuning(row).value_or(range.min), range);
  row.tuning = std::to_string(tuning);
  setScrollRange(cable);
  SetScrollPos(control(ScrollBar1), SB_CTL, tuning, TRUE);
  setEditQuietly(Edit9, row.tuning);
  showRow(index);
  sendRow(index);
  retune(index);
  flags_.channelsEdited = true;
}

void ChannelPage::Button12Click() { moveRow(-1); }
void ChannelPage::Button16Click() { moveRow(+1); }

void ChannelPage::moveRow(int step) {
  const int index = selectedRow();
  if (index < 0) return;
  const int moved = channels::moveRow(rows_, index, step);
  if (moved < 0) return;
  showRow(index);
  showRow(moved);
  if (nameRow_ == index) nameRow_ = moved;
  for (Addition& a : additions_) a.row = a.row == index ? moved : a.row == moved ? index : a.row;
  // The selection follows its row without tuning it again.
  const bool was = flags_.suppressEvents;
  flags_.suppressEvents = true;
  ListView1_->select(moved);
  flags_.suppressEvents = was;
  updateButtons(moved);
  engine_.execOneLine((step < 0 ? "tune chIndexToUpper " : "tune chIndexToLower ") + std::to_string(index));
  flags_.channelsEdited = true;
}

void ChannelPage::Button17Click() {
  const int index = selectedRow();
  if (index < 0) return;
  flags_.suppressEvents = true;
  const bool cable = !host_.antennaInput();
  setText(Edit7, texts::kNewChannelName);
  setEnabled(Edit7, true);
  setEnabled(ComboBox5, true);
  setText(Edit9, "1");
  setEnabled(Edit9, true);
  RadioGroup4_->setEnabled(true);
  RadioGroup4_->setIndex(cable ? 1 : 0);
  setScrollRange(cable);
  SetScrollPos(control(ScrollBar1), SB_CTL, 1, TRUE);
  setEnabled(ScrollBar1, true);
  // Until the engine names the key, the list holds the placeholder "1" and offers no key.
  setComboItems(ComboBox5, {});
  for (Addition& a : additions_)
    if (a.row >= index) ++a.row;
  additions_.push_back({index});
  insertRow(index, {texts::kNewChannelName, "1", "1", cable ? texts::kInputCable : texts::kInputAntenna});
  ListView1_->select(index);
  nameRow_ = index;
  nameTyped_ = false;
  // The engine answers with the free keys and TVR_CHADDED, which sends the row with the first.
  engine_.addChannel(index, texts::kNewChannelName, 1, cable);
  updateButtons(index);
  setEnabled(Button18, true);
  flags_.suppressEvents = false;
  flags_.channelsEdited = true;
}

void ChannelPage::Button18Click() {
  const int index = selectedRow();
  if (index < 0 || channels::isExternalInput(rows_[static_cast<size_t>(index)])) return;
  const int count = static_cast<int>(rows_.size());
  if (count == 1) {
    winui::messageBox(handle(), texts::kCannotDeleteAll, texts::kMainCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  engine_.deleteChannel(index);
  rows_.erase(rows_.begin() + index);
  for (Addition& a : additions_) a.row = a.row == index ? -1 : a.row > index ? a.row - 1 : a.row;
  nameRow_ = -1;
  ListView1_->deleteRow(index);
  ListView1_->select(channels::selectionAfterDelete(count, index));  // tunes it
  flags_.channelsEdited = true;
}

void ChannelPage::Button23Click() {
  const bool muted = host_.muteDown();
  if (!muted) engine_.setMute(true);
  engine_.execOneLine(RadioGroup4_->index() == 0 ? "tune searchChannel ANT" : "tune searchChannel CBL");
  rows_.clear();
  ListView1_->clear();
  for (Addition& a : additions_) a.row = -1;
  clearEditors();
  engine_.execOneLine("tune prChannelToListview");
  if (!muted) engine_.setMute(false);
  flags_.channelsEdited = true;
}

void ChannelPage::clearEditors() {
  const bool was = flags_.suppressEvents;
  flags_.suppressEvents = true;
  for (int id : {Edit7, Edit9}) setText(id, "");
  nameRow_ = -1;
  nameTyped_ = false;
  for (int id : {Edit7, ComboBox5, Edit9, ScrollBar1, Button12, Button16, Button17, Button18}) setEnabled(id, false);
  RadioGroup4_->setEnabled(false);
  flags_.suppressEvents = was;
}

void ChannelPage::enableTuning(bool on) {
  if (!on) {
    // A paste into the tuning edit leaves the focus there: keys must not go to a disabled edit.
    if (GetFocus() == control(Edit9)) SetFocus(control(Edit7));
    setComboIndex(ComboBox5, -1);
    RadioGroup4_->setIndex(-1);
  }
  for (int id : {ComboBox5, Edit9, ScrollBar1, Button18}) setEnabled(id, on);
  RadioGroup4_->setEnabled(on);
}

void ChannelPage::updateButtons(int index) {
  setEnabled(Button12, index > 0);
  setEnabled(Button16, index >= 0 && index < static_cast<int>(rows_.size()) - 1);
  setEnabled(Button17, index >= 0);
}

void ChannelPage::showRow(int index) {
  const std::vector<std::string> cells = cellsOf(rows_[static_cast<size_t>(index)]);
  for (int column = 0; column < 4; ++column) ListView1_->setCell(index, column, cells[static_cast<size_t>(column)]);
}

void ChannelPage::insertRow(int index, const ChannelRow& row) {
  rows_.insert(rows_.begin() + index, row);
  ListView1_->insertRow(index, cellsOf(row));
}

void ChannelPage::sendRow(int index) {
  const ChannelRow& row = rows_[static_cast<size_t>(index)];
  if (index == nameRow_) nameTyped_ = false;  // its name goes with it
  Addition* added = additionAt(index);
  if ((added && !added->keyed) || !channels::nameAllowed(row.name)) return;
  // Composite and S-Video go with their own key and tuning (65535, 65534).
  const bool external = channels::isExternalInput(row);
  const std::optional<int> key = channels::rowKey(row);
  const std::optional<int> tuning = external ? key : channels::rowTuning(row);
  if (!key || !tuning) return;
  if (added) added->sent = true;
  engine_.changeChannel(index, row.name, *key, *tuning, !external && channels::isCable(row));
}

void ChannelPage::retune(int index) {
  if (Addition* added = additionAt(index); added && !added->keyed)
    added->retune = true;
  else
    engine_.resetChannel();
}

void ChannelPage::setScrollRange(bool cable) {
  const channels::TuningRange range = host_.tuningRange(cable);
  SetScrollRange(control(ScrollBar1), SB_CTL, range.min, range.max, TRUE);
}

void ChannelPage::setEditQuietly(int id, const std::string& value) {
  const bool was = flags_.suppressEvents;
  flags_.suppressEvents = true;
  setText(id, value);
  flags_.suppressEvents = was;
}
