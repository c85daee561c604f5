// The About window and the links library: a missing, damaged or incomplete
// Links.dat, the sample library with its scrolling list, the release at
// close, the file's date, and the addresses of the maker.
#include <gtest/gtest.h>

#include <algorithm>

#include "AboutTestKit.h"
#include "about/AboutLinks.h"
#include "widgets/GlyphButton.h"
#include "widgets/Label.h"
#include "widgets/ScrollBox.h"

namespace {

const wchar_t kFindError[] = L"Unable to find the external links file!";
const wchar_t kLoadError[] = L"Unable to load links!";

void SetModified(const std::wstring& path, WORD year, WORD month, WORD day) {
  // Noon, so that no time zone moves the day.
  SYSTEMTIME when{year, month, 0, day, 12, 0, 0, 0};
  FILETIME stamp{};
  SystemTimeToFileTime(&when, &stamp);
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, nullptr, nullptr, &stamp);
  CloseHandle(file);
}

std::wstring DateOf(WORD year, WORD month, WORD day) {
  SYSTEMTIME date{year, month, 0, day, 0, 0, 0, 0};
  wchar_t text[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64);
  return text;
}

std::unique_ptr<TfrmAbout> OpenIn(const std::wstring& folder) {
  auto form = std::make_unique<TfrmAbout>(folder);
  form->Create(nullptr);
  return form;
}

void CloseWithOk(TfrmAbout& form) {
  EXPECT_EQ(RunModal(form, [&] { PostMessageW(form.btnOK->Handle(), BM_CLICK, 0, 0); }), mrOk);
}

TEST(AboutLinks, WithoutLinksFileTheWindowSaysSoAndShowsNoDate) {
  TAboutFolder folder;
  auto form = OpenIn(folder.Path());
  EXPECT_EQ(form->LinksFile(), folder.Path() + L"Links.dat");
  EXPECT_EQ(form->lblLinksError->Caption(), kFindError);
  EXPECT_FALSE(form->scbLinks->Visible());
  EXPECT_EQ(form->lblLinksDate->Caption(), L"");
  EXPECT_EQ(form->LinksHandle(), nullptr);
  CloseWithOk(*form);
}

TEST(AboutLinks, ALinksFileThatIsNoLibraryShowsTheSameTextAndItsDate) {
  TAboutFolder folder;
  folder.Write(L"Links.dat", "These are not the links you are looking for.\r\n");
  SetModified(folder.File(L"Links.dat"), 2005, 11, 3);
  auto form = OpenIn(folder.Path());
  EXPECT_EQ(form->lblLinksError->Caption(), kFindError);
  EXPECT_FALSE(form->scbLinks->Visible());
  EXPECT_EQ(form->lblLinksDate->Caption(), L"Links.dat - " + DateOf(2005, 11, 3));
  EXPECT_NE(form->lblLinksDate->Caption().find(L"2005"), std::wstring::npos);
  // Sized to the text, the date keeps to the right edge of the panel.
  EXPECT_EQ(form->lblLinksDate->BoundsRect().right, 345);
  EXPECT_GT(form->lblLinksDate->Width(), 51);
}

TEST(AboutLinks, ALinksFolderInsteadOfAFileIsNotFound) {
  TAboutFolder folder;
  CreateDirectoryW(folder.File(L"Links.dat").c_str(), nullptr);
  auto form = OpenIn(folder.Path());
  EXPECT_EQ(form->lblLinksError->Caption(), kFindError);
  EXPECT_EQ(form->lblLinksDate->Caption(), L"");
}

TEST(AboutLinks, ALibraryWithoutShowLinksStaysLoadedUntilClose) {
  TAboutFolder folder;
  folder.CopyFromBin(L"about_nolinks.dll", L"Links.dat");
  const std::wstring path = folder.File(L"Links.dat");
  auto form = OpenIn(folder.Path());
  EXPECT_EQ(form->lblLinksError->Caption(), kLoadError);
  EXPECT_FALSE(form->scbLinks->Visible());
  EXPECT_NE(form->lblLinksDate->Caption().rfind(L"Links.dat - ", 0), std::wstring::npos);
  EXPECT_NE(form->LinksHandle(), nullptr);
  EXPECT_EQ(form->ShowLinksProc(), nullptr);
  EXPECT_NE(GetModuleHandleW(path.c_str()), nullptr);
  CloseWithOk(*form);
  EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

TEST(AboutLinks, TheSampleLibraryFillsAScrollingList) {
  auto form = OpenIn(ProgramFolder());
  ASSERT_NE(form->LinksHandle(), nullptr) << "Links.dat missing beside the test program";
  EXPECT_TRUE(form->scbLinks->Visible());
  EXPECT_EQ(form->lblLinksError->Caption(), L"");
  EXPECT_NE(form->lblLinksDate->Caption().rfind(L"Links.dat - ", 0), std::wstring::npos);
  const auto links = ChildWindows(form->scbLinks->Handle());
  ASSERT_GE(links.size(), 8u);
  for (HWND link : links) EXPECT_EQ(GetParent(link), form->scbLinks->Handle());
  // More links than the box can show: it scrolls them.
  const int page = form->scbLinks->ClientRect().bottom;
  EXPECT_GT(form->scbLinks->ContentHeight(), page);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(form->scbLinks->Handle(), SB_VERT, &info));
  EXPECT_EQ(static_cast<int>(info.nPage), page);
  EXPECT_EQ(info.nMax + 1, form->scbLinks->ContentHeight());
  // Every link moves with the list, also those out of view.
  ShowWindow(form->Handle(), SW_SHOWNA);
  UpdateWindow(form->Handle());
  auto tops = [&] {
    std::vector<int> result;
    for (HWND link : links) result.push_back(PlaceIn(form->scbLinks->Handle(), link).top);
    return result;
  };
  const std::vector<int> before = tops();
  EXPECT_EQ(*std::min_element(before.begin(), before.end()), 0);
  for (int code : {SB_LINEDOWN, SB_BOTTOM, SB_LINEUP, SB_TOP}) {
    SCOPED_TRACE(code);
    SendMessageW(form->scbLinks->Handle(), WM_VSCROLL, code, 0);
    const int pos = form->scbLinks->ScrollPos();
    const std::vector<int> after = tops();
    for (size_t i = 0; i < links.size(); ++i) EXPECT_EQ(after[i], before[i] - pos);
  }
  SendMessageW(form->scbLinks->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(form->scbLinks->ScrollPos(), form->scbLinks->ContentHeight() - page);
}

TEST(AboutLinks, EachOpeningLoadsTheLibraryAndEachCloseReleasesIt) {
  const std::wstring path = ProgramFolder() + L"Links.dat";
  ASSERT_EQ(GetModuleHandleW(path.c_str()), nullptr);
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    auto form = OpenIn(ProgramFolder());
    ASSERT_NE(GetModuleHandleW(path.c_str()), nullptr);
    const auto links = ChildWindows(form->scbLinks->Handle());
    ASSERT_FALSE(links.empty());
    CloseWithOk(*form);
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
    EXPECT_EQ(form->LinksHandle(), nullptr);
    // The library's controls are the system's and outlive it, until the
    // window goes.
    EXPECT_TRUE(IsWindow(links.front()));
    form.reset();
    EXPECT_FALSE(IsWindow(links.front()));
  }
}

TEST(AboutLinks, AWindowFreedWithoutClosingStillReleasesTheLibrary) {
  const std::wstring path = ProgramFolder() + L"Links.dat";
  {
    auto form = OpenIn(ProgramFolder());
    ASSERT_NE(GetModuleHandleW(path.c_str()), nullptr);
  }
  EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

TEST(AboutLinks, ControlsRunningLibraryCodeGoBeforeTheLibrary) {
  TAboutFolder folder;
  folder.CopyFromBin(L"about_ownlinks.dll", L"Links.dat");
  auto form = OpenIn(folder.Path());
  ASSERT_NE(form->ShowLinksProc(), nullptr);
  HWND plain = nullptr, own = nullptr;
  for (HWND child : ChildWindows(form->scbLinks->Handle()))
    (ClassOf(child) == L"AboutTestOwnLink" ? own : plain) = child;
  ASSERT_NE(own, nullptr);
  ASSERT_NE(plain, nullptr);
  CloseWithOk(*form);
  EXPECT_FALSE(IsWindow(own));
  EXPECT_TRUE(IsWindow(plain));
  EXPECT_EQ(GetModuleHandleW(folder.File(L"Links.dat").c_str()), nullptr);
  // Moving the pointer over the place and freeing the window run nothing of
  // the released library.
  SendMessageW(form->scbLinks->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 20));
  form.reset();
}

// A third party may build the library with a .def file or with dllexport
// alone; in 32-bit code both must export the plain, undecorated name, which
// the window then calls with the __stdcall convention.
TEST(AboutLinks, LibrariesBuiltWithAndWithoutADefFileAreCalled) {
  for (const wchar_t* library : {L"about_ownlinks.dll", L"about_exportlinks.dll"}) {
    SCOPED_TRACE(library);
    TAboutFolder folder;
    folder.CopyFromBin(library, L"Links.dat");
    auto form = OpenIn(folder.Path());
    ASSERT_NE(form->ShowLinksProc(), nullptr);
    EXPECT_EQ(GetProcAddress(form->LinksHandle(), "ShowLinks@8"), nullptr);
    EXPECT_EQ(ChildWindows(form->scbLinks->Handle()).size(), 2u);
    CloseWithOk(*form);
  }
}

TEST(AboutLinks, ShowAboutWindowFreesTheWindowAndTheLibrary) {
  const std::wstring path = ProgramFolder() + L"Links.dat";
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 40, 30, 400, 300, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  std::atomic<bool> sawLibrary{false};
  std::atomic<HWND> about{nullptr};
  std::thread presser([&] {
    for (int i = 0; i < 500 && !about; ++i) {
      HWND found = FindWindowW(L"TfrmAbout", L"About Ombrelle");
      if (found && IsWindowVisible(found))
        about = found;
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    sawLibrary = GetModuleHandleW(path.c_str()) != nullptr;
    if (about) PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ShowAboutWindow(owner);
  presser.join();
  ASSERT_NE(about.load(), nullptr);
  EXPECT_TRUE(sawLibrary);
  EXPECT_FALSE(IsWindow(about));
  EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST(AboutLinks, FileDateTextFollowsTheFile) {
  TAboutFolder folder;
  EXPECT_EQ(FileDateText(folder.File(L"absent.dat")), L"");
  EXPECT_EQ(FileDateText(L""), L"");
  EXPECT_EQ(FileDateText(folder.Path()), L"");
  folder.Write(L"dated.dat", "x");
  SetModified(folder.File(L"dated.dat"), 1999, 12, 31);
  EXPECT_EQ(FileDateText(folder.File(L"dated.dat")), DateOf(1999, 12, 31));
  SetModified(folder.File(L"dated.dat"), 2024, 2, 29);
  EXPECT_EQ(FileDateText(folder.File(L"dated.dat")), DateOf(2024, 2, 29));
}

}  // namespace
