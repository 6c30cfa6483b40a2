// Favourites: the two parallel files, the list's edits and the dialog's buttons.
#include "guidepane/core/favourites.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "recdesk/temp_dir.h"

namespace {

using guide::Favourites;

std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

class FavouriteFiles : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string names = dir.file("favorite1.dat"), addresses = dir.file("favorite2.dat");
};

TEST_F(FavouriteFiles, BothFilesOrNothing) {
  ASSERT_TRUE(tavora::writeFileReplacing(names, bytes("a\r\n")));
  Favourites f;
  f.load(names, addresses);
  EXPECT_EQ(f.size(), 0u);
  f.add("n", "http://x/");
  ASSERT_TRUE(f.save(names, addresses));
  EXPECT_EQ(tavora::readWholeFile(names), bytes("n\r\n"));
  EXPECT_EQ(tavora::readWholeFile(addresses), bytes("http://x/\r\n"));
}

TEST_F(FavouriteFiles, EditsMoveNameAndAddressTogetherAndAnEmptyListKeepsTheFiles) {
  Favourites f;
  f.add("A", "a");
  f.add("B", "b");
  f.add("", "");
  f.add("C\r\nD", "c");
  f.moveUp(2);
  f.moveDown(2);
  f.moveUp(3);
  f.moveUp(0);
  f.moveDown(3);
  f.remove(0);
  f.remove(7);
  ASSERT_TRUE(f.save(names, addresses));
  EXPECT_EQ(tavora::readWholeFile(names), bytes("\r\nB\r\nC  D\r\n"));
  Favourites back;
  back.load(names, addresses);
  EXPECT_EQ(back.names(), (std::vector<std::string>{"", "B", "C  D"}));
  EXPECT_EQ(back.addressAt(1), "b");
  EXPECT_EQ(back.addressAt(2), "c");

  while (back.size()) back.remove(0);
  EXPECT_TRUE(back.save(names, addresses));
  EXPECT_EQ(tavora::readWholeFile(addresses), bytes("\r\nb\r\nc\r\n"));
}

TEST_F(FavouriteFiles, ListsOfDifferentLengthsNeverReadPastTheAddresses) {
  ASSERT_TRUE(tavora::writeFileReplacing(names, bytes("A\r\nB\r\nC\r\n")));
  ASSERT_TRUE(tavora::writeFileReplacing(addresses, bytes("a\r\n")));
  Favourites f;
  f.load(names, addresses);
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f.addressAt(0), "a");
  EXPECT_EQ(f.addressAt(2), "");
  EXPECT_EQ(f.addressAt(3), "");
  EXPECT_EQ(f.addressAt(-1), "");
  f.moveUp(2);
  EXPECT_EQ(f.nameAt(1), "C");
}

TEST(FavouriteButtons, FollowTheSelection) {
  Favourites f;
  auto states = [&](int selected, bool nameEmpty = false, bool addressEmpty = false) {
    const guide::FavouriteButtons b = f.buttons(selected, nameEmpty, addressEmpty);
    return std::string(b.add ? "A" : "-") + (b.remove ? "D" : "-") + (b.up ? "U" : "-") + (b.down ? "W" : "-");
  };
  EXPECT_EQ(states(-1), "A---");
  EXPECT_EQ(states(-1, true), "----");
  EXPECT_EQ(states(-1, false, true), "----");
  f.add("a", "1");
  EXPECT_EQ(states(0, true, true), "AD--");
  f.add("b", "2");
  EXPECT_EQ(states(0), "AD-W");
  EXPECT_EQ(states(1), "ADU-");
  f.add("c", "3");
  f.add("d", "4");
  EXPECT_EQ(states(1), "ADUW");
  EXPECT_EQ(states(2), "ADUW");
  EXPECT_EQ(states(3), "ADU-");
}

}  // namespace
