// The TV view's "設定" (and Ctrl+E): the options dialog for one modal run.
#include "options_form.h"
#include "recdesk/core/options_rules.h"
#include "recdesk/core/rsv_time.h"
#include "recdesk/texts/options_texts.h"
#include "tv_view_form.h"
#include "winui/dialogs.h"

void TFormTVView::N6Click() {
  if (optionsDialog || !engine_ || !scheduler_) return;
  if (optionsRefused(isRecording(), scheduler_->state())) {
    winui::messageBox(handle(), texts::kOptionsRefused, MB_OK | MB_ICONWARNING);
    return;
  }
  const MainOptionsState main = owner_.optionsState();
  OptionsLinks links{*engine_, *this, main.timer, main.useVfw, main.driverChoice, folder_};
  // The flag and the reference go with the dialog, also when its run ends by an error.
  struct Opened {
    bool& flag;
    explicit Opened(bool& f) : flag(f) { flag = true; }
    ~Opened() {
      optionsDialog = nullptr;
      flag = false;
    }
  } opened(main.optionsOpen);
  TForm3 dialog(links);
  optionsDialog = &dialog;
  dialog.run();
  optionsDialog = nullptr;
  // A close that allowed no box (a reservation, the end of Windows) tells now what it dropped.
  if (!dialog.toldAfterClose().empty()) winui::messageBox(handle(), dialog.toldAfterClose(), MB_OK | MB_ICONWARNING);
}

void TFormTVView::closeOptions() {
  if (optionsDialog) optionsDialog->closeDialog();
}
