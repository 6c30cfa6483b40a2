#include "favourites_form.h"

#include <commctrl.h>

#include <utility>

#include "guidepane/texts/favourites_texts.h"
#include "winui/guard.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

winui::Form::Options options(HWND owner) {
  winui::Form::Options o;
  o.className = L"TForm2";
  o.caption = texts::kFavouritesCaption;
  o.style = kStyle;
  o.exStyle = kExStyle;
  o.parent = owner;
  o.bounds = winui::Form::centredBounds(448, 300, kStyle, kExStyle);
  o.messageFont = true;
  return o;
}

// A click into either edit selects its whole text, as the framework's click event lets us.
LRESULT CALLBACK editProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR form) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(edit, editProc, id);
  const LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
  if (msg == WM_LBUTTONUP) winui::guardedCall([&] { reinterpret_cast<TForm2*>(form)->Edit1Click(); });
  return result;
}

}  // namespace

TForm2::TForm2(HWND owner, std::string programFolder, NamesChanged namesChanged, PageSource shownPage)
    : Form(options(owner)),
      folder_(std::move(programFolder)),
      namesChanged_(std::move(namesChanged)),
      shownPage_(std::move(shownPage)) {
  addControl(winui::Control::label, -1, texts::kFavouriteNameLabel, {8, 8, 200, 18});
  addControl(winui::Control::edit, Edit2, "", {8, 26, 304, 22});
  addControl(winui::Control::label, -1, texts::kFavouriteAddressLabel, {8, 56, 200, 18});
  addControl(winui::Control::edit, Edit1, "", {8, 74, 304, 22});
  addControl(winui::Control::label, -1, texts::kFavouriteListLabel, {8, 104, 200, 18});
  addControl(winui::Control::listBox, ListBox1, "", {8, 122, 304, 170});
  addControl(winui::Control::button, Button2, texts::kFavouriteAdd, {320, 72, 120, 28});
  addControl(winui::Control::button, Button3, texts::kFavouriteDelete, {320, 122, 120, 28});
  addControl(winui::Control::button, Button4, texts::kFavouriteUp, {320, 156, 120, 28});
  addControl(winui::Control::button, Button5, texts::kFavouriteDown, {320, 190, 120, 28});
  addControl(winui::Control::button, Button1, texts::kFavouriteClose, {320, 264, 120, 28});
  for (int id : {Edit1, Edit2}) SetWindowSubclass(control(id), editProc, 1, reinterpret_cast<DWORD_PTR>(this));
  onClick(Button1, [this] { Button1Click(); });
  onClick(Button2, [this] { Button2Click(); });
  onClick(Button3, [this] { Button3Click(); });
  onClick(Button4, [this] { Button4Click(); });
  onClick(Button5, [this] { Button5Click(); });
  onChange(ListBox1, [this] { ListBox1Click(); });
  onChange(Edit1, [this] { updateButtons(); });
  onChange(Edit2, [this] { updateButtons(); });

  list_.load(folder_ + "favorite1.dat", folder_ + "favorite2.dat");
  if (namesChanged_) namesChanged_(list_.names());
}

TForm2::~TForm2() { save(); }

bool TForm2::save() const { return list_.save(folder_ + "favorite1.dat", folder_ + "favorite2.dat"); }

void TForm2::open(const std::string& shownAddress, const std::string& shownName) {
  if (inModal()) return;
  FormShow(shownAddress, shownName);
  Form::showModal();
  // However it was closed, the main window's combo shows the list as it is now.
  if (namesChanged_) namesChanged_(list_.names());
}

void TForm2::showModal() {
  const ShownPage page = shownPage_ ? shownPage_() : ShownPage{};
  open(page.address, page.name);
}

void TForm2::FormShow(const std::string& shownAddress, const std::string& shownName) {
  const guide::FavouriteEdits shown = list_.showValues(shownAddress, shownName);
  setText(Edit1, shown.address);
  setText(Edit2, shown.name);
  fillList(shown.selected);
  updateButtons();
}

int TForm2::selected() const { return listIndex(ListBox1); }

void TForm2::fillList(int selected) {
  setListItems(ListBox1, list_.names());
  setListIndex(ListBox1, selected);
}

void TForm2::ListBox1Click() {
  const int i = selected();
  setText(Edit1, list_.addressAt(i));
  setText(Edit2, list_.nameAt(i));
  updateButtons();
}

void TForm2::Button1Click() { endModal(IDOK); }

void TForm2::Button2Click() {
  fillList(list_.add(text(Edit2), text(Edit1)));
  updateButtons();
}

void TForm2::Button3Click() {
  list_.remove(selected());
  fillList(-1);
  updateButtons();
}

void TForm2::Button4Click() {
  const int i = selected();
  list_.moveUp(i);
  fillList(i);
  updateButtons();
}

void TForm2::Button5Click() {
  const int i = selected();
  list_.moveDown(i);
  fillList(i);
  updateButtons();
}

void TForm2::Edit1Click() {
  HWND focused = GetFocus();
  if (focused == control(Edit1) || focused == control(Edit2)) SendMessageW(focused, EM_SETSEL, 0, -1);
}

void TForm2::updateButtons() {
  const guide::FavouriteButtons b = list_.buttons(selected(), text(Edit2).empty(), text(Edit1).empty());
  setEnabled(Button2, b.add);
  setEnabled(Button3, b.remove);
  setEnabled(Button4, b.up);
  setEnabled(Button5, b.down);
}
