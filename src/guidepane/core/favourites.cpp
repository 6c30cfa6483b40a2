#include "favourites.h"

#include <algorithm>
#include <utility>

#include "../../common/fileio.h"

namespace guide {

namespace {

std::vector<uint8_t> asLines(const std::vector<std::string>& entries) {
  std::vector<uint8_t> out;
  for (const std::string& e : entries) {
    // A line end inside an entry would shift every later entry against its partner.
    for (char c : e) out.push_back(c == '\r' || c == '\n' ? ' ' : static_cast<uint8_t>(c));
    out.push_back('\r');
    out.push_back('\n');
  }
  return out;
}

// The lines of a file, a CR left inside one read as the blank the writer makes of it, so what
// was loaded is what a save writes and the entries keep their partners.
std::vector<std::string> entriesOf(const std::vector<uint8_t>& data) {
  std::vector<std::string> entries = tavora::splitLines(data);
  for (std::string& e : entries) std::replace(e.begin(), e.end(), '\r', ' ');
  return entries;
}

}  // namespace

void Favourites::load(const std::string& namesPath, const std::string& addressesPath) {
  names_.clear();
  addresses_.clear();
  hadEntries_ = false;
  auto files = tavora::readFilesReplaced({namesPath, addressesPath});
  if (!files[0] || !files[1]) return;
  names_ = entriesOf(*files[0]);
  addresses_ = entriesOf(*files[1]);
  const size_t n = std::max(names_.size(), addresses_.size());
  names_.resize(n);
  addresses_.resize(n);
  hadEntries_ = n > 0;
}

bool Favourites::save(const std::string& namesPath, const std::string& addressesPath) const {
  if (!hadEntries_) return true;
  return tavora::writeFilesReplacing({{namesPath, asLines(names_)}, {addressesPath, asLines(addresses_)}});
}

std::string Favourites::addressAt(int i) const { return valid(i) ? addresses_[i] : std::string(); }
std::string Favourites::nameAt(int i) const { return valid(i) ? names_[i] : std::string(); }

int Favourites::add(const std::string& name, const std::string& address) {
  names_.push_back(name);
  addresses_.push_back(address);
  hadEntries_ = true;
  return static_cast<int>(names_.size()) - 1;
}

void Favourites::remove(int i) {
  if (!valid(i)) return;
  names_.erase(names_.begin() + i);
  addresses_.erase(addresses_.begin() + i);
}

void Favourites::moveUp(int i) {
  if (!valid(i) || i == 0) return;
  std::swap(names_[i], names_[i - 1]);
  std::swap(addresses_[i], addresses_[i - 1]);
}

void Favourites::moveDown(int i) { moveUp(valid(i + 1) ? i + 1 : -1); }

FavouriteEdits Favourites::showValues(const std::string& shownAddress, const std::string& shownName) const {
  if (!shownAddress.empty()) return {shownName, shownAddress, -1};
  if (names_.empty()) return {};
  return {names_[0], addresses_[0], 0};
}

FavouriteButtons Favourites::buttons(int selected, bool nameEmpty, bool addressEmpty) const {
  if (!valid(selected)) return {!nameEmpty && !addressEmpty, false, false, false};
  return {true, true, selected > 0, static_cast<size_t>(selected) + 1 < names_.size()};
}

}  // namespace guide
