// The WebBrowser control in our container under Wine: created and activated, its events reaching
// the guide through the sink, a handler's failure kept on our side. Wine renders no page, so no
// document completes here.
#include <gtest/gtest.h>

#include <vector>

#include "guidepane/win/web_browser.h"
#include "forms_fixture.h"
#include "winui/form.h"
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

}  // namespace
