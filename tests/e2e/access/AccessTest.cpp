// The real program as a screen reader reads it from another process: the
// main window's accessible tree, a default action, the About window's tree
// and an object that outlives its window, moving, pointing and selecting by
// rows, and the focus event of a row.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AccessibleTreeText.h"
#include "ProgramTest.h"

namespace {

using namespace e2e;

VARIANT Self() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

std::wstring NameOf(IAccessible& object, VARIANT child) {
  BSTR name = nullptr;
  if (FAILED(object.get_accName(child, &name)) || !name) return {};
  std::wstring text(name, SysStringLen(name));
  SysFreeString(name);
  return text;
}

// The name of the object that a call handed back; the variant is cleared.
std::wstring ObjectName(VARIANT& found) {
  std::wstring name;
  IAccessible* object = nullptr;
  if (found.vt == VT_DISPATCH &&
      SUCCEEDED(found.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object)))) {
    name = NameOf(*object, Self());
    object->Release();
  }
  VariantClear(&found);
  return name;
}

// The child of root with the given name, or null.
IAccessible* ChildNamed(IAccessible& root, const std::wstring& name) {
  long count = 0;
  root.get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long got = 0;
  AccessibleChildren(&root, 0, count, children.data(), &got);
  IAccessible* found = nullptr;
  for (long i = 0; i < got; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    IAccessible* object = nullptr;
    if (child.vt == VT_DISPATCH &&
        SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object)))) {
      if (!found && NameOf(*object, Self()) == name)
        found = object;
      else
        object->Release();
    }
    VariantClear(&child);
  }
  return found;
}

IAccessible* ClientOf(HWND window) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
  return object;
}

HWND ChildOfClass(HWND parent, const wchar_t* className, const wchar_t* text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (std::wstring(name) == className && (!text || WindowText(child) == text)) return child;
    if (HWND found = ChildOfClass(child, className, text)) return found;
  }
  return nullptr;
}

class Access : public TProgramTest {
 protected:
  void SetUp() override {
    TProgramTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    folder_.Copy(L"Dorvane.exe", L"Dorvane.exe");
    folder_.WriteFile(L"WPapers.ini",
                      "[Wallpaper #1]\r\nFilename=Sea.jpg\r\nPath=C:\\Pictures\r\nPosition=Center\r\n\r\n"
                      "[Wallpaper #2]\r\nFilename=Forest.bmp\r\nPath=C:\\Pictures\\Nature\r\nPosition=Tile\r\n\r\n"
                      "[Wallpaper #3]\r\nFilename=City.gif\r\nPath=D:\r\nPosition=Stretch\r\n\r\n");
    program_ = std::make_unique<TProgram>(folder_.Path() + L"Dorvane.exe");
    main_ = program_->WaitForWindow(L"TfrmDorvane", 20000);
    ASSERT_NE(main_, nullptr);
  }
  void TearDown() override {
    if (program_) {
      EXPECT_TRUE(program_->CloseMainWindow());
    }
    program_.reset();
    CoUninitialize();
    TProgramTest::TearDown();
  }

  TProgramFolder folder_;
  std::unique_ptr<TProgram> program_;
  HWND main_ = nullptr;
};

TEST_F(Access, TheMainWindowReadsAsOneTreeOfNamedElements) {
  const std::wstring tree = AccessibleTreeText(main_);
  for (const wchar_t* line : {
           L"\n  list \"Wallpapers\" [focused, focusable]\n",
           L"\n    list item \"Sea.jpg\" description=\"Path: C:\\Pictures, Position: Center\" "
           L"[selected, focused, focusable, selectable]\n",
           L"\n    list item \"Forest.bmp\" description=\"Path: C:\\Pictures\\Nature, Position: Tile\" "
           L"[focusable, selectable]\n",
           L"\n    list item \"City.gif\" description=\"Path: D:, Position: Stretch\" [focusable, selectable]\n",
           L"\n  static text \"There are 3 files in the list.\"",
           L"\n  push button \"Mouse pointer settings\" [focusable]\n",
           L"\n  push button \"Screen saver settings\" [focusable]\n",
           L"\n  push button \"Stretch mode help\" [focusable]\n",
           L"\n  slider \"Use random timer\" value=\"10 min.\" [focusable]\n",
           L" \"Stretch Mode\" value=\"Dorvane Method\"",
           L" \"Background\" value=\"Black\"",
           L" \"About\" [focusable]\n",
       })
    EXPECT_NE(tree.find(line), std::wstring::npos) << "missing: " << testing::PrintToString(std::wstring(line));
  // Bands, pictures, edges and panels are not announced: every element has a name.
  std::wistringstream lines(tree);
  for (std::wstring line; std::getline(lines, line);)
    EXPECT_NE(line.find(L'"'), std::wstring::npos) << testing::PrintToString(line);

  // A default action returns at once and runs in the program afterwards:
  // the help's message box opens while the caller goes on.
  IAccessible* root = ClientOf(main_);
  ASSERT_NE(root, nullptr);
  IAccessible* help = ChildNamed(*root, L"Stretch mode help");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->accDoDefaultAction(Self()), S_OK);
  HWND box = WaitForMessageBox(program_->Id(), L"Information", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box).rfind(L"Default Method:", 0), 0u);
  PressButton(box, IDOK);
  help->Release();
  root->Release();
}

TEST_F(Access, TheAboutWindowHasItsOwnTreeAndItsObjectsOutliveIt) {
  HWND about = ChildOfClass(main_, L"Button", L"");
  ASSERT_NE(about, nullptr);
  PostMessageW(about, BM_CLICK, 0, 0);
  HWND window = program_->WaitForWindow(L"TfrmAbout", 10000);
  ASSERT_NE(window, nullptr);
  const std::wstring tree = AccessibleTreeText(window);
  EXPECT_EQ(tree.rfind(L"client \"About Ombrelle\"", 0), 0u) << testing::PrintToString(tree);
  EXPECT_NE(tree.find(L"\n  link \"Update links\""), std::wstring::npos) << testing::PrintToString(tree);

  // A screen reader still holds the window's object when the window closes:
  // the object answers that it is disconnected (an access violation that
  // the call's stub caught would be a failure too, but a wrong one).
  IAccessible* root = ClientOf(window);
  ASSERT_NE(root, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(window); }));
  long count = 0;
  const HRESULT gone = root->get_accChildCount(&count);
  EXPECT_TRUE(gone == RPC_E_DISCONNECTED || gone == CO_E_OBJNOTCONNECTED ||
              gone == HRESULT_FROM_WIN32(RPC_S_UNKNOWN_IF))
      << std::hex << gone;
  root->Release();
  EXPECT_TRUE(program_->Running());
  EXPECT_NE(AccessibleTreeText(main_).find(L"list item \"Sea.jpg\""), std::wstring::npos);
}

TEST_F(Access, AScreenReaderMovesPointsAndSelectsByRows) {
  HWND gridWindow = ChildOfClass(main_, L"TDorvaneVirtualGrid", nullptr);
  IAccessible* root = ClientOf(main_);
  IAccessible* grid = ClientOf(gridWindow);
  ASSERT_NE(root, nullptr);
  ASSERT_NE(grid, nullptr);
  VARIANT found;
  VariantInit(&found);
  // From the list to its neighbour in the form, and from row to row.
  ASSERT_EQ(grid->accNavigate(NAVDIR_NEXT, Self(), &found), S_OK);
  EXPECT_EQ(ObjectName(found), L"There are 3 files in the list.");
  VARIANT first;
  VariantInit(&first);
  first.vt = VT_I4;
  first.lVal = 1;
  ASSERT_EQ(grid->accNavigate(NAVDIR_DOWN, first, &found), S_OK);
  EXPECT_EQ(found.vt == VT_I4 ? found.lVal : -1, 2);

  // The middle of the third row's place is the third row, in the grid and
  // in the form, which hands the point to the list.
  VARIANT third = first;
  third.lVal = 3;
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(grid->accLocation(&left, &top, &width, &height, third), S_OK);
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  ASSERT_EQ(grid->accHitTest(left + width / 2, top + height / 2, &found), S_OK);
  EXPECT_EQ(found.vt == VT_I4 ? found.lVal : -1, 3);
  ASSERT_EQ(root->accHitTest(left + width / 2, top + height / 2, &found), S_OK);
  EXPECT_EQ(ObjectName(found), L"Wallpapers");

  // Selecting it as a screen reader does moves the grid's focus there.
  ASSERT_EQ(grid->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, third), S_OK);
  ASSERT_EQ(grid->get_accFocus(&found), S_OK);
  EXPECT_EQ(found.vt == VT_I4 ? found.lVal : -1, 3);
  ASSERT_EQ(grid->get_accSelection(&found), S_OK);
  EXPECT_EQ(found.vt == VT_I4 ? found.lVal : -1, 3);
  grid->Release();
  root->Release();
}

struct TEvent {
  DWORD Event;
  HWND Window;
  LONG Object;
  LONG Child;
};
std::vector<TEvent> events;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  events.push_back({event, window, object, child});
}

TEST_F(Access, DownRaisesTheFocusEventOfTheNextRow) {
  HWND grid = ChildOfClass(main_, L"TDorvaneVirtualGrid", nullptr);
  ASSERT_NE(grid, nullptr);
  events.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, RecordEvent, program_->Id(),
                                       0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  PostMessageW(grid, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(grid, WM_KEYUP, VK_DOWN, 0xC0000001);
  const auto focusOnSecondRow = [&] {
    for (const TEvent& e : events)
      if (e.Event == EVENT_OBJECT_FOCUS && e.Window == grid && e.Object == OBJID_CLIENT && e.Child == 2) return true;
    return false;
  };
  for (const DWORD start = GetTickCount(); !focusOnSecondRow() && GetTickCount() - start < 10000; Sleep(10)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  UnhookWinEvent(hook);
  ASSERT_TRUE(focusOnSecondRow());

  // The event's object is the row, read as a screen reader reads it.
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  ASSERT_EQ(AccessibleObjectFromEvent(grid, OBJID_CLIENT, 2, &object, &child), S_OK);
  EXPECT_EQ(NameOf(*object, child), L"Forest.bmp");
  VARIANT state;
  VariantInit(&state);
  ASSERT_EQ(object->get_accState(child, &state), S_OK);
  EXPECT_EQ(state.lVal & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED), STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED);
  object->Release();
}

}  // namespace
