// The WebBrowser control in our container under Wine: created, activated in place, its events
// reaching the guide through the sink. Wine renders no page, so no document completes here.
#include <gtest/gtest.h>

#include <exdisp.h>
#include <exdispid.h>

#include <vector>

#include "guidepane/win/web_browser.h"
#include "winui/dialogs.h"
#include "winui/form.h"
#include "winui/ole_container.h"
#include "winui/pump.h"

namespace {

winui::Form::Options hostOptions() {
  winui::Form::Options o;
  o.className = L"TavoraBrowserWineTest";
  o.caption = "browser";
  return o;
}

struct Boxes : winui::DialogSeam {
  int messageBox(HWND, const std::wstring& text, const std::wstring&, UINT) override {
    texts.push_back(text);
    return IDOK;
  }
  std::vector<std::wstring> texts;
};

TEST(WebBrowserOnWine, TheContainerActivatesTheControlAndItsEventsReachTheGuide) {
  OleInitialize(nullptr);
  Boxes boxes;
  winui::setDialogSeam(&boxes);
  {
    winui::Form host(hostOptions());
    std::vector<DISPID> events;
    {
      winui::OleContainer container(host.handle(), {0, 0, 300, 200}, CLSID_WebBrowser, DIID_DWebBrowserEvents2,
                                    [&](DISPID id, DISPPARAMS*) { events.push_back(id); });
      ASSERT_NE(container.control(), nullptr);
      EXPECT_TRUE(container.advised());
      EXPECT_NE(GetWindow(container.window(), GW_CHILD), nullptr);  // the control's own window, in place
    }
    std::vector<std::string> asked;
    std::vector<std::string> completed;
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
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{L"a handler's failure stays on our side"}));
  }
  winui::setDialogSeam(nullptr);
  OleUninitialize();
}

}  // namespace
