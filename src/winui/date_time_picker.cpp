#include "date_time_picker.h"

#include <commctrl.h>

#include <stdexcept>

#include "common/oledate.h"
#include "guard.h"

namespace winui {

namespace {

constexpr int kFirstSystemYear = 1601;

void initDateClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

}  // namespace

DateTimePicker::DateTimePicker(Form& form, int id, Format format, RECT b) {
  initDateClasses();
  const DWORD style = format == Format::timeOnly ? DTS_TIMEFORMAT : DTS_LONGDATEFORMAT;
  window_ = CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, b.left, b.top,
                            b.right, b.bottom, form.handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) throw std::runtime_error("CreateWindowEx failed for a date-time picker");
  form.onNotify(id, [this](const NMHDR& header) -> LRESULT {
    if (header.code == DTN_DATETIMECHANGE && change_) {
      auto handler = change_;  // a handler may replace itself
      guardedCall(handler);
    }
    return 0;
  });
}

double DateTimePicker::value() const {
  SYSTEMTIME st{};
  if (SendMessageW(window_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return 0;
  return tavora::encodeOleDateTime({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                                    st.wMilliseconds});
}

bool DateTimePicker::setValue(double oleDate) {
  if (!tavora::isValidOleDate(oleDate)) return false;
  const tavora::CivilDateTime t = tavora::decodeOleDate(oleDate);
  if (t.year < kFirstSystemYear) return false;
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wDayOfWeek = static_cast<WORD>(tavora::oleDayOfWeek(oleDate));
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  st.wMilliseconds = static_cast<WORD>(t.millisecond);
  return SendMessageW(window_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)) != 0;
}

}  // namespace winui
