// The keyboard focus of the real program: where it lands at start, that it
// comes back to the control that had it after each dialog and a switch to
// another program, the timer unit choice over the controls it covers, Tab
// out of the Position editor, the flat Settings buttons pressed from the
// keyboard, and one session that does every task with the keyboard alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ProgramTest.h"

namespace {

using namespace e2e;

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// The first descendant of the given class and text (any text when null).
HWND Find(HWND parent, const wchar_t* className, const wchar_t* text = nullptr) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == className && (!text || WindowText(child) == text)) return child;
    if (HWND found = Find(child, className, text)) return found;
  }
  return nullptr;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(20))
    if (GetTickCount() - start > milliseconds) return false;
  return true;
}

// A key as the keyboard sends it to the focused control.
void Press(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Alt with a key, as the keyboard sends it.
void PressAlt(HWND target, UINT msg, WPARAM key) { PostMessageW(target, msg, key, 1 | (1 << 29)); }

// The colour on the screen at a client point of a window.
COLORREF Pixel(HWND window, POINT at) {
  ClientToScreen(window, &at);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Whether the window's left edge, rows top to bottom, shows anything but
// the plain colour (a focus mark's dots).
bool MarkedEdge(HWND window, COLORREF plain, int top = 0, int bottom = -1) {
  RECT client{};
  GetClientRect(window, &client);
  for (int y = top; y < (bottom < 0 ? client.bottom : bottom); ++y)
    if (Pixel(window, POINT{0, y}) != plain) return true;
  return false;
}

void Click(HWND target) {
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

class Focus : public TProgramTest {
 protected:
  void Start() {
    // The editor refuses to end while the pointer rests on its row (a
    // pointer above the grid counts as on its first row): keep it below.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    folder_.Copy(L"Dorvane.exe", L"Dorvane.exe");
    folder_.WriteFile(L"WPapers.ini",
                      "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=C:\r\nPosition=Tile\r\n\r\n"
                      "[Wallpaper #2]\r\nFilename=b.bmp\r\nPath=C:\r\nPosition=Center\r\n\r\n");
    program_ = std::make_unique<TProgram>(folder_.Path() + L"Dorvane.exe");
    main_ = program_->WaitForWindow(L"TfrmDorvane", 20000);
    ASSERT_NE(main_, nullptr);
  }
  // Waits until the focus is on the given control.
  void ExpectFocusOn(HWND control, const char* what) {
    EXPECT_TRUE(WaitFor([&] { return FocusOf(main_) == control; }))
        << what << ": the focus is on a " << testing::PrintToString(ClassOf(FocusOf(main_))) << " \""
        << testing::PrintToString(WindowText(FocusOf(main_))) << "\"";
  }
  // Presses Tab until the focus is on the control; false if it never is.
  bool TabTo(HWND control) {
    for (int presses = 0; presses < 30 && FocusOf(main_) != control; ++presses) {
      HWND before = FocusOf(main_);
      Press(before, VK_TAB);
      WaitFor([&] { return FocusOf(main_) != before; }, 1000);
    }
    return FocusOf(main_) == control;
  }
  TProgramFolder folder_;
  std::unique_ptr<TProgram> program_;
  HWND main_ = nullptr;
};

TEST_F(Focus, StartsOnTheGridAndComesBackAfterEachDialog) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND grid = Find(main_, L"TDorvaneVirtualGrid");
  ExpectFocusOn(grid, "at start");

  // Clear's question, answered No: back on Clear.
  HWND clear = Find(main_, L"Button", L"&Clear");
  ASSERT_NE(clear, nullptr);
  Click(clear);
  HWND question = WaitForMessageBox(program_->Id(), L"Confirm", 5000);
  ASSERT_NE(question, nullptr);
  PressButton(question, IDNO);
  ExpectFocusOn(clear, "after Clear's question");

  // The Add dialog, cancelled: back on Add.
  HWND add = Find(main_, L"Button", L"&Add...");
  ASSERT_NE(add, nullptr);
  Click(add);
  HWND dialog = WaitForMessageBox(program_->Id(), L"Add Wallpaper", 10000);
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ExpectFocusOn(add, "after the Add dialog");

  // Another program comes to the front and goes: back on Add.
  HWND other = CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }));
  DestroyWindow(other);
  SetForegroundWindow(main_);
  ExpectFocusOn(add, "after a switch to another program and back");

  // The About window: OK has the focus there; Escape closes it and the
  // focus is back on the About button.
  HWND start = Find(main_, L"Button", L"Start");
  HWND about = Find(GetParent(start), L"Button", L"");
  ASSERT_NE(about, nullptr);
  Click(about);
  HWND aboutWindow = program_->WaitForWindow(L"TfrmAbout", 5000);
  ASSERT_NE(aboutWindow, nullptr);
  HWND ok = Find(aboutWindow, L"Button", L"OK");
  EXPECT_TRUE(WaitFor([&] { return FocusOf(aboutWindow) == ok; })) << "OK first in the About window";
  Press(FocusOf(aboutWindow), VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(aboutWindow); }));
  ExpectFocusOn(about, "after the About window");

  // The flat "?" button is reached with Tab and pressed with Space; after
  // its help box the focus is back on it.
  HWND help = Find(main_, L"DvFlatSpeedButton", L"?");
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(TabTo(help)) << "Tab never reaches the \"?\" button";
  Press(help, VK_SPACE);
  HWND info = WaitForMessageBox(program_->Id(), L"Information", 5000);
  ASSERT_NE(info, nullptr);
  PressButton(info, IDOK);
  ExpectFocusOn(help, "after the Stretch Mode help box");
}

TEST_F(Focus, TheUnitChoiceLiesOnTopAndGivesTheFocusBack) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND check = Find(main_, L"Button", L"&Use random timer");
  ASSERT_NE(check, nullptr);
  ASSERT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);  // the timer is on by default
  HWND grid = Find(main_, L"TDorvaneVirtualGrid");
  ExpectFocusOn(grid, "at start");

  HWND minute = Find(main_, L"Button", L"Minute");
  ASSERT_NE(minute, nullptr);
  HWND choice = GetParent(minute);
  HWND label = nullptr;
  for (HWND child = GetWindow(GetParent(check), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (WindowText(child).find(L"min.") != std::wstring::npos) label = child;
  ASSERT_NE(label, nullptr);
  Click(label);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(choice) != FALSE; }));
  ExpectFocusOn(minute, "in the open choice");
  // Above the check box it covers: earlier in the z-order of its siblings.
  bool choiceFirst = false;
  for (HWND child = GetWindow(GetParent(check), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == choice) choiceFirst = true;
    if (child == choice || child == check) break;
  }
  EXPECT_TRUE(choiceFirst) << "the unit choice lies under the check box";

  // The arrow key chooses the next unit; Enter closes the choice.
  Press(minute, VK_RIGHT);
  HWND hour = Find(main_, L"Button", L"Hour");
  ExpectFocusOn(hour, "after the arrow key");
  Press(hour, VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(choice); }));
  ExpectFocusOn(grid, "after the choice closed");
  // "10 hours" fits in the label in the font this system gives the window.
  const std::wstring text = WindowText(label);
  EXPECT_EQ(text, L"10 hours");
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  RECT place{};
  GetClientRect(label, &place);
  EXPECT_GE(place.right, extent.cx);
}

TEST_F(Focus, TabLeavesThePositionEditorKeepingTheChoice) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND grid = Find(main_, L"TDorvaneVirtualGrid");
  ExpectFocusOn(grid, "at start");
  // Space opens the editor on the focused row's Position; Down chooses the next
  // position, Tab ends the edit and moves on to Add.
  Press(grid, VK_SPACE);
  HWND editor = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    editor = FocusOf(main_);
    return editor && ClassOf(editor) == L"ComboBox";
  }));
  Press(editor, VK_DOWN);
  Press(editor, VK_TAB);
  ExpectFocusOn(Find(main_, L"Button", L"&Add..."), "after Tab in the editor");
  EXPECT_FALSE(IsWindowVisible(editor));
  ASSERT_TRUE(program_->CloseMainWindow());
  EXPECT_NE(folder_.ReadFile(L"WPapers.ini").find("Position=Stretch"), std::string::npos);
}

// Each "Settings..." button, reached with Tab and pressed with Space, opens
// its Control Panel page through rundll32.exe. Wine's shell takes its own
// rundll32.exe whatever stands beside the program, so the command lines are
// read from its exec trace, which this test turns on for the program: see
// e2e_controlpanel_lines in CMakeLists.txt.
TEST_F(Focus, TheSettingsButtonsOpenTheirControlPanelPagesFromTheKeyboard) {
  SetEnvironmentVariableW(L"WINEDEBUG", L"-all,trace+exec");
  Start();
  SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
  ASSERT_NE(main_, nullptr);
  HWND pointers = Find(main_, L"Button", L"Random &mouse pointers");
  ASSERT_NE(pointers, nullptr);
  ASSERT_TRUE(TabTo(pointers));
  for (const wchar_t* next : {L"Random &screen saver", L"&Use random timer"}) {
    Press(FocusOf(main_), VK_TAB);  // the page's button follows its check box
    ASSERT_TRUE(WaitFor([&] { return ClassOf(FocusOf(main_)) == L"DvFlatSpeedButton"; }));
    HWND button = FocusOf(main_);
    Press(button, VK_SPACE);
    Press(button, VK_TAB);
    ExpectFocusOn(Find(main_, L"Button", next), "after the Settings button");
  }
  ASSERT_TRUE(program_->CloseMainWindow());
}

// Enter and a double-click open the focused file with the shell, also a
// file listed at a drive root ("C:" and its name make "C:\\name"); the
// calls are read from the exec trace, as above.
TEST_F(Focus, OpensTheFileByEnterAndDoubleClick) {
  folder_.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder_.WriteFile(L"WPapers.ini", "[Wallpaper #1]\r\nFilename=dv-at-root.xyz\r\nPath=C:\r\nPosition=Tile\r\n\r\n");
  SetEnvironmentVariableW(L"WINEDEBUG", L"-all,trace+exec");
  program_ = std::make_unique<TProgram>(folder_.Path() + L"Dorvane.exe");
  SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
  main_ = program_->WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main_, nullptr);
  HWND grid = Find(main_, L"TDorvaneVirtualGrid");
  ExpectFocusOn(grid, "at start");
  Press(grid, VK_RETURN);
  Sleep(300);
  // The middle of the first row, in the File name column.
  const LPARAM firstRow = MAKELPARAM(40, 19 + 19 / 2);
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
  PostMessageW(grid, WM_LBUTTONUP, 0, firstRow);
  PostMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, firstRow);
  PostMessageW(grid, WM_LBUTTONUP, 0, firstRow);
  Sleep(300);
  ASSERT_TRUE(program_->CloseMainWindow());
}

// One session, the pointer only resting on the Position editor: the tip of
// a row reached by keyboard, a row found by typing, the editor ended by
// Enter and Escape, Delete, the inactive selection, focus marks, the timer
// unit, a shared mnemonic and the About window's links. The links opened
// are read from the exec trace: see e2e_keyboard_links in CMakeLists.txt.
TEST_F(Focus, EveryTaskFromTheKeyboardAlone) {
  const POINT away{0, GetSystemMetrics(SM_CYSCREEN) - 1};
  SetCursorPos(away.x, away.y);
  folder_.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder_.Copy(L"Links.dat", L"Links.dat");
  std::wstring wide = folder_.Path();
  wide.pop_back();
  std::string list;
  for (int i = 1; i <= 3; ++i) {
    folder_.WriteFile(std::to_wstring(i) + L".bmp", SolidBmp(100 * i, 50));
    list += "[Wallpaper #" + std::to_string(i) + "]\r\nFilename=" + std::to_string(i) +
            ".bmp\r\nPath=" + std::string(wide.begin(), wide.end()) + "\r\nPosition=Center\r\n\r\n";
  }
  folder_.WriteFile(L"WPapers.ini", list);
  SetEnvironmentVariableW(L"WINEDEBUG", L"-all,trace+exec");
  program_ = std::make_unique<TProgram>(folder_.Path() + L"Dorvane.exe");
  SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
  main_ = program_->WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main_, nullptr);
  HWND grid = Find(main_, L"TDorvaneVirtualGrid");
  ExpectFocusOn(grid, "at start");
  RECT header{};
  GetClientRect(FindWindowExW(grid, nullptr, L"SysHeader32", nullptr), &header);
  auto rowTop = [&](int row) { return header.bottom + row * 19; };

  // A row reached by keyboard shows its tip under it after a pause; the
  // next key hides it.
  Press(grid, VK_DOWN);
  HWND tip = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (tip = program_->FindWindowOfClass(L"DvThumbnailTip", true)) != nullptr; }));
  EXPECT_EQ(WindowText(tip), L"200 x 50");
  RECT place{};
  GetWindowRect(tip, &place);
  POINT row{0, rowTop(2)};
  ClientToScreen(grid, &row);
  EXPECT_NEAR(place.top, row.y, 3) << "the tip opens under the focused row";
  Press(grid, VK_UP);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(tip); }, 300)) << "the next key hides the tip";
  // A file name's first letter typed finds its row, as in a list view.
  Press(grid, '3');  // the program's message loop makes the character
  EXPECT_TRUE(WaitFor([&] {
    tip = program_->FindWindowOfClass(L"DvThumbnailTip", true);
    return tip && WindowText(tip) == L"300 x 50";
  })) << "typing 3 reaches no 3.bmp";
  Press(grid, VK_HOME);

  // The Position editor: Enter and Escape end it while the pointer rests on
  // it; in the open list Enter picks the item.
  auto openEditor = [&] {
    Press(grid, VK_F2);
    HWND editor = nullptr;
    EXPECT_TRUE(WaitFor([&] { return ClassOf(editor = FocusOf(main_)) == L"ComboBox"; })) << "F2 opens no editor";
    RECT box{};
    GetWindowRect(editor, &box);
    SetCursorPos((box.left + box.right) / 2, box.top + 6);
    return editor;
  };
  for (WPARAM ending : {VK_RETURN, VK_F4, VK_ESCAPE}) {
    HWND editor = openEditor();
    if (ending == VK_F4) {
      Press(editor, VK_F4);
      EXPECT_TRUE(WaitFor([&] { return SendMessageW(editor, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    }
    Press(editor, ending == VK_ESCAPE ? VK_UP : VK_DOWN);  // Center, Tile, Stretch
    Press(editor, ending == VK_ESCAPE ? VK_ESCAPE : VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(editor); })) << "the editor stays open after " << ending;
  }
  SetCursorPos(away.x, away.y);

  // Delete removes the focused row; the focused row has a focus mark, and
  // the selection stays marked while the list has no focus.
  Press(grid, VK_END);
  Press(grid, VK_DELETE);
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(main_, L"There are 2 files in the list.") != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return MarkedEdge(grid, GetSysColor(COLOR_HIGHLIGHT), rowTop(1), rowTop(2) - 1); }));
  Press(grid, VK_TAB);
  ExpectFocusOn(Find(main_, L"Button", L"&Add..."), "Tab from the list");
  EXPECT_TRUE(WaitFor([&] {
    return Pixel(grid, POINT{40, rowTop(1)}) == GetSysColor(COLOR_BTNSHADOW);
  })) << "no inactive highlight";

  // The slider: a focus mark; Alt+Down or F4 open the unit choice on the
  // unit in use, Escape restores it, Enter keeps the new one.
  HWND slider = Find(main_, L"DvTrackBar");
  HWND label = ChildWithText(main_, L"10 min.");
  ASSERT_TRUE(TabTo(slider));
  EXPECT_TRUE(WaitFor([&] { return MarkedEdge(slider, GetSysColor(COLOR_BTNFACE)); })) << "no mark on the slider";
  HWND minute = Find(main_, L"Button", L"Minute"), hour = Find(main_, L"Button", L"Hour");
  for (bool keep : {false, true}) {
    if (keep)
      Press(slider, VK_F4);
    else
      PressAlt(slider, WM_SYSKEYDOWN, VK_DOWN);
    ExpectFocusOn(minute, "in the open choice");
    Press(minute, VK_DOWN);
    ExpectFocusOn(hour, "after Down");
    Press(hour, keep ? VK_RETURN : VK_ESCAPE);
    ExpectFocusOn(slider, "after the choice closed");
    EXPECT_EQ(WindowText(label), keep ? L"10 hours" : L"10 min.");
  }

  // Alt+S, shared by a check box and the Stretch Mode label, moves to the
  // next of them and presses nothing; Alt+W, of one check box, toggles it.
  HWND saver = Find(main_, L"Button", L"Random &screen saver");
  HWND stretch = GetWindow(ChildWithText(main_, L"&Stretch Mode:"), GW_HWNDNEXT);
  for (HWND next : {stretch, saver, stretch}) {
    PressAlt(FocusOf(main_), WM_SYSCHAR, 's');
    ExpectFocusOn(next, "after Alt+S");
  }
  EXPECT_EQ(SendMessageW(saver, BM_GETCHECK, 0, 0), BST_CHECKED);
  HWND startup = Find(main_, L"Button", L"Run at &Windows startup");
  PressAlt(saver, WM_SYSCHAR, 'w');
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(startup, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  PressAlt(FocusOf(main_), WM_SYSCHAR, 'w');
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(startup, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
  HWND help = Find(main_, L"DvFlatSpeedButton", L"?");
  ASSERT_TRUE(TabTo(help));
  EXPECT_TRUE(WaitFor([&] { return MarkedEdge(help, GetSysColor(COLOR_BTNFACE)); })) << "no mark on a flat button";

  // The About window opens on OK; Tab walks every link, each scrolled into
  // view; Space opens the web site and a link of the list, Enter another.
  HWND about = Find(GetParent(Find(main_, L"Button", L"Start")), L"Button", L"");
  ASSERT_TRUE(TabTo(about));
  Press(about, VK_SPACE);
  HWND aboutWindow = program_->WaitForWindow(L"TfrmAbout", 5000);
  ASSERT_NE(aboutWindow, nullptr);
  HWND ok = Find(aboutWindow, L"Button", L"OK");
  EXPECT_TRUE(WaitFor([&] { return FocusOf(aboutWindow) == ok; }));
  HWND links = Find(aboutWindow, L"DvScrollBox");
  RECT page{};
  GetClientRect(links, &page);
  std::vector<std::wstring> order;
  for (int presses = 0; presses < 30; ++presses) {
    HWND before = FocusOf(aboutWindow);
    Press(before, VK_TAB);
    WaitFor([&] { return FocusOf(aboutWindow) != before; }, 5000);
    HWND now = FocusOf(aboutWindow);
    if (now == ok || now == before) break;
    const bool listed = GetParent(now) == links;
    order.push_back(listed ? L"link" : WindowText(now));
    EXPECT_TRUE(!listed || WaitFor(
                               [&] {
                                 RECT r{};
                                 GetWindowRect(now, &r);
                                 MapWindowPoints(HWND_DESKTOP, links, reinterpret_cast<POINT*>(&r), 2);
                                 return r.top >= 0 && r.bottom <= page.bottom;
                               },
                               2000))
        << "link " << order.size() << " out of view";
    if (order.size() == 1 || order.size() == 4) Press(now, VK_SPACE);
    if (order.size() == 14) Press(now, VK_RETURN);
  }
  std::vector<std::wstring> expected{L"www.quillon.example", L"support@quillon.example"};
  expected.insert(expected.end(), 12, L"link");
  expected.insert(expected.end(), {L"Update links", L"Add my website here!"});
  EXPECT_EQ(order, expected);
  Press(FocusOf(aboutWindow), VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(aboutWindow); }));

  ASSERT_TRUE(program_->CloseMainWindow());
  const std::string saved = folder_.ReadFile(L"WPapers.ini");
  EXPECT_NE(saved.find("Filename=1.bmp\r\nPath=" + std::string(wide.begin(), wide.end()) + "\r\nPosition=Stretch"),
            std::string::npos)
      << saved;
  EXPECT_EQ(saved.find("3.bmp"), std::string::npos) << saved;
}

}  // namespace
