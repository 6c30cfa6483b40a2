// The engine's DirectShow code against Wine's own components, in process.
#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "common/messages.h"
#include "fakes/engine_on_wine.h"
#include "grabcore/win/ds_graph_builder.h"
#include "grabcore/win/filter_lookup.h"
#include "system_devices.h"
#include "winui/text.h"

using Microsoft::WRL::ComPtr;

namespace {

class WineComponents : public fakes::EngineOnWine {};

}  // namespace

TEST_F(WineComponents, FindFilterBindsAVideoCompressorByItsName) {
  const std::string name = firstDeviceName(CLSID_VideoCompressorCategory);
  ASSERT_FALSE(name.empty());
  CLSID clsid = GUID_NULL;
  ComPtr<IBaseFilter> filter;
  EXPECT_TRUE(findFilter(host, com, name, CLSID_VideoCompressorCategory, &clsid, filter.GetAddressOf()));
  EXPECT_NE(filter, nullptr);
  EXPECT_FALSE(IsEqualCLSID(clsid, GUID_NULL));
  EXPECT_TRUE(host.replies.empty());

  // Without an out filter nothing is bound, the class id still comes back.
  CLSID again = GUID_NULL;
  EXPECT_TRUE(findFilter(host, com, name, CLSID_VideoCompressorCategory, &again, nullptr));
  EXPECT_TRUE(IsEqualCLSID(clsid, again));
}

TEST_F(WineComponents, FindFilterMissesANameInOtherLetterCaseAndAnEmptyCategory) {
  std::string name = firstDeviceName(CLSID_VideoCompressorCategory);
  ASSERT_FALSE(name.empty());
  for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : (c >= 'A' && c <= 'Z' ? c + 32 : c));
  CLSID clsid;
  ComPtr<IBaseFilter> filter;
  EXPECT_FALSE(findFilter(host, com, name, CLSID_VideoCompressorCategory, &clsid, filter.GetAddressOf()));
  EXPECT_EQ(filter, nullptr);
  // Wine has no video input device.
  EXPECT_FALSE(findFilter(host, com, "Card", CLSID_VideoInputDeviceCategory, &clsid, filter.GetAddressOf()));
  const std::wstring miss = L"error クラス「filterHandler」の「findFilter」でフィルタの検索に失敗しました。(ID=7)";
  EXPECT_EQ(host.replies, (std::vector<std::wstring>{miss, miss}));
}

TEST_F(WineComponents, GraphListsTheFiltersAddedFromAnotherObject) {
  struct Wrapped : dsMother {
    ComPtr<IBaseFilter> filter;
    IBaseFilter* getFilter() override { return filter.Get(); }
  };
  auto source = std::make_shared<Wrapped>();
  const std::string name = firstDeviceName(CLSID_VideoCompressorCategory);
  CLSID clsid;
  ASSERT_TRUE(findFilter(host, com, name, CLSID_VideoCompressorCategory, &clsid, source->filter.GetAddressOf()));

  DsGraphBuilder graph(host, com);
  graph.add(source.get());  // no graph yet: nothing to add to
  graph.create();
  ASSERT_NE(graph.getGraph(), nullptr);
  graph.add(source.get());
  Wrapped none;
  graph.add(&none);
  graph.add(nullptr);
  graph.showFilters();
  ASSERT_EQ(host.replies.size(), 1u);
  // One line per filter: the graph manager names the filter it was given.
  const std::wstring& text = host.replies[0];
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 1) << winui::narrow(text);
  EXPECT_GT(text.size(), std::wstring(L"message:\n").size());
  EXPECT_EQ(text.back(), L'\n');
  EXPECT_FALSE(graph.pollErrorAbort());
  graph.release();
  EXPECT_EQ(graph.getGraph(), nullptr);
  EXPECT_FALSE(graph.pollErrorAbort());
}

TEST_F(WineComponents, CommandLinesBuildAndRunAGraph) {
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "cFg startGraph", "cFg stopGraph", "cFg remove",
                           "cFg EnumFilters", "cFg startGraph"})
    run(line);
  // Starting a graph that was removed is a device error: reported, and everything undone.
  const std::wstring recOff = L"post " + std::to_wstring(tvr::TVR_RECOFF) + L" 0 0";
  EXPECT_EQ(host.replies,
            (std::vector<std::wstring>{
                recOff, L"message ",
                L"error クラス「TGraphBuilder」の「startView()」で「CoCreateInstance」に失敗しました。", recOff}));
  EXPECT_TRUE(engine->objectNames().empty());
  EXPECT_TRUE(engine->undoList.empty());
}
