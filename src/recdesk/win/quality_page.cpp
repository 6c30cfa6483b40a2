#include "quality_page.h"

#include <algorithm>

#include "common/messages.h"
#include "frame_rate_form.h"
#include "options_form.h"
#include "page_layout.h"
#include "recdesk/core/ds_control.h"
#include "recdesk/core/options_rules.h"
#include "recdesk/texts/options_texts.h"
#include "tv_view_form.h"
#include "winui/dialogs.h"
#include "winui/guard.h"
#include "winui/text.h"

namespace {

enum Id {
  ComboBox1 = 1, Button14, Button10, Button13, ComboBox2, Button15, Button24,
  Label13 = 20, Label16, Label10, Label35,
  kLabels = 40
};

// An item of a combo box's list, as Shift-JIS.
std::string itemText(HWND box, int index) {
  const int length = static_cast<int>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0));
  if (length <= 0) return "";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return winui::narrow(text);
}

}  // namespace

std::unique_ptr<OptionsPage> makeQualityPage(TForm3& dialog) { return std::make_unique<TabSheet2>(dialog); }

TabSheet2::TabSheet2(TForm3& dialog) : OptionsPage(dialog, L"TForm3TabSheet2") {
  int label = kLabels;
  addControl(winui::Control::label, label++, texts::kQualityList, RECT{12, 10, 200, 18});
  // The list is editable: typing over the text renames the selected profile.
  CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                  12, 28, 220, 200, handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ComboBox1)),
                  GetModuleHandleW(nullptr), nullptr);
  addControl(winui::Control::button, Button14, texts::kQualityAdd, RECT{242, 27, 70, 25});
  addControl(winui::Control::button, Button10, texts::kQualityDelete, RECT{318, 27, 70, 25});

  addControl(winui::Control::button, label++, texts::kQualityFormatGroup, RECT{12, 64, 404, 84}, BS_GROUPBOX);
  addControl(winui::Control::label, label++, texts::kQualityWidth, RECT{24, 88, 36, 18});
  addControl(winui::Control::label, Label13, "", RECT{60, 88, 40, 18}, SS_RIGHT);
  addControl(winui::Control::label, label++, texts::kQualityPixels, RECT{104, 88, 64, 18});
  addControl(winui::Control::label, label++, texts::kQualityHeight, RECT{24, 114, 36, 18});
  addControl(winui::Control::label, Label16, "", RECT{60, 114, 40, 18}, SS_RIGHT);
  addControl(winui::Control::label, label++, texts::kQualityPixels, RECT{104, 114, 64, 18});
  addControl(winui::Control::label, label++, texts::kQualityFrameRate, RECT{170, 88, 112, 18});
  addControl(winui::Control::label, Label10, "", RECT{282, 88, 38, 18}, SS_RIGHT);
  addControl(winui::Control::label, label++, texts::kQualityFramesPerSecond, RECT{322, 88, 92, 18});
  addControl(winui::Control::button, Button13, texts::kQualityFormatChange, RECT{270, 110, 136, 25});

  addControl(winui::Control::button, label++, texts::kQualityCompressGroup, RECT{12, 156, 404, 60}, BS_GROUPBOX);
  addControl(winui::Control::comboBox, ComboBox2, "", RECT{24, 180, 236, 200});
  addControl(winui::Control::button, Button15, texts::kQualityCompressSettings, RECT{270, 179, 136, 25});

  addControl(winui::Control::button, label++, texts::kQualityAudioGroup, RECT{12, 224, 404, 60}, BS_GROUPBOX);
  addControl(winui::Control::label, Label35, "", RECT{24, 251, 236, 18});
  addControl(winui::Control::button, Button24, texts::kQualityAudioChoose, RECT{270, 247, 136, 25});

  onClick(Button14, [this] { Button14Click(); });
  onClick(Button10, [this] { Button10Click(); });
  onClick(Button13, [this] { Button13Click(); });
  onChange(ComboBox2, [this] { ComboBox2Click(); });
  onClick(Button15, [this] { Button15Click(); });
  onClick(Button24, [this] { Button24Click(); });
}

LRESULT TabSheet2::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Every control of the page sends lines: none acts before the format dialog's end.
  if (msg == WM_COMMAND && lParam != 0 && formatPending_) return 0;
  if (msg == WM_COMMAND && LOWORD(wParam) == ComboBox1 && lParam != 0) {
    winui::guardedCall([&] {
      switch (HIWORD(wParam)) {
        case CBN_SELCHANGE: ComboBox1Click(); break;
        case CBN_EDITCHANGE: typedOver_ = true; break;
        case CBN_SETFOCUS: ComboBox1Enter(); break;
        case CBN_DROPDOWN:
        case CBN_KILLFOCUS: renameCheck(true); break;
      }
    });
    return 0;
  }
  return OptionsPage::handleMessage(msg, wParam, lParam);
}

// ---- the list ----

std::vector<std::string> TabSheet2::items() const {
  std::vector<std::string> out;
  HWND box = control(ComboBox1);
  const int n = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) out.push_back(itemText(box, i));
  return out;
}

int TabSheet2::indexOf(const std::string& name) const {
  const std::vector<std::string> all = items();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i] == name) return static_cast<int>(i);
  return -1;
}

void TabSheet2::selectItem(int index) {
  setComboIndex(ComboBox1, index);
  typedOver_ = false;
}

std::string TabSheet2::profileExtension() const { return dialog_.links().useVfw ? ".video" : ".video2"; }

// ---- the engine sequences ----

void TabSheet2::profileSwitch(const std::string& name) {
  dsControl& engine = dialog_.engine();
  engine.execOneLine("cVCap saveFormat");
  engine.execOneLine("mix getSysVolMute");
  engine.setMute(true);
  engine.execOneLine("clean filterSet");
  engine.execOneLine("tune nukeWithoutNeeds cFg");
  engine.execCmdFile("preView2a.cmd");
  engine.execOneLine("cVCap loadFormat " + quoted(name));
  engine.sendPanelNumbers();
  engine.execOneLine("cCapBuild setViewWin form width height");
  engine.execCmdFile("preView2b.cmd");
  engine.restoreSysVolMute();
  engine.execOneLine("tune setCh");
}

void TabSheet2::formatQueries() {
  dsControl& engine = dialog_.engine();
  engine.execOneLine("cVCap getVideoSize");
  engine.execOneLine("cVCap getFrameRate");
  engine.execOneLine("label compSetStart");
}

void TabSheet2::profileObjects(const std::string& name) {
  dsControl& engine = dialog_.engine();
  engine.execOneLine("new Compress cComp");
  engine.execOneLine("cComp create " + quoted(name));
  engine.execOneLine("cComp enumCompNames");
  engine.execOneLine("new ACapSorce cACap");
  engine.execOneLine("cACap create " + quoted(name));
  engine.execOneLine("cACap getWFormat");
}

// ---- the page ----

void TabSheet2::shown() {
  // The profiles on disk, by the extension of the device kind in use.
  std::vector<std::string> names = optionspage::listProfiles(dialog_.links().folder, dialog_.links().useVfw);
  // The built-in's files under another case of its name are its own: listed by its name, once.
  for (std::string& name : names)
    if (sameFileName(name, texts::kBuiltInProfile)) name = texts::kBuiltInProfile;
  if (std::find(names.begin(), names.end(), texts::kBuiltInProfile) == names.end())
    names.push_back(texts::kBuiltInProfile);
  setComboItems(ComboBox1, names);
  selectItem(indexOf(texts::kBuiltInProfile));
  loaded_ = texts::kBuiltInProfile;
  formatQueries();
  profileObjects(texts::kBuiltInProfile);
}

void TabSheet2::left() {
  // A name typed and not yet taken: the close by the recorder itself allows no box.
  renameCheck(!dialog_.closed());
  if (dialog_.closed() && !dialog_.isOpen()) return;  // closed during the check's box
  if (formatPending_) {
    // The format dialog's end will not be taken any more: the preview and the sound come back
    // now, before the page's own leave.
    setFormatPending(false);
    if (frameRate_) frameRate_->endModal(2);
    previewBack();
  }
  // By the profile loaded: a name typed over it and not yet taken is not one.
  if (loaded_ != texts::kBuiltInProfile) {
    loaded_ = texts::kBuiltInProfile;
    profileSwitch(texts::kBuiltInProfile);
    return;
  }
  dialog_.engine().execOneLine("clean compSetStart");
}

void TabSheet2::ComboBox1Click() {
  typedOver_ = false;
  const int index = comboIndex(ComboBox1);
  if (index < 0) return;
  dialog_.profileIndexOnEnter = index;
  setComboIndex(ComboBox2, -1);
  const std::string name = items()[static_cast<size_t>(index)];
  loaded_ = name;
  profileSwitch(name);
  formatQueries();
  profileObjects(name);
}

void TabSheet2::ComboBox1Enter() { dialog_.profileIndexOnEnter = comboIndex(ComboBox1); }

const char* TabSheet2::refusal(RenameCheck check) {
  switch (check) {
    case RenameCheck::builtIn: return texts::kQualityRenameBuiltIn;
    case RenameCheck::taken: return texts::kQualityRenameTaken;
    case RenameCheck::badCharacter: return texts::kQualityRenameBadCharacter;
    case RenameCheck::badName: return texts::kQualityRenameBadName;
    default: return nullptr;
  }
}

void TabSheet2::renameCheck(bool ask) {
  // Once the dialog has closed the name was taken up by the leave step, or is too late.
  if (!dialog_.isOpen()) return;
  const int index = dialog_.profileIndexOnEnter;
  if (renaming_ || index < 0 || (!typedOver_ && comboIndex(ComboBox1) >= 0)) return;
  const std::vector<std::string> all = items();
  if (static_cast<size_t>(index) >= all.size()) return;
  const std::string old = all[static_cast<size_t>(index)];
  const std::string name = text(ComboBox1);
  if (name == old) return selectItem(index);
  const std::string& folder = dialog_.links().folder;
  const RenameCheck check = checkRename(all, index, name, optionspage::profileFileNames(folder), folder);
  if (check != RenameCheck::ok) {
    // The old name comes back before anything is told or touched.
    selectItem(index);
    const char* why = refusal(check);
    if (why && !ask) dialog_.tellAfterClose(why);
    if (why && ask) {
      renaming_ = true;
      winui::messageBox(dialog_.handle(), why, MB_OK | MB_ICONWARNING);
      renaming_ = false;
    }
    return;
  }
  dsControl& engine = dialog_.engine();
  // The old files go in queue order: lines queued before may still load them.
  std::vector<std::wstring> files;
  for (const std::string& extension : {profileExtension(), std::string(".audio"), std::string(".vCompress")})
    files.push_back(winui::widen(folder + old + extension));
  engine.afterQueued([files] {
    for (const std::wstring& file : files) DeleteFileW(file.c_str());
  });
  HWND box = control(ComboBox1);
  SendMessageW(box, CB_DELETESTRING, index, 0);
  SendMessageW(box, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(winui::widen(name).c_str()));
  selectItem(index);
  loaded_ = name;
  engine.execOneLine("cVCap loadFormat " + quoted(name));
  engine.execOneLine("cACap audioQualityName " + quoted(name));
  engine.execOneLine("cComp compQualityName " + quoted(name));
}

void TabSheet2::Button14Click() {
  // Not a name whose files exist, of either driver: the new profile would load and overwrite them.
  std::vector<std::string> taken = items();
  for (std::string& file : optionspage::profileFileNames(dialog_.links().folder)) taken.push_back(std::move(file));
  const std::string name = newProfileName(taken);
  // In a folder this deep its files could not be made.
  if (const char* why = refusal(profileNameCheck(name, dialog_.links().folder))) {
    winui::messageBox(dialog_.handle(), why, MB_OK | MB_ICONWARNING);
    return;
  }
  HWND box = control(ComboBox1);
  SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(winui::widen(name).c_str()));
  selectItem(indexOf(name));
  SetFocus(box);
  dialog_.profileIndexOnEnter = comboIndex(ComboBox1);
  SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  loaded_ = name;
  dsControl& engine = dialog_.engine();
  engine.execOneLine("cVCap saveFormat");
  engine.execOneLine("clean compSetStart");
  engine.execOneLine("cVCap loadFormat " + quoted(name));
  profileObjects(name);
}

void TabSheet2::Button10Click() {
  const std::string name = text(ComboBox1);
  if (name == texts::kBuiltInProfile) {
    winui::messageBox(dialog_.handle(), texts::kQualityCannotDeleteTv, MB_OK | MB_ICONWARNING);
    return;
  }
  HWND box = control(ComboBox1);
  for (int i = indexOf(name); i >= 0; i = indexOf(name)) SendMessageW(box, CB_DELETESTRING, i, 0);
  if (indexOf(texts::kBuiltInProfile) < 0)
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(winui::widen(texts::kBuiltInProfile).c_str()));
  selectItem(indexOf(texts::kBuiltInProfile));
  ComboBox1Click();
  dsControl& engine = dialog_.engine();
  engine.execOneLine("cVCap deleteVideo " + quoted(name));
  engine.execOneLine("cACap deleteAudio " + quoted(name));
  engine.execOneLine("cComp deleteComp " + quoted(name));
}

void TabSheet2::Button13Click() {
  dsControl& engine = dialog_.engine();
  engine.execOneLine("mix getSysVolMute");
  engine.setMute(true);
  engine.execOneLine("clean filterSet");
  engine.execOneLine("tune nukeWithoutNeeds cFg");
  engine.execCmdFile("preView2a.cmd");
  engine.execOneLine("cVCap loadFormat " + quoted(loaded_));
  engine.sendPanelNumbers();
  engine.execOneLine("cCapBuild setViewWin form width height");
  engine.addDWORD("form", dialog_.links().view.viewWindow());
  engine.execOneLine("cVCap videoDialog Format form");
  setFormatPending(true);
}

void TabSheet2::setFormatPending(bool pending) {
  formatPending_ = pending;
  const HWND focus = GetFocus();
  for (int id = ComboBox1; id <= Button24; ++id) {
    // The focus leaves a control going off (the format button itself): keys must reach the dialog.
    if (pending && (focus == control(id) || IsChild(control(id), focus))) SetFocus(dialog_.pageControl().handle());
    setEnabled(id, !pending);
  }
}

void TabSheet2::formatDone() {
  if (!formatPending_) return;
  const OptionsLinks& links = dialog_.links();
  if (links.useVfw) {
    TFormFRate rate(dialog_.handle(), links.engine, [this] { return text(Label10); }, links.view.alwaysOnTop());
    frameRate_ = &rate;
    rate.run();
    frameRate_ = nullptr;
    // Left or closed while the rate was asked: that leave brought the preview back already.
    if (!formatPending_ || !dialog_.isOpen()) return;
  }
  setFormatPending(false);
  previewBack();
}

// The end of a format change: the preview and the sound back, the profile's objects anew.
void TabSheet2::previewBack() {
  dsControl& engine = dialog_.engine();
  engine.execCmdFile("preView2b.cmd");
  engine.restoreSysVolMute();
  formatQueries();
  profileObjects(loaded_);
  engine.execOneLine("tune setCh");
}

void TabSheet2::engineReply(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case tvr::TVR_VIDEOSIZE:
      setText(Label13, std::to_string(static_cast<uint32_t>(wParam)));
      setText(Label16, std::to_string(static_cast<int32_t>(lParam)));  // negative: a top-down picture
      break;
    case tvr::TVR_FRAMERATE:
      setText(Label10, frameRateText(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam)));
      break;
    case tvr::TVR_AUDIOFORMAT:
      setText(Label35, audioFormatText(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam)));
      break;
    case tvr::TVR_COMPINDEX:
      setComboIndex(ComboBox2, static_cast<int>(static_cast<int32_t>(wParam)));
      break;
    case tvr::TVR_FORMATDONE:
      formatDone();
      break;
  }
}

void TabSheet2::compressorNames(const std::vector<std::string>& names) { setComboItems(ComboBox2, names); }

void TabSheet2::ComboBox2Click() {
  const int index = comboIndex(ComboBox2);
  if (index < 0) return;
  // The compressor chosen, by its own name.
  dialog_.engine().execOneLine("cComp setCompKind " + quoted(itemText(control(ComboBox2), index)));
}

void TabSheet2::Button15Click() {
  if (comboIndex(ComboBox2) < 0) return;
  dialog_.engine().addDWORD("form", static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dialog_.handle())));
  dialog_.engine().execOneLine("cComp compDialog form");
}

void TabSheet2::Button24Click() {
  dialog_.engine().addDWORD("form", static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dialog_.handle())));
  dialog_.engine().execOneLine("cACap audioDialog form");
}
