// The wallpaper list: its duplicate rule, its changes as a view sees them,
// and the count line.
#include <gtest/gtest.h>

#include <vector>

#include "list/WallpaperList.h"

namespace {

TEST(WallpaperList, AddSkipsListedNamesComparingOnlyAToZWithoutCase) {
  TWallpaperList list;
  EXPECT_TRUE(list.Add(L"c:\\pics\\sea.jpg"));
  EXPECT_FALSE(list.Add(L"C:\\Pics\\Sea.JPG"));
  EXPECT_TRUE(list.Add(L"c:\\pics\\\u00e9t\u00e9.jpg"));
  EXPECT_TRUE(list.Add(L"c:\\pics\\\u00c9t\u00c9.jpg")) << "accented capitals are other letters";
  EXPECT_TRUE(list.Add(L"C:\\x.bmp"));
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Entry(0).Path, L"c:\\pics");
  EXPECT_EQ(list.Entry(0).Position, "Center");
  EXPECT_EQ(list.Entry(3).Path, L"C:") << "a drive root keeps the drive as its path";
  EXPECT_TRUE(list.Contains(L"c:\\X.BMP"));
  // A list file may bring the same file twice; removing one keeps the other listed.
  list.Append(list.Entry(3));
  list.Remove(3);
  EXPECT_TRUE(list.Contains(L"C:\\x.bmp"));
  list.Remove(3);
  EXPECT_FALSE(list.Contains(L"C:\\x.bmp"));
  list.Clear();
  EXPECT_TRUE(list.Add(L"c:\\pics\\sea.jpg")) << "the name index empties with the list";
}

TEST(WallpaperList, TellsItsObserverEveryChangeAndCutsPositionWords) {
  TWallpaperList list;
  std::vector<TWallpaperChange::TKind> kinds;
  list.OnChange = [&](const TWallpaperChange& change) { kinds.push_back(change.Kind); };
  list.Add(L"C:\\a.bmp");
  list.AppendAll({TWallpaperEntry{L"b.bmp", L"C:", "StretchedOut!"}, TWallpaperEntry{L"c.bmp", L"C:", "Tile"}});
  EXPECT_EQ(list.Entry(1).Position, "StretchedO");
  EXPECT_FALSE(list.SetPosition(2, "Tile")) << "an unchanged word is no change";
  EXPECT_TRUE(list.SetPosition(2, "Stretch"));
  EXPECT_FALSE(list.SetPosition(7, "Tile"));
  list.Remove(7);
  list.Remove(0);
  list.Clear();
  using C = TWallpaperChange;
  EXPECT_EQ(kinds, (std::vector<C::TKind>{C::Appended, C::Appended, C::PositionChanged, C::Removing, C::Removed,
                                          C::RemovingAll, C::Cleared}));
}

TEST(WallpaperList, CountText) {
  TWallpaperList list;
  EXPECT_EQ(list.CountText(), L"There are no files in the list!");
  list.Add(L"C:\\a.bmp");
  EXPECT_EQ(list.CountText(), L"There is 1 file in the list.");
  list.Add(L"C:\\b.bmp");
  list.Add(L"C:\\c.bmp");
  EXPECT_EQ(list.CountText(), L"There are 3 files in the list.");
}

}  // namespace
