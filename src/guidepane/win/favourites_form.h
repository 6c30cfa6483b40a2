// TForm2 "お気に入りの操作": edits the favourite pages (names in favorite1.dat, addresses in
// favorite2.dat). The main window's favourites combo gets the names through a callback, at
// construction and on every close of the dialog, however it is closed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "guidepane/core/favourites.h"
#include "guidepane/win/form_ports.h"
#include "winui/form.h"

class TForm2 : public winui::Form, public guide::FavouritesPort {
 public:
  enum Control : int { Edit1 = 101, Edit2, ListBox1, Button1 = 111, Button2, Button3, Button4, Button5 };

  using NamesChanged = std::function<void(const std::vector<std::string>& names)>;
  struct ShownPage {
    std::string address, name;
  };
  using PageSource = std::function<ShownPage()>;

  // Loads the lists from programFolder (ending with '\') and hands the names to namesChanged.
  // shownPage tells the main window's address text and the shown page's name when it opens.
  TForm2(HWND owner, std::string programFolder, NamesChanged namesChanged, PageSource shownPage = {});
  // Saves the lists (FormDestroy).
  ~TForm2() override;

  // Shows the dialog modally: shownAddress is the main window's address text, shownName the
  // shown page's name. Every way of closing hands the names to the callback.
  void open(const std::string& shownAddress, const std::string& shownName);
  // The same, with the page that shownPage tells (the main window's favourites button).
  void showModal() override;

  // The address of the entry the main combo's index names; empty for an index outside the list.
  std::string addressAt(int index) const override { return list_.addressAt(index); }
  const std::vector<std::string>& names() const { return list_.names(); }
  // Writes both files (also at log-off); false when they could not be written.
  bool save() const;

  void FormShow(const std::string& shownAddress, const std::string& shownName);
  void ListBox1Click();
  void Button1Click();  // "閉じる"
  void Button2Click();  // "このアドレスを追加"
  void Button3Click();  // "削除"
  void Button4Click();  // "上へ"
  void Button5Click();  // "下へ"
  void Edit1Click();    // also Edit2's
  void updateButtons();

 private:
  void fillList(int selected);
  int selected() const;

  std::string folder_;
  NamesChanged namesChanged_;
  PageSource shownPage_;
  guide::Favourites list_;
};
