// Page 1 of the options dialog, "記録品質": the quality profiles. While the page is in use the
// preview runs with the format of the profile being edited; leaving it puts "ＴＶ" back.
#pragma once

#include <string>
#include <vector>

#include "options_page.h"
#include "recdesk/core/options_rules.h"

class TFormFRate;

class TabSheet2 : public OptionsPage {
 public:
  explicit TabSheet2(TForm3& dialog);

  void shown() override;
  void left() override;
  void beforeClose() override { renameCheck(true); }
  void engineReply(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void compressorNames(const std::vector<std::string>& names) override;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ComboBox1Click();
  void ComboBox1Enter();
  // The typed-over name taken as the new name of the profile, or refused: told at once when
  // ask holds, else once the dialog has gone.
  void renameCheck(bool ask);
  // A name the check refused, as the user is told.
  static const char* refusal(RenameCheck check);
  void Button14Click();
  void Button10Click();
  void Button13Click();
  void formatDone();
  void ComboBox2Click();
  void Button15Click();
  void Button24Click();

  // The engine sequences the page is made of.
  void profileSwitch(const std::string& name);
  void formatQueries();
  void profileObjects(const std::string& name);
  void previewBack();
  // The format dialog asked for (its end, with the frame rate after it, not yet taken) or done:
  // until then the page's controls are off, since each sends lines the end would undo.
  void setFormatPending(bool pending);

  std::vector<std::string> items() const;
  void selectItem(int index);
  int indexOf(const std::string& name) const;
  std::string profileExtension() const;

  std::string loaded_;       // the profile the engine has loaded for the page; the box may show another
  bool typedOver_ = false;  // the profile box's text was typed after its last selection
  bool renaming_ = false;   // the rename check runs (its message box may move the focus)
  // The engine's format dialog was asked for and its end not yet taken. That dialog does not
  // hold this one, so the page can be left (or the dialog closed) while it is open.
  bool formatPending_ = false;
  TFormFRate* frameRate_ = nullptr;  // the frame rate being asked after the format dialog
};
