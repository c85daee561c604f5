// Add, Remove and Clear on the main window's list.
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "widgets/EffectLabel.h"

namespace {

using ListCommands = MainWindowFixture;

std::vector<std::wstring> Names(TfrmDorvane& form) {
  std::vector<std::wstring> names;
  for (const TWallpaperEntry& entry : *form.lstFiles) names.push_back(entry.FileName);
  return names;
}

TEST_F(ListCommands, AddSkipsFilesAlreadyListedComparingOnlyLettersAToZWithoutCase) {
  Open();
  EXPECT_TRUE(form_->AddFile(L"c:\\pics\\sea.jpg"));
  EXPECT_FALSE(form_->AddFile(L"C:\\Pics\\Sea.JPG"));
  // An accented letter in another case is another file.
  EXPECT_TRUE(form_->AddFile(L"c:\\pics\\\u00e9t\u00e9.jpg"));
  EXPECT_TRUE(form_->AddFile(L"c:\\pics\\\u00c9t\u00c9.jpg"));
  EXPECT_FALSE(form_->AddFile(L"C:\\PICS\\\u00e9T\u00e9.JPG"));
  ASSERT_EQ(form_->lstFiles->RowCount(), 3);
  const TWallpaperEntry& first = form_->lstFiles->Data(0);
  EXPECT_EQ(first.Path, L"c:\\pics");
  EXPECT_EQ(first.Position, "Center");
}

TEST_F(ListCommands, AFileAtADriveRootKeepsTheDriveAsItsPath) {
  Open();
  form_->AddFile(L"C:\\x.bmp");
  EXPECT_EQ(form_->lstFiles->Data(0).Path, L"C:");
  EXPECT_EQ(form_->lstFiles->Data(0).FullFileName(), L"C:\\x.bmp");
  EXPECT_TRUE(form_->IsInList(L"c:\\X.BMP"));
}

TEST_F(ListCommands, RemoveSelectsTheRowThatTookThePlaceOrTheNewLastRow) {
  Open();
  for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) form_->AddFile(std::wstring(L"C:\\w\\") + name + L".bmp");
  form_->SelectFile(1);
  form_->btnRemoveClick();
  EXPECT_EQ(Names(*form_), (std::vector<std::wstring>{L"a.bmp", L"c.bmp", L"d.bmp"}));
  EXPECT_EQ(form_->lstFiles->SelectedRow(), 1);  // c took b's place

  form_->SelectFile(2);
  form_->btnRemoveClick();
  EXPECT_EQ(form_->lstFiles->SelectedRow(), 1);  // the new last row
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are 2 files in the list.");

  form_->btnRemoveClick();
  form_->btnRemoveClick();
  EXPECT_EQ(form_->lstFiles->RowCount(), 0);
  EXPECT_EQ(form_->lstFiles->SelectedRow(), kNoRow);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are no files in the list!");
  form_->btnRemoveClick();  // nothing focused: nothing happens
  // A removed file may be added again.
  EXPECT_TRUE(form_->AddFile(L"C:\\w\\b.bmp"));
}

TEST_F(ListCommands, ClearAsksAndKeepsEverythingOnNo) {
  Open();
  {
    TBoxAnswerer none(L"Confirm", IDNO);
    form_->btnClearClick();  // empty list: no question
    Sleep(200);
    EXPECT_FALSE(none.Answered());
  }
  form_->AddFile(L"C:\\w\\a.bmp");
  form_->AddFile(L"C:\\w\\b.bmp");
  {
    TBoxAnswerer no(L"Confirm", IDNO);
    form_->btnClearClick();
    EXPECT_EQ(no.Text(), L"Are you sure you want to remove all files from the list?");
  }
  EXPECT_EQ(form_->lstFiles->RowCount(), 2);
  {
    TBoxAnswerer yes(L"Confirm", IDYES);
    form_->btnClearClick();
    EXPECT_TRUE(yes.Answered());
  }
  EXPECT_EQ(form_->lstFiles->RowCount(), 0);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are no files in the list!");
  EXPECT_TRUE(form_->AddFile(L"C:\\w\\a.bmp")) << "the name index is emptied with the list";
}

}  // namespace
