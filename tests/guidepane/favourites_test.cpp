// Favourites: the two parallel files, the list's edits and the dialog's buttons.
#include "guidepane/core/favourites.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "recdesk/temp_dir.h"

namespace {

using guide::Favourites;

struct FavouriteFiles : ::testing::Test {
  TempDir dir;
  const std::string names = dir.file("favorite1.dat"), addresses = dir.file("favorite2.dat");
  void write(const std::string& path, const std::string& text) {
    ASSERT_TRUE(tavora::writeFileReplacing(path, {text.begin(), text.end()}));
  }
  std::string read(const std::string& path) {
    const auto data = tavora::readWholeFile(path).value_or(std::vector<uint8_t>{});
    return {data.begin(), data.end()};
  }
};

TEST_F(FavouriteFiles, EditsMoveNameAndAddressTogetherAndAnEmptyListKeepsTheFiles) {
  write(names, "only one file\r\n");
  Favourites f;
  f.load(names, addresses);
  EXPECT_EQ(f.size(), 0u);
  f.add("A", "a");
  f.add("B", "b");
  f.add("", "");
  f.add("C\r\nD", "c");
  for (int up : {2, 3, 0}) f.moveUp(up);   // [A, "", C D, B]
  for (int down : {1, 3}) f.moveDown(down);  // [A, C D, "", B]
  f.remove(0);
  f.remove(7);
  ASSERT_TRUE(f.save(names, addresses));
  EXPECT_EQ(read(names), "C  D\r\n\r\nB\r\n");
  EXPECT_EQ(read(addresses), "c\r\n\r\nb\r\n");

  Favourites back;
  back.load(names, addresses);
  EXPECT_EQ(back.names(), (std::vector<std::string>{"C  D", "", "B"}));
  EXPECT_EQ(back.addressAt(2), "b");
  while (back.size()) back.remove(0);
  EXPECT_TRUE(back.save(names, addresses));
  EXPECT_EQ(read(names) + read(addresses), "");  // deleting every entry is kept too

  Favourites untouched;  // a list that was never filled leaves the files alone
  write(names, "N\r\n");
  EXPECT_TRUE(untouched.save(names, addresses));
  EXPECT_EQ(read(names), "N\r\n");
}

TEST_F(FavouriteFiles, AFailedWriteReplacesNeitherFile) {
  write(names, "old\r\n");
  write(addresses, "http://old/\r\n");
  std::filesystem::create_directory(tavora::temporaryFileOf(addresses));  // the addresses cannot be written
  Favourites f;
  f.add("new", "http://new/");
  EXPECT_FALSE(f.save(names, addresses));
  EXPECT_EQ(read(names) + read(addresses), "old\r\nhttp://old/\r\n");
}

TEST_F(FavouriteFiles, ListsOfDifferentLengthsNeverReadPastTheAddresses) {
  write(names, "A\r\nB\r\nC\r\n");
  write(addresses, "a\r\n");
  Favourites f;
  f.load(names, addresses);
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f.addressAt(0) + "|" + f.addressAt(2) + "|" + f.addressAt(3) + "|" + f.addressAt(-1), "a|||");
  f.moveUp(2);
  EXPECT_EQ(f.nameAt(1), "C");
  const guide::FavouriteEdits first = f.showValues("", "");
  EXPECT_EQ(first.name + first.address + std::to_string(first.selected), "Aa0");
  const guide::FavouriteEdits shown = f.showValues("http://x/", "X");
  EXPECT_EQ(shown.name + shown.address + std::to_string(shown.selected), "Xhttp://x/-1");
}

// A lone CR inside a line (a file edited by hand) was loaded as it stood and written as a blank,
// so the list changed on every save; it is read as the blank it is written as, one entry a line.
TEST_F(FavouriteFiles, ALoneCrIsReadAsTheBlankItIsWrittenAs) {
  write(names, "A\rB\r\nC\r\r\n");
  write(addresses, "http://a/\r\nhttp://c/\rx\n");
  Favourites f;
  f.load(names, addresses);
  EXPECT_EQ(f.names(), (std::vector<std::string>{"A B", "C "}));
  EXPECT_EQ(f.addressAt(0) + "|" + f.addressAt(1), "http://a/|http://c/ x");
  ASSERT_TRUE(f.save(names, addresses));
  EXPECT_EQ(read(names) + read(addresses), "A B\r\nC \r\nhttp://a/\r\nhttp://c/ x\r\n");
  Favourites back;
  std::filesystem::rename(names, tavora::oldFileOf(names));  // a save cut short: the old set is read
  back.load(names, addresses);
  EXPECT_EQ(back.names(), f.names());
  ASSERT_TRUE(back.save(names, addresses));  // and once saved again, no old file waits to come back
  EXPECT_FALSE(tavora::fileExists(tavora::oldFileOf(names)));
}

TEST(FavouriteButtons, FollowTheSelection) {
  Favourites f;
  auto states = [&](int selected, bool nameEmpty = false, bool addressEmpty = false) {
    const guide::FavouriteButtons b = f.buttons(selected, nameEmpty, addressEmpty);
    return std::string(b.add ? "A" : "-") + (b.remove ? "D" : "-") + (b.up ? "U" : "-") + (b.down ? "W" : "-");
  };
  EXPECT_EQ(states(-1) + states(-1, true) + states(-1, false, true), "A-----------");
  f.add("a", "1");
  EXPECT_EQ(states(0, true, true), "AD--");
  f.add("b", "2");
  EXPECT_EQ(states(0) + states(1), "AD-WADU-");
  f.add("c", "3");
  f.add("d", "4");
  EXPECT_EQ(states(1) + states(2) + states(3), "ADUWADUWADU-");
}

}  // namespace
