// The video capture source end to end: grabcore.exe, driven by the stand-in front end, against
// Wine's own system device enumerator, which lists no video capture device.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "harness.h"

using e2e::FrontEnd;

TEST(VCapSorce, CreateWithoutAVideoDeviceIsReportedUndoneAndAcknowledgedOnce) {
  // A settings file would name a device and add the lookup's own report first.
  DeleteFileW((e2e::engineFolder() + L"VCapSorce.dat").c_str());
  FrontEnd front;
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  front.request(tvr::TVR_EXECONELINE, "new VCapSorce cVCap");
  const int64_t id = front.request(tvr::TVR_EXECONELINE, "cVCap create");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"「TVCapSorce::findVCapFilter()」でキャプチャフィルタの検索に失敗しました。(ID=3)");
  // The request waits for the dialog.
  EXPECT_EQ(front.count(tvr::TVR_DONE), 1u);
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  // The object was undone with everything else: a later line to it does nothing.
  const int64_t after = front.request(tvr::TVR_EXECONELINE, "cVCap getQuality Hue");
  ASSERT_EQ(front.waitForDoneWithoutBox(after), L"");
  EXPECT_EQ(front.messages(), (std::vector<unsigned>{tvr::TVR_ENGINEWND, tvr::TVR_DONE, tvr::TVR_DONE, tvr::TVR_DONE}));
  size_t doneForCreate = 0;
  for (const e2e::Received& r : front.received) doneForCreate += r.msg == tvr::TVR_DONE && r.lParam == id;
  EXPECT_EQ(doneForCreate, 1u);
  EXPECT_EQ(GetFileAttributesW((e2e::engineFolder() + L"VCapSorce.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}
