// The favourites dialog TForm2 under Wine: the list from both files, the buttons' enabling as
// the selection moves, a click selecting an edit's text, the main combo's names after each close
// (by "閉じる" and by the close box), and an emptied list saved.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "forms_fixture.h"
#include "guidepane/win/favourites_form.h"
#include "winui/text.h"

namespace {

using Log = std::vector<std::wstring>;

std::wstring buttons(HWND w) {
  std::wstring states;
  for (auto [id, letter] : {std::pair{TForm2::Button2, L'A'}, {TForm2::Button3, L'D'}, {TForm2::Button4, L'U'},
                            {TForm2::Button5, L'W'}})
    states += IsWindowEnabled(GetDlgItem(w, id)) ? letter : L'-';
  return states;
}

// What the dialog shows: address, name, the selected index and the buttons.
std::wstring shows(HWND w) {
  return textOf(GetDlgItem(w, TForm2::Edit1)) + L"," + textOf(GetDlgItem(w, TForm2::Edit2)) + L"," +
         std::to_wstring(SendMessageW(GetDlgItem(w, TForm2::ListBox1), LB_GETCURSEL, 0, 0)) + L"," + buttons(w);
}

void choose(HWND w, int index) {
  HWND list = GetDlgItem(w, TForm2::ListBox1);
  SendMessageW(list, LB_SETCURSEL, index, 0);
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(TForm2::ListBox1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
void press(HWND w, int id) { SendMessageW(GetDlgItem(w, id), BM_CLICK, 0, 0); }

std::string fileText(const std::wstring& path) {
  const auto data = tavora::readWholeFile(cp932(path)).value_or(std::vector<uint8_t>{});
  return {data.begin(), data.end()};
}

TEST(FavouritesForm, EditsTheListAndHandsTheNamesOnAtEveryClose) {
  const std::wstring f = scratchFolder(L"favourites");
  writeBytes(f + L"favorite1.dat", {'A', '\r', '\n', 'B', '\r', '\n', 'C', '\r', '\n'});
  writeBytes(f + L"favorite2.dat", {'a', '\r', '\n', 'b', '\r', '\n', 'c', '\r', '\n'});
  std::vector<std::string> published;
  Log steps;
  {
    TForm2 form(nullptr, cp932(f), [&](const std::vector<std::string>& names) {
      std::string joined;
      for (const std::string& n : names) joined += n + "|";
      published.push_back(joined);
    });
    EXPECT_EQ(textOf(form.handle()), L"お気に入りの操作");

    ModalScript::arm(L"TForm2", [&](HWND w) {
      steps.push_back(shows(w));
      choose(w, 2);
      steps.push_back(shows(w));
      press(w, TForm2::Button4);  // up: the selection stays where it was
      steps.push_back(shows(w));
      SendMessageW(GetDlgItem(w, TForm2::Edit1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendMessageW(GetDlgItem(w, TForm2::Edit1), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
      DWORD from = 9, to = 9;
      SendMessageW(GetDlgItem(w, TForm2::Edit1), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                   reinterpret_cast<LPARAM>(&to));
      steps.push_back(std::to_wstring(from) + L"-" + std::to_wstring(to));
      press(w, TForm2::Button1);
    });
    form.open("", "");
    EXPECT_EQ(form.addressAt(1) + form.addressAt(3) + form.addressAt(-1), "c");

    ModalScript::arm(L"TForm2", [&](HWND w) {
      steps.push_back(shows(w));
      press(w, TForm2::Button2);
      steps.push_back(shows(w));
      PostMessageW(w, WM_CLOSE, 0, 0);  // the close box
    });
    form.open("http://x/", "X");

    ModalScript::arm(L"TForm2", [&](HWND w) {
      for (int i = 0; i < 4; ++i) {
        choose(w, 0);
        press(w, TForm2::Button3);
      }
      SetWindowTextW(GetDlgItem(w, TForm2::Edit1), L"");
      steps.push_back(shows(w));
      press(w, TForm2::Button1);
    });
    form.open("", "");
  }
  EXPECT_EQ(steps, (Log{L"a,A,0,AD-W", L"c,C,2,ADU-", L"c,C,2,ADU-", L"0-1", L"http://x/,X,-1,A---",
                        L"http://x/,X,3,ADU-", L",X,-1,----"}));
  EXPECT_EQ(published, (std::vector<std::string>{"A|B|C|", "A|C|B|", "A|C|B|X|", ""}));
  EXPECT_EQ(fileText(f + L"favorite1.dat") + fileText(f + L"favorite2.dat"), "");
}

}  // namespace
