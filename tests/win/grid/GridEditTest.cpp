// The editing machinery with an editor link that records what the grid asks.
#include <gtest/gtest.h>

#include <algorithm>

#include "GridTestSupport.h"

namespace {

struct TLog {
  std::vector<std::string> calls;
  bool refuseFinish = false;
  bool destroyed = false;
  RECT bounds{};
  int messages = 0;
};

class TRecordingLink : public TEditLinkBase {
 public:
  explicit TRecordingLink(TLog& log) : log_(log) {}
  bool STDMETHODCALLTYPE BeginEdit() override { return Note("begin"), true; }
  bool STDMETHODCALLTYPE CancelEdit() override { return Note("cancel"), true; }
  bool STDMETHODCALLTYPE EndEdit() override { return Note("finish"), !log_.refuseFinish; }
  bool STDMETHODCALLTYPE PrepareEdit(TVirtualGrid*, int row, int column) override {
    Note("prepare " + std::to_string(row) + "," + std::to_string(column));
    return true;
  }
  RECT STDMETHODCALLTYPE GetBounds() override { return log_.bounds; }
  void STDMETHODCALLTYPE ProcessMessage(MSG&) override { ++log_.messages; }
  void STDMETHODCALLTYPE SetBounds(RECT bounds) override {
    Note("place");
    log_.bounds = bounds;
  }

 private:
  ~TRecordingLink() override { log_.destroyed = true; }
  void Note(const std::string& call) { log_.calls.push_back(call); }
  TLog& log_;
};

class GridEdit : public ::testing::Test {
 protected:
  THostWindow& host = SharedHost();
  std::unique_ptr<TWallpaperGrid> grid = MakeWallpaperGrid(host.Handle());
  TLog log;

  void SetUp() override {
    AddRows(*grid, 40);
    grid->OnEditing = [this](int row, int column, bool& allowed) {
      log.calls.push_back("rule " + std::to_string(row) + "," + std::to_string(column));
      allowed = column == 2;
    };
    grid->OnCreateEditor = [this](int, int, TEditLinkPtr& link) {
      log.calls.push_back("create");
      link = TEditLinkPtr(new TRecordingLink(log));
    };
  }
};

TEST_F(GridEdit, AnEditRunsRuleCreatorPreparePlaceBegin) {
  ASSERT_TRUE(grid->EditNode(30, 2));
  EXPECT_EQ(log.calls, (std::vector<std::string>{"rule 30,2", "create", "prepare 30,2", "place", "begin"}));
  EXPECT_TRUE(grid->IsEditing());
  EXPECT_EQ(grid->EditRow(), 30);
  EXPECT_EQ(grid->FocusedRow(), 30);
  // The row was scrolled into view before the editor was placed on it.
  const RECT cell = grid->CellRect(30, 2);
  EXPECT_TRUE(EqualRect(&log.bounds, &cell));
  EXPECT_GE(cell.top, grid->HeaderHeight());
  EXPECT_LE(cell.bottom, grid->ClientRect().bottom);

  // Layout changes place the editor again.
  log.calls.clear();
  grid->SetOffsetY(grid->OffsetY() - TVirtualGrid::kScrollStep);
  grid->SetColumnWidth(0, 120);
  EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "place"), 2);
  const RECT moved = grid->CellRect(30, 2);
  EXPECT_TRUE(EqualRect(&log.bounds, &moved));
}

TEST_F(GridEdit, ARefusedColumnOnlyMovesTheFocus) {
  grid->SelectRow(1);
  EXPECT_FALSE(grid->EditNode(25, 0));
  EXPECT_EQ(log.calls, std::vector<std::string>{"rule 25,0"});
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->FocusedRow(), 25);
  EXPECT_EQ(grid->SelectedRow(), 1);
  EXPECT_FALSE(grid->EditNode(40, 2)) << "no such row";
}

TEST_F(GridEdit, ARefusedFinishKeepsTheEditAndIgnoresRequestsAndPresses) {
  ASSERT_TRUE(grid->EditNode(3, 2));
  log.refuseFinish = true;
  log.calls.clear();
  EXPECT_FALSE(grid->EndEditNode());
  EXPECT_TRUE(grid->IsEditing());
  EXPECT_FALSE(grid->EditNode(5, 2));
  EXPECT_EQ(log.calls, std::vector<std::string>{"finish"}) << "the second request never reached the rule";

  // A press on another row asks to finish first; refused, it does nothing.
  Click(grid->Handle(), CellCenter(*grid, 6, 0));
  EXPECT_EQ(log.calls, (std::vector<std::string>{"finish", "finish"}));
  EXPECT_EQ(grid->SelectedRow(), kNoRow);
  EXPECT_EQ(grid->FocusedRow(), 3);

  // Keys reaching the grid meanwhile are the editor's.
  PressKey(grid->Handle(), VK_DOWN);
  EXPECT_EQ(log.messages, 2);
  EXPECT_EQ(grid->FocusedRow(), 3);

  // Now the editor agrees: the press ends the edit and then acts.
  log.refuseFinish = false;
  Click(grid->Handle(), CellCenter(*grid, 6, 0));
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->SelectedRow(), 6);
  EXPECT_EQ(grid->EditLink(), nullptr);
  PumpMessages();
  EXPECT_TRUE(log.destroyed);
}

TEST_F(GridEdit, CancelDropsTheLink) {
  ASSERT_TRUE(grid->EditNode(0, 2));
  EXPECT_TRUE(grid->CancelEditNode());
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(log.calls.back(), "cancel");
  PumpMessages();
  EXPECT_TRUE(log.destroyed);
  EXPECT_FALSE(grid->CancelEditNode()) << "nothing left to cancel";
  EXPECT_FALSE(grid->EndEditNode());
  // A new edit may start now.
  log.destroyed = false;
  EXPECT_TRUE(grid->EditNode(1, 2));
}

TEST_F(GridEdit, RowsGoingAwayCancelTheEditFirst) {
  ASSERT_TRUE(grid->EditNode(4, 2));
  grid->DeleteRow(4);
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(log.calls.back(), "cancel");
  ASSERT_TRUE(grid->EditNode(2, 2));
  grid->Clear();
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(log.calls.back(), "cancel");
}

TEST_F(GridEdit, AGridDestroyedWhileEditingReleasesItsEditor) {
  ASSERT_TRUE(grid->EditNode(2, 2));
  grid.reset();
  EXPECT_EQ(log.calls.back(), "cancel");
  EXPECT_TRUE(log.destroyed);
}

}  // namespace
