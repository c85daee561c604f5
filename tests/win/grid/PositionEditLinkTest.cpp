// The position editor on a real wallpaper grid, driven as the user would:
// mouse presses, keys and the pointer's place on the screen.
#include <gtest/gtest.h>

#include "GridTestSupport.h"

namespace {

class PositionEditor : public ::testing::Test {
 protected:
  THostWindow& host = SharedHost();
  std::unique_ptr<TWallpaperGrid> grid = MakeWallpaperGrid(host.Handle());

  void SetUp() override {
    WireProgramHandlers(*grid);
    for (const char* position : {"Center", "Stretch", "Center", "TILE"})
      grid->AppendRow(Entry(L"pic.jpg", position));
    PumpMessages();
  }

  // The pointer over a row of the grid, or well below the grid.
  void PointerOnRow(int row) {
    POINT p = CellCenter(*grid, row, 0);
    ClientToScreen(grid->Handle(), &p);
    SetCursorPos(p.x, p.y);
  }
  void PointerAway() {
    POINT p{20, grid->ClientRect().bottom + 30};
    ClientToScreen(grid->Handle(), &p);
    SetCursorPos(p.x, p.y);
  }
  TPositionBox* Box() const {
    auto* link = dynamic_cast<TPositionEditLink*>(grid->EditLink());
    return link ? link->Box() : nullptr;
  }
  // Opens the editor by clicking the row's Position cell.
  TPositionBox* ClickPosition(int row) {
    PointerOnRow(row);
    Click(grid->Handle(), CellCenter(*grid, row, 2));
    return Box();
  }
};

TEST_F(PositionEditor, AClickOnThePositionCellShowsTheBoxOverIt) {
  TPositionBox* box = ClickPosition(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(grid->EditRow(), 1);
  EXPECT_EQ(grid->EditColumn(), 2);
  EXPECT_TRUE(IsWindowVisible(box->Handle()));
  EXPECT_EQ(GetFocus(), box->Handle());
  EXPECT_EQ(GetParent(box->Handle()), grid->Handle());
  EXPECT_EQ(box->ItemIndex(), 2) << "Stretch preselected";
  EXPECT_EQ(SendMessageW(box->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(box->Handle(), CB_GETITEMHEIGHT, 0, 0), 13);
  // A flat edge: one line of the shadow colour, the window colour inside it.
  UpdateWindow(box->Handle());
  {
    HDC dc = GetDC(box->Handle());
    const int middle = box->ClientRect().bottom / 2;
    EXPECT_EQ(GetPixel(dc, 0, middle), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 1, middle), GetSysColor(COLOR_WINDOW));
    ReleaseDC(box->Handle(), dc);
  }

  const RECT cell = grid->CellRect(1, 2);
  const RECT bounds = grid->EditLink()->GetBounds();
  int left = 0, right = 0;
  grid->GetColumnBounds(2, left, right);
  EXPECT_EQ(bounds.left, cell.left);
  EXPECT_EQ(bounds.top, cell.top);
  EXPECT_EQ(bounds.right, right);

  // Clicks on File name or Path never open an editor.
  PressKey(box->Handle(), VK_ESCAPE);
  Click(grid->Handle(), CellCenter(*grid, 2, 0));
  Click(grid->Handle(), CellCenter(*grid, 2, 1));
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->FocusedRow(), 2);
}

TEST_F(PositionEditor, EscapeKeepsTheOldPosition) {
  TPositionBox* box = ClickPosition(1);
  ASSERT_NE(box, nullptr);
  PressKey(box->Handle(), VK_UP);  // Stretch -> Tile
  EXPECT_EQ(box->ItemIndex(), 1);
  PressKey(box->Handle(), VK_ESCAPE);
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_FALSE(IsWindowVisible(box->Handle()));
  EXPECT_EQ(grid->Data(1).Position, "Stretch");
  PumpMessages();
}

TEST_F(PositionEditor, ChoosingTileAndClickingAnotherRowStoresIt) {
  TPositionBox* box = ClickPosition(0);
  ASSERT_NE(box, nullptr);
  PressKey(box->Handle(), VK_DOWN);  // Center -> Tile
  PointerOnRow(2);
  Click(grid->Handle(), CellCenter(*grid, 2, 0));
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->Data(0).Position, "Tile");
  EXPECT_EQ(grid->SelectedRow(), 2) << "the press then acts on its own row";
  EXPECT_EQ(grid->OnGetText(0, 2), L"Tile");
}

TEST_F(PositionEditor, APressOnTheEditedRowKeepsItOpenAndEnterEndsItAnyway) {
  TPositionBox* box = ClickPosition(2);
  ASSERT_NE(box, nullptr);
  PressKey(box->Handle(), VK_DOWN);
  PressKey(box->Handle(), VK_DOWN);  // Center -> Tile -> Stretch
  EXPECT_EQ(box->ItemIndex(), 2);

  // A press on the File name cell of the edited row leaves it open.
  Click(grid->Handle(), CellCenter(*grid, 2, 0));
  EXPECT_TRUE(grid->IsEditing());
  EXPECT_EQ(grid->Data(2).Position, "Center");

  // Enter ends it although the pointer still rests on the row.
  ValidateRect(grid->Handle(), nullptr);
  PressKey(box->Handle(), VK_RETURN);
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->Data(2).Position, "Stretch");
  RECT update{};
  ASSERT_TRUE(GetUpdateRect(grid->Handle(), &update, FALSE)) << "the row is repainted";
  const POINT middle = CellCenter(*grid, 2, 2);
  EXPECT_TRUE(PtInRect(&update, middle));
}

TEST_F(PositionEditor, CapitalTilePreselectsCenterAndEndingStoresCenter) {
  PointerOnRow(3);
  grid->SetFocusedRow(3);
  PressKey(grid->Handle(), VK_SPACE);  // Space edits the focused row's Position
  TPositionBox* box = Box();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(grid->EditRow(), 3);
  EXPECT_EQ(box->ItemIndex(), 0);
  PointerAway();
  PressKey(box->Handle(), VK_SPACE);
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->Data(3).Position, "Center");
}

TEST_F(PositionEditor, LosingTheFocusEndsTheEdit) {
  TPositionBox* box = ClickPosition(1);
  ASSERT_NE(box, nullptr);
  PressKey(box->Handle(), VK_HOME);  // -> Center
  PointerAway();
  SetFocus(host.Handle());
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->Data(1).Position, "Center");
  // Edits end and links go; the grid stays usable for the next one.
  PumpMessages();
  EXPECT_NE(ClickPosition(0), nullptr);
}

TEST_F(PositionEditor, OnlyRowsOfTheListCanBeEdited) {
  TEditLinkPtr link = TPositionEditLink::Create(grid->List);
  EXPECT_FALSE(link->PrepareEdit(nullptr, 0, 2));
  EXPECT_FALSE(link->PrepareEdit(grid.get(), 9, 2));
  EXPECT_TRUE(link->PrepareEdit(grid.get(), 0, 2));
  EXPECT_TRUE(link->CancelEdit());
}

}  // namespace
