// Add, Remove and Clear on the main window's list.
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "widgets/EffectLabel.h"

namespace {

using ListCommands = MainWindowFixture;

std::vector<std::wstring> Names(TfrmDorvane& form) {
  std::vector<std::wstring> names;
  for (const TWallpaperEntry& entry : form.Wallpapers()) names.push_back(entry.FileName);
  return names;
}

TEST_F(ListCommands, AddSkipsFilesAlreadyListedComparingOnlyLettersAToZWithoutCase) {
  Open();
  EXPECT_TRUE(form_->Wallpapers().Add(L"c:\\pics\\sea.jpg"));
  EXPECT_FALSE(form_->Wallpapers().Add(L"C:\\Pics\\Sea.JPG"));
  // An accented letter in another case is another file.
  EXPECT_TRUE(form_->Wallpapers().Add(L"c:\\pics\\\u00e9t\u00e9.jpg"));
  EXPECT_TRUE(form_->Wallpapers().Add(L"c:\\pics\\\u00c9t\u00c9.jpg"));
  EXPECT_FALSE(form_->Wallpapers().Add(L"C:\\PICS\\\u00e9T\u00e9.JPG"));
  ASSERT_EQ(form_->lstFiles->RowCount(), 3);
  const TWallpaperEntry& first = form_->Wallpapers().Entry(0);
  EXPECT_EQ(first.Path, L"c:\\pics");
  EXPECT_EQ(first.Position, "Center");
}

TEST_F(ListCommands, AFileAtADriveRootKeepsTheDriveAsItsPath) {
  Open();
  form_->Wallpapers().Add(L"C:\\x.bmp");
  EXPECT_EQ(form_->Wallpapers().Entry(0).Path, L"C:");
  EXPECT_EQ(form_->Wallpapers().Entry(0).FullFileName(), L"C:\\x.bmp");
  EXPECT_TRUE(form_->Wallpapers().Contains(L"c:\\X.BMP"));
}

TEST_F(ListCommands, RemoveSelectsTheRowThatTookThePlaceOrTheNewLastRow) {
  Open();
  for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) form_->Wallpapers().Add(std::wstring(L"C:\\w\\") + name + L".bmp");
  form_->WallpaperPanel().SelectFile(1);
  form_->WallpaperPanel().RemoveClick();
  EXPECT_EQ(Names(*form_), (std::vector<std::wstring>{L"a.bmp", L"c.bmp", L"d.bmp"}));
  EXPECT_EQ(form_->lstFiles->SelectedRow(), 1);  // c took b's place

  form_->WallpaperPanel().SelectFile(2);
  form_->WallpaperPanel().RemoveClick();
  EXPECT_EQ(form_->lstFiles->SelectedRow(), 1);  // the new last row
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are 2 files in the list.");

  form_->WallpaperPanel().RemoveClick();
  form_->WallpaperPanel().RemoveClick();
  EXPECT_EQ(form_->lstFiles->RowCount(), 0);
  EXPECT_EQ(form_->lstFiles->SelectedRow(), kNoRow);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are no files in the list!");
  form_->WallpaperPanel().RemoveClick();  // nothing focused: nothing happens
  // A removed file may be added again.
  EXPECT_TRUE(form_->Wallpapers().Add(L"C:\\w\\b.bmp"));
}

TEST_F(ListCommands, ClearAsksAndKeepsEverythingOnNo) {
  Open();
  {
    TBoxAnswerer none(L"Confirm", IDNO);
    form_->WallpaperPanel().ClearClick();  // empty list: no question
    Sleep(200);
    EXPECT_FALSE(none.Answered());
  }
  form_->Wallpapers().Add(L"C:\\w\\a.bmp");
  form_->Wallpapers().Add(L"C:\\w\\b.bmp");
  {
    TBoxAnswerer no(L"Confirm", IDNO);
    form_->WallpaperPanel().ClearClick();
    EXPECT_EQ(no.Text(), L"Are you sure you want to remove all files from the list?");
  }
  EXPECT_EQ(form_->lstFiles->RowCount(), 2);
  {
    TBoxAnswerer yes(L"Confirm", IDYES);
    form_->WallpaperPanel().ClearClick();
    EXPECT_TRUE(yes.Answered());
  }
  EXPECT_EQ(form_->lstFiles->RowCount(), 0);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are no files in the list!");
  EXPECT_TRUE(form_->Wallpapers().Add(L"C:\\w\\a.bmp")) << "the name index is emptied with the list";
}

}  // namespace
