// The favourites dialog TForm2 under Wine: the list from both files, the buttons' enabling as
// the selection moves, a click selecting an edit's text, the main combo's names after each close
// (by "閉じる" and by the close box), an emptied list saved, and the two files kept as one set.
#include <gtest/gtest.h>

#include "../../common/failing_steps.h"
#include "forms_fixture.h"
#include "guidepane/core/favourites.h"
#include "guidepane/win/favourites_form.h"

namespace {

// What the dialog shows: address, name, the selected index and the buttons Add, Delete, Up, Down.
std::wstring shows(HWND w) {
  std::wstring s = textOf(GetDlgItem(w, TForm2::Edit1)) + L"," + textOf(GetDlgItem(w, TForm2::Edit2)) + L"," +
                   std::to_wstring(SendMessageW(GetDlgItem(w, TForm2::ListBox1), LB_GETCURSEL, 0, 0)) + L",";
  for (int id : {TForm2::Button2, TForm2::Button3, TForm2::Button4, TForm2::Button5})
    s += IsWindowEnabled(GetDlgItem(w, id)) ? L"ADUW"[id - TForm2::Button2] : L'-';
  return s;
}

void choose(HWND w, int index) {  // as a click on the entry does
  HWND list = GetDlgItem(w, TForm2::ListBox1);
  SendMessageW(list, LB_SETCURSEL, index, 0);
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(TForm2::ListBox1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
void press(HWND w, int id) { SendMessageW(GetDlgItem(w, id), BM_CLICK, 0, 0); }

TEST(FavouritesForm, EditsTheListAndHandsTheNamesOnAtEveryClose) {
  const std::wstring f = scratchFolder(L"favourites");
  writeText(f + L"favorite1.dat", "A\r\nB\r\nC\r\n");
  writeText(f + L"favorite2.dat", "a\r\nb\r\nc\r\n");
  std::vector<std::vector<std::string>> published;
  Log steps;
  {
    TForm2::ShownPage page;  // the main window's, asked for at each opening by its button
    TForm2 form(nullptr, cp932(f), [&](const std::vector<std::string>& names) { published.push_back(names); },
                [&] { return page; });
    EXPECT_EQ(textOf(form.handle()), L"お気に入りの操作");

    ModalScript::arm(L"TForm2", [&](HWND w) {
      steps.push_back(shows(w));
      choose(w, 2);
      steps.push_back(shows(w));
      press(w, TForm2::Button4);  // up: the selection stays where it was
      steps.push_back(shows(w));
      SendMessageW(GetDlgItem(w, TForm2::Edit1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendMessageW(GetDlgItem(w, TForm2::Edit1), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
      const LRESULT selection = SendMessageW(GetDlgItem(w, TForm2::Edit1), EM_GETSEL, 0, 0);
      steps.push_back(std::to_wstring(LOWORD(selection)) + L"-" + std::to_wstring(HIWORD(selection)));
      press(w, TForm2::Button1);
    });
    form.showModal();
    EXPECT_EQ(form.addressAt(1) + form.addressAt(3) + form.addressAt(-1), "c");

    ModalScript::arm(L"TForm2", [&](HWND w) {
      steps.push_back(shows(w));
      press(w, TForm2::Button2);
      steps.push_back(shows(w));
      PostMessageW(w, WM_CLOSE, 0, 0);  // the close box
    });
    page = {"http://x/", "X"};
    form.showModal();

    ModalScript::arm(L"TForm2", [&](HWND w) {
      for (int i = 0; i < 4; ++i) choose(w, 0), press(w, TForm2::Button3);
      SetWindowTextW(GetDlgItem(w, TForm2::Edit1), L"");
      steps.push_back(shows(w));
      press(w, TForm2::Button1);
    });
    form.open("", "");
  }
  EXPECT_EQ(steps, (Log{L"a,A,0,AD-W", L"c,C,2,ADU-", L"c,C,2,ADU-", L"0-1", L"http://x/,X,-1,A---",
                        L"http://x/,X,3,ADU-", L",X,-1,----"}));
  EXPECT_EQ(published, decltype(published)({{"A", "B", "C"}, {"A", "C", "B"}, {"A", "C", "B", "X"}, {}}));
  EXPECT_EQ(std::filesystem::file_size(f + L"favorite1.dat") + std::filesystem::file_size(f + L"favorite2.dat"), 0u);
}

}  // namespace

// The two files are one set on Windows too: a failure at any step of the save leaves both old.
TEST(FavouritesForm, TheTwoFilesAreNeverHalfWritten) {
  const std::string f = cp932(scratchFolder(L"favourites_set"));
  guide::Favourites favourites;
  favourites.add("Weather", "http://127.0.0.1/b");
  failing_steps::expectNeverHalfWritten({{f + "favorite1.dat", {'N', '\r', '\n'}}, {f + "favorite2.dat", {'a', '\r', '\n'}}},
                                        [&] { return !favourites.save(f + "favorite1.dat", f + "favorite2.dat"); }, true);
}
