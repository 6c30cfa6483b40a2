// What the main window asks of the forms built after it: the reservation check, the favourites
// and the table download. Each form attaches itself once it is built; until then the main window
// goes without (no download dialog yet: its button opens nothing and no download runs).
#pragma once

#include <string>

#include "guidepane/core/program_link.h"

namespace guide {

class ReservationCheckPort {
 public:
  virtual ~ReservationCheckPort() = default;
  // True until the channel table was read; no reservation can be made then.
  virtual bool noChannelTable() const = 0;
  // Every field of the check from one capture; the station goes through selectStation.
  virtual void fill(const ProgramFields& fields) = 0;
  // Shows the check modally; returns when it closes.
  virtual void showModal() = 0;
};

class FavouritesPort {
 public:
  virtual ~FavouritesPort() = default;
  // The address of the entry at this index of the favourites combo; empty outside the list.
  virtual std::string addressAt(int index) const = 0;
  // Modally, offering the main window's shown page; the names come back through the main
  // window's setFavouriteNames at every close.
  virtual void showModal() = 0;
  virtual bool save() const = 0;  // at log-off
};

class DownloadPort {
 public:
  virtual ~DownloadPort() = default;
  virtual bool downloading() const = 0;
  virtual void show() = 0;  // not modal
  // Its base address and check box into the main window's settings: at close and at log-off.
  virtual void storeSettings() = 0;
};

}  // namespace guide
