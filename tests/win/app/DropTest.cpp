// Files and folders dropped on the wallpaper grid: the shell's own data
// object for the dragged items, as Explorer makes it, handed to the grid's
// drop target as OLE hands it during a drag.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>
#include <memory>

#include "WindowFixture.h"
#include "gui/AnsiText.h"
#include "gui/ComPtr.h"
#include "widgets/EffectLabel.h"

namespace {

struct TItemDeleter {
  void operator()(ITEMIDLIST* item) const { CoTaskMemFree(item); }
};
using TItem = std::unique_ptr<ITEMIDLIST, TItemDeleter>;

class Drop : public MainWindowFixture {
 protected:
  static void SetUpTestSuite() {
    MainWindowFixture::SetUpTestSuite();
    OleInitialize(nullptr);  // as the program's entry does
  }
  void SetUp() override {
    MainWindowFixture::SetUp();
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    folder_ = std::wstring(temp) + L"dv drop " + std::to_wstring(GetCurrentProcessId());
    for (const wchar_t* name :
         {L"b.jpg", L"A.GIF", L"listed.bmp", L"notes.txt", L"More\\Gamma.JPEG", L"More\\alpha.jpe", L"More\\Beta.bmp",
          L"More\\read me.txt", L"More\\sub\\deep.jpg", L"Deep\\sub\\deep.jpg", L"\u4E2D\u6587 picture.jpg"}) {
      std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
      CloseHandle(CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

  // The shell's data object for items of the test folder, made as Explorer
  // makes it for a drag.
  TComPtr<IDataObject> Items(const std::vector<std::wstring>& names) {
    const TItem folderItem = Parse(folder_);
    IShellFolder* folder = nullptr;
    EXPECT_EQ(SHBindToObject(nullptr, folderItem.get(), nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)),
              S_OK);
    const auto folderPtr = TComPtr<IShellFolder>::Attach(folder);
    std::vector<TItem> items;
    std::vector<PCUITEMID_CHILD> children;
    for (const std::wstring& name : names) {
      items.push_back(Parse(Path(name)));
      children.push_back(ILFindLastID(items.back().get()));
    }
    IDataObject* data = nullptr;
    EXPECT_EQ(folder->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(), IID_IDataObject,
                                    nullptr, reinterpret_cast<void**>(&data)),
              S_OK);
    return TComPtr<IDataObject>::Attach(data);
  }
  static TItem Parse(const std::wstring& name) {
    PIDLIST_ABSOLUTE item = nullptr;
    EXPECT_EQ(SHParseDisplayName(name.c_str(), nullptr, &item, 0, nullptr), S_OK);
    return TItem(item);
  }

  std::wstring folder_;
};

TEST_F(Drop, AddsPicturesAndFoldersAsAddDoesAndEndsTheEdit) {
  Open();
  TVirtualGrid& grid = *form_->lstFiles;
  const TComPtr<IDropTarget> target(form_->WallpaperPanel().DropTarget());
  ASSERT_TRUE(target) << "the grid takes drops";
  const DWORD any = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

  // Nothing to add: a text file, and a folder whose only picture lies in a
  // subfolder.
  DWORD effect = any;
  target->DragEnter(Items({L"notes.txt", L"Deep"}).Get(), MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  target->DragLeave();

  // Nothing either while a dialog of the window is open.
  const TComPtr<IDataObject> data =
      Items({L"b.jpg", L"A.GIF", L"b.jpg", L"listed.bmp", L"notes.txt", L"More", L"\u4E2D\u6587 picture.jpg"});
  EnableWindow(form_->Handle(), FALSE);
  effect = any;
  target->DragEnter(data.Get(), MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  EnableWindow(form_->Handle(), TRUE);
  effect = any;
  target->DragOver(MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));

  // A listed file whose Position is being edited, the pointer away from it.
  form_->Wallpapers().Add(Path(L"listed.bmp"));
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  ASSERT_TRUE(grid.EditNode(0, 2));
  SendMessageW(FindWindowExW(grid.Handle(), nullptr, WC_COMBOBOXW, nullptr), CB_SETCURSEL, 1, 0);  // Tile
  effect = any;
  target->Drop(data.Get(), 0, POINTL{}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
  Pump();

  std::vector<std::wstring> rows;
  for (const TWallpaperEntry& entry : form_->Wallpapers()) rows.push_back(entry.FullFileName());
  // Wine keeps short names, so the name outside the code page is listed by
  // its short name.
  const std::wstring shortName = ShortPathName(Path(L"\u4E2D\u6587 picture.jpg"));
  ASSERT_FALSE(shortName.empty());
  EXPECT_EQ(rows,
            (std::vector<std::wstring>{Path(L"listed.bmp"), Path(L"b.jpg"), Path(L"A.GIF"), Path(L"More\\alpha.jpe"),
                                       Path(L"More\\Beta.bmp"), Path(L"More\\Gamma.JPEG"), shortName}));
  EXPECT_EQ(form_->Wallpapers().Entry(0).Position, "Tile") << "the edit ended keeping the choice";
  EXPECT_EQ(form_->Wallpapers().Entry(6).Position, "Center");
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(grid.RowCount(), 7);
  EXPECT_EQ(grid.SelectedRow(), 6);
  EXPECT_EQ(grid.FocusedRow(), 6);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are 7 files in the list.");

  // The registration ends with the window: only the panel and this test
  // still hold the target.
  CloseWindow();
  EXPECT_EQ(target->AddRef(), 3u);
  target->Release();
}

}  // namespace
