// The capture graph builder's portable rules: the 4:3 fit and the text of a failed capture render.
#include <gtest/gtest.h>

#include "fake_engine.h"
#include "grabcore/core/capture_graph_builder.h"

TEST(FitVideo43, TallerPanelKeepsItsWidthAndCentresVertically) {
  EXPECT_EQ(fitVideo43(640, 600), (VideoRect{0, 60, 640, 480}));
  // 3 * 100 / 4 = 75; (100 - 75) / 2 = 12 (truncated)
  EXPECT_EQ(fitVideo43(100, 100), (VideoRect{0, 12, 100, 75}));
}

TEST(FitVideo43, WiderPanelKeepsItsHeightAndCentresHorizontally) {
  EXPECT_EQ(fitVideo43(800, 480), (VideoRect{80, 0, 640, 480}));
  // 4 * 301 / 3 = 401; (500 - 401) / 2 = 49 (truncated)
  EXPECT_EQ(fitVideo43(500, 301), (VideoRect{49, 0, 401, 301}));
}

TEST(FitVideo43, ExactlyFourToThreeFillsThePanel) {
  EXPECT_EQ(fitVideo43(640, 480), (VideoRect{0, 0, 640, 480}));
  EXPECT_EQ(fitVideo43(0, 0), (VideoRect{0, 0, 0, 0}));
}

TEST(FitVideo43, LargePanelsDoNotOverflow) {
  EXPECT_EQ(fitVideo43(2000000000, 1500000000), (VideoRect{0, 0, 2000000000, 1500000000}));
  EXPECT_EQ(fitVideo43(2000000000, 2000000000), (VideoRect{0, 250000000, 2000000000, 1500000000}));
}

TEST(RenderVCaptureErrorText, NamesTheFailureCodeAfterTwoLineFeeds) {
  const std::string head =
      sj("TCaptureGraphBuilder::renderVCapture()のRenderStream()で次のエラーが発生しました。") + "\n\n";
  EXPECT_EQ(renderVCaptureErrorText(static_cast<int32_t>(0x80004003u)), head + sj("「NULL ポインタ引数」"));
  EXPECT_EQ(renderVCaptureErrorText(static_cast<int32_t>(0x80004005u)), head + sj("「失敗」"));
  EXPECT_EQ(renderVCaptureErrorText(static_cast<int32_t>(0x80070057u)), head + sj("「無効な引数」"));
  EXPECT_EQ(renderVCaptureErrorText(static_cast<int32_t>(0x80070005u)), head + sj("「未定義」"));
  EXPECT_EQ(renderVCaptureErrorText(static_cast<int32_t>(0x80004001u)), head + sj("「未定義」"));
}
