// Page 0 of the options dialog, "ビデオ／サウンド": the four picture bars, the sound line the
// view's volume controls, the capture driver, the capture file's preallocation and the
// no-preview-while-recording flag.
#pragma once

#include <array>

#include "options_page.h"

class TabSheet1 : public OptionsPage {
 public:
  explicit TabSheet1(TForm3& dialog);

  void shown() override;
  void engineReply(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void mixerLines(const std::vector<std::string>& names) override;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void barChanged(size_t bar);
  void Button4Click();
  void RadioGroup3Click(int selection);
  void CheckBox6Click();
  void Edit8Change();
  void CheckBox7Click();
  // The selection of RadioGroup3: 0 VfW, 1 WDM.
  int driverSelection() const;

  std::array<int, 4> positions_{};  // what each bar last showed, so a move sends only a change
};
