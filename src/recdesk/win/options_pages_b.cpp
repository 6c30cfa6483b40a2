// Pages 2 to 4 of the options dialog, empty until their controls come.
#include "options_page.h"

namespace {

class EmptyPage : public OptionsPage {
 public:
  explicit EmptyPage(TForm3& dialog) : OptionsPage(dialog, L"TForm3EmptyPage") {}
};

}  // namespace

std::unique_ptr<OptionsPage> makeReservationPage(TForm3& dialog) { return std::make_unique<EmptyPage>(dialog); }
std::unique_ptr<OptionsPage> makeManualRecordingPage(TForm3& dialog) { return std::make_unique<EmptyPage>(dialog); }
std::unique_ptr<OptionsPage> makeChannelPage(TForm3& dialog) { return std::make_unique<EmptyPage>(dialog); }
