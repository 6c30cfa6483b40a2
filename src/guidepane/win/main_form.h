// TForm1: the guide browser's main window. It owns the settings for the whole run, carries the
// tool bar, the address and favourites bars and the offline navigator, and routes every
// navigation of the browser through the program capture.
#pragma once

#include <memory>
#include <string>

#include "form_ports.h"
#include "guidepane/core/def_file.h"
#include "winui/form.h"

class TForm1 : public winui::Form {
 public:
  // programFolder: where guidepane.dat and prgTable lie, with its trailing backslash.
  explicit TForm1(const std::string& programFolder);
  ~TForm1() override;

  // The forms built after this one.
  void attachReservationCheck(guide::ReservationCheckPort* check) { reservationCheck_ = check; }
  void attachFavourites(guide::FavouritesPort* favourites) { favourites_ = favourites; }
  void attachDownload(guide::DownloadPort* download) { download_ = download; }

  defFile& settings() { return *settings_; }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool FormCloseQuery();
  void FormDestroy();

  std::string folder_;
  std::unique_ptr<defFile> settings_;
  guide::ReservationCheckPort* reservationCheck_ = nullptr;
  guide::FavouritesPort* favourites_ = nullptr;
  guide::DownloadPort* download_ = nullptr;
};
