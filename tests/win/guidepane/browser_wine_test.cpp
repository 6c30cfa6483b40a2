// The WebBrowser control in our container under Wine: created and activated, its events reaching
// the guide through the sink, a handler's failure kept on our side. Wine renders no page, so no
// document completes here.
#include <gtest/gtest.h>

#include <exdisp.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include "guidepane/win/web_browser.h"
#include "forms_fixture.h"
#include "winui/form.h"
#include "winui/ole_container.h"
#include "winui/pump.h"

namespace {

TEST(WebBrowserOnWine, TheContainerActivatesTheControlAndItsEventsReachTheGuide) {
  OleInitialize(nullptr);
  AnsweringSeam boxes;
  winui::setDialogSeam(&boxes);
  {
    winui::Form host({L"TavoraBrowserWineTest", "browser"});
    std::vector<std::string> asked, completed;
    guide::BrowserEvents sink;
    sink.beforeNavigate2 = [&](const std::string& url, bool& cancel) {
      asked.push_back(url);
      cancel = true;
      throw std::runtime_error("a handler's failure stays on our side");
    };
    sink.documentComplete = [&](const std::string& url, bool) { completed.push_back(url); };
    auto browser = guide::makeWebBrowser(host.handle(), sink);
    browser->Navigate2("about:blank#x");
    winui::processMessages();
    for (int i = 0; i < 20 && asked.empty(); ++i) {
      Sleep(20);
      winui::processMessages();
    }
    ASSERT_EQ(asked, (std::vector<std::string>{"about:blank#x"}));
    EXPECT_TRUE(completed.empty());
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].find(L"|a handler's failure stays on our side|"), std::wstring::npos);
  }
  winui::setDialogSeam(nullptr);
  OleUninitialize();
}

// The control asks its site for ambient properties: none is set, so it keeps its defaults (pages
// with their images); the asks are no events for the handler; a site kept past its container fails.
TEST(WebBrowserOnWine, TheSiteAnswersNoAmbientPropertyAndOnlyEventsReachTheHandler) {
  OleInitialize(nullptr);
  Microsoft::WRL::ComPtr<IOleClientSite> site;
  {
    winui::Form host({L"TavoraAmbientWineTest", "ambient"});
    std::vector<DISPID> handled, asked;
    winui::OleContainer browser(host.handle(), {0, 0, 100, 100}, CLSID_WebBrowser, DIID_DWebBrowserEvents2,
                                [&](DISPID id, DISPPARAMS*) { handled.push_back(id); });
    Microsoft::WRL::ComPtr<IOleObject> object;
    Microsoft::WRL::ComPtr<IDispatch> ambient;
    ASSERT_TRUE(SUCCEEDED(browser.control()->QueryInterface(IID_PPV_ARGS(&object))) &&
                object->GetClientSite(&site) == S_OK && site.As(&ambient) == S_OK);
    for (DISPID id : {-5512, -5501, -5502}) {  // download control, offline if not connected, silent
      VARIANT value{};
      DISPPARAMS none{};
      const HRESULT hr = ambient->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
      if (hr == DISP_E_MEMBERNOTFOUND) asked.push_back(id);
    }
    EXPECT_EQ(asked, (std::vector<DISPID>{-5512, -5501, -5502}));
    EXPECT_TRUE(std::all_of(handled.begin(), handled.end(), [](DISPID id) { return id > 0; }));
  }
  Microsoft::WRL::ComPtr<IOleInPlaceSite> inPlace;
  ASSERT_EQ(site.As(&inPlace), S_OK);
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  RECT position{}, clip{};
  OLEINPLACEFRAMEINFO info{};
  EXPECT_TRUE(FAILED(inPlace->GetWindowContext(&frame, &document, &position, &clip, &info)) && !frame && !document);
  OleUninitialize();
}

}  // namespace
