// The favourite pages: names in favorite1.dat and addresses in favorite2.dat, one a line,
// parallel by index.
#pragma once

#include <string>
#include <vector>

namespace guide {

struct FavouriteEdits {
  std::string name;
  std::string address;
  int selected = -1;
};

struct FavouriteButtons {
  bool add = false, remove = false, up = false, down = false;
};

class Favourites {
 public:
  // Both files or nothing; lists of different lengths are evened out with empty entries, so a
  // name never lacks its address.
  void load(const std::string& namesPath, const std::string& addressesPath);
  // Writes both files once the list has held an entry (so deleting every entry is kept too);
  // a list never filled leaves the files alone. Neither file is replaced unless both were written.
  bool save(const std::string& namesPath, const std::string& addressesPath) const;

  size_t size() const { return names_.size(); }
  const std::vector<std::string>& names() const { return names_; }
  // The address of entry i; empty for an index outside the list.
  std::string addressAt(int i) const;
  std::string nameAt(int i) const;

  // Appends the entry and returns its index.
  int add(const std::string& name, const std::string& address);
  void remove(int i);
  // Exchange entry i with the one before / after it; nothing at either end.
  void moveUp(int i);
  void moveDown(int i);

  // What the dialog shows when it opens: the main window's page when it has an address, else
  // the first entry.
  FavouriteEdits showValues(const std::string& shownAddress, const std::string& shownName) const;
  // The buttons' states for the selected entry (-1 none) and the edits' contents.
  FavouriteButtons buttons(int selected, bool nameEmpty, bool addressEmpty) const;

 private:
  bool valid(int i) const { return i >= 0 && static_cast<size_t>(i) < names_.size(); }
  std::vector<std::string> names_;
  std::vector<std::string> addresses_;
  bool hadEntries_ = false;
};

}  // namespace guide
