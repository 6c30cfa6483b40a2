#include "options_page.h"

namespace {

class TabSheet2 : public OptionsPage {
 public:
  explicit TabSheet2(TForm3& dialog) : OptionsPage(dialog, L"TForm3TabSheet2") {}
};

}  // namespace

std::unique_ptr<OptionsPage> makeQualityPage(TForm3& dialog) { return std::make_unique<TabSheet2>(dialog); }
