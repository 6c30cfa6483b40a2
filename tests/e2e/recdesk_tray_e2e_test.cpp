// The tray menu end to end under Wine: opened by the tray icon's callback as a right click
// opens it, its items' enabling read off the screen, and closed again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/messages.h"
#include "harness.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;

namespace {

constexpr size_t kItemCount = 7;

// The items' enabling in menu order, one letter each: 'E' drawn in the menu text colour, '-'
// in another (greyed), '?' highlighted. Wine does not let one process read another's menu by
// its handle, so the drawn menu is read. Empty while not all items are drawn.
std::string drawnItems(const RECT& area) {
  constexpr int kFrame = 2;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 2 * kFrame || height <= 2 * kFrame) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(copy, old);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  const COLORREF background = GetSysColor(COLOR_MENU), text = GetSysColor(COLOR_MENUTEXT),
                 highlight = GetSysColor(COLOR_HIGHLIGHT);
  // An item is a band of lines that hold more than the background; the frame is left out.
  std::string items;
  bool inBand = false;
  for (int y = kFrame; y < height - kFrame; ++y) {
    bool ink = false, inText = false, highlighted = false;
    for (int x = kFrame; x < width - kFrame; ++x) {
      const auto* p = static_cast<const uint8_t*>(bits) + (static_cast<size_t>(y) * width + x) * 4;
      const COLORREF c = RGB(p[2], p[1], p[0]);
      ink |= c != background;
      inText |= c == text;
      highlighted |= c == highlight;
    }
    if (!ink) {
      inBand = false;
      continue;
    }
    if (!inBand) items += '-';
    inBand = true;
    if (highlighted) items.back() = '?';
    else if (inText && items.back() == '-') items.back() = 'E';
  }
  DeleteObject(bitmap);
  return items.size() == kItemCount ? items : std::string();
}

struct TrayMenuBench : ::testing::Test {
  void start() {
    ASSERT_NE(bench.start(), nullptr) << "CreateProcess error " << GetLastError();
    ASSERT_TRUE(bench.waitForMainWindow());
  }

  // Right-clicks the tray icon, reads the menu once it is fully drawn, and closes it again.
  std::string trayMenu() {
    // The menu opens at the cursor: a corner keeps it clear of the centred boxes that other
    // test programs show on the same screen. The cursor goes back afterwards.
    POINT cursor{};
    GetCursorPos(&cursor);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    std::string items = readTrayMenu();
    SetCursorPos(cursor.x, cursor.y);
    return items;
  }

  std::string readTrayMenu() {
    // The icon's id (0) and the mouse event, as the shell sends them.
    PostMessageW(bench.mainWindow(), RegisterWindowMessageW(L"IconNotify"), 0, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (!e2e::pollUntil([&] { return (menu = bench.findWindow(bench.process(), L"#32768")) != nullptr; }, 10000))
      return "no menu";
    // Two equal readings in a row at the same place: the menu is in place and fully drawn.
    RECT area{}, areaBefore{};
    std::string items, before;
    e2e::pollUntil(
        [&] {
          before = items;
          areaBefore = area;
          GetClientRect(menu, &area);
          MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&area), 2);
          items = drawnItems(area);
          return !items.empty() && items == before && EqualRect(&area, &areaBefore);
        },
        10000);
    // The owner's cancel ends the menu without a choice.
    SendMessageTimeoutW(bench.mainWindow(), WM_CANCELMODE, 0, 0, SMTO_NORMAL, 10000, nullptr);
    // Gone from the screen too, so that the next reading cannot see this one's pixels.
    if (!e2e::pollUntil([&] { return !IsWindow(menu) && drawnItems(area).empty(); }, 10000))
      return "menu not closed";
    return items;
  }

  RecdeskBench bench;
};

}  // namespace

TEST_F(TrayMenuBench, ABusyQueueLeavesOnlyThePlanningProgramsWhichWaitForTheChannelTable) {
  ASSERT_NO_FATAL_FAILURE(start());  // without TvTuner.dat
  EXPECT_EQ(trayMenu(), "E----EE");
  // The unmute after a signal stays unacknowledged: the queue is busy.
  bench.holdAcknowledgements();
  bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);
  ASSERT_TRUE(bench.waitForRequest("mix setMute OFF"));
  EXPECT_EQ(trayMenu(), "-------");
  // A posted "Tavora を終了" is refused as a click would be: its "quit" would never go out.
  PostMessageW(bench.mainWindow(), WM_COMMAND, 7, 0);
  bench.enginePosts(tvr::TVR_MARK, 5, 0);
  EXPECT_EQ(trayMenu(), "---EE--");
  bench.releaseAcknowledgements();
  EXPECT_EQ(trayMenu(), "E--EEEE");
  // The menu was only looked at: nothing was chosen.
  EXPECT_TRUE(bench.launchLog().empty());
  EXPECT_FALSE(bench.waitForRequest("quit", 0));
}

TEST_F(TrayMenuBench, AChannelTableAtStartEnablesThePlanningProgramsEvenWhileBusy) {
  bench.writeFile(L"TvTuner.dat", {0});
  ASSERT_NO_FATAL_FAILURE(start());
  EXPECT_EQ(trayMenu(), "E--EEEE");
  bench.holdAcknowledgements();
  bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);
  ASSERT_TRUE(bench.waitForRequest("mix setMute OFF"));
  EXPECT_EQ(trayMenu(), "---EE--");
}

TEST_F(TrayMenuBench, TheVersionBoxNamesTheSuitesVersionForEachOfItsProgramsAndNoneForAMissingOne) {
  ASSERT_NO_FATAL_FAILURE(start());
  // The product's engine and guide in place of the stand-ins (the running engine's file is moved
  // aside first); no planbook.exe.
  const std::wstring folder = bench.folder();
  ASSERT_TRUE(MoveFileW((folder + L"grabcore.exe").c_str(), (folder + L"enginestub.exe").c_str()));
  for (const wchar_t* name : {L"grabcore.exe", L"guidepane.exe"})
    ASSERT_TRUE(CopyFileW((e2e::productFolder() + name).c_str(), (folder + name).c_str(), FALSE));
  ASSERT_TRUE(DeleteFileW((folder + L"planbook.exe").c_str()));
  bench.choose(bench.mainWindow(), 6);  // "バージョン情報"
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
  const std::wstring version = L"Ver " TAVORA_VERSION;
  EXPECT_EQ(RecdeskBench::boxText(box), L"recdesk.exe\r\t" + version + L"\ngrabcore.exe\r\t" + version +
                                            L"\nplanbook.exe\r\t不明\nguidepane.exe\r\t" + version +
                                            L"\n\nこの中で、最も大きい番号が\nTavora のバージョンに\nなります。");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}
