// The search of a device category by friendly name.
#include <gtest/gtest.h>

#include "fake_engine.h"
#include "grabcore/core/find_filter.h"

namespace {

struct FakeDevice {
  std::string name;
  bool storageFails = false;
};

class FakeCategory : public DeviceCategory {
 public:
  std::vector<FakeDevice> devices;
  bool enumeratorFails = false;
  bool bindFails = false;
  int current = -1;
  int bound = -1;

  bool createEnumerator() override { return !enumeratorFails; }
  bool openCategory(bool& empty) override {
    empty = devices.empty();
    return true;
  }
  bool nextDevice() override { return ++current < static_cast<int>(devices.size()); }
  bool bindStorage() override { return !devices[current].storageFails; }
  bool readClsid() override { return true; }
  bool convertClsid() override { return true; }
  bool readFriendlyName(std::string& name) override {
    name = devices[current].name;
    return true;
  }
  bool bindFilter() override {
    if (bindFails) return false;
    bound = current;
    return true;
  }
};

}  // namespace

TEST(FindFilter, FirstOfTwoEqualNamesIsBound) {
  FakeCategory c;
  c.devices = {{"Other"}, {"Card"}, {"Card"}};
  EXPECT_EQ(searchFilter(c, "Card", true), -1);
  EXPECT_EQ(c.bound, 1);
}

TEST(FindFilter, WithoutAnOutFilterNothingIsBound) {
  FakeCategory c;
  c.devices = {{"Card"}};
  EXPECT_EQ(searchFilter(c, "Card", false), -1);
  EXPECT_EQ(c.bound, -1);
}

TEST(FindFilter, CaseMattersAndAMissShowsTheSearchMessage) {
  RecordingHost host;
  FakeCategory c;
  c.devices = {{"card"}};
  EXPECT_FALSE(findFilter(host, c, "Card", true));
  EXPECT_EQ(host.log, std::vector<std::string>{
                          "error " + sj("クラス「filterHandler」の「findFilter」でフィルタの検索に失敗しました。(ID=7)")});
}

TEST(FindFilter, EmptyCategoryAndFailuresGiveTheirNumbers) {
  FakeCategory empty;
  EXPECT_EQ(searchFilter(empty, "Card", true), 6);
  FakeCategory broken;
  broken.devices = {{"A", true}, {"Card"}};
  EXPECT_EQ(searchFilter(broken, "Card", true), 2);  // later devices are not tried
  FakeCategory noEnum;
  noEnum.enumeratorFails = true;
  EXPECT_EQ(searchFilter(noEnum, "Card", true), 0);
  FakeCategory unbindable;
  unbindable.devices = {{"Card"}};
  unbindable.bindFails = true;
  EXPECT_EQ(searchFilter(unbindable, "Card", true), 6);
}
