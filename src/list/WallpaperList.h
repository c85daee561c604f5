#pragma once
// The wallpaper list: its entries in list order and the index of their full
// names. Every change of rows goes through this class, which keeps the index
// in step and tells its observer what changed, so that a view can follow.
// Portable: the grid shows it, the list file loads and saves it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "list/WallpaperEntry.h"
#include "list/WallpaperIndex.h"

// What changed in the list, told after the change (before it, for
// RemovingAll and Removing, so a view can let go of the rows first).
struct TWallpaperChange {
  enum TKind { Appended, Removing, Removed, RemovingAll, Cleared, PositionChanged };
  TKind Kind;
  int Row = -1;    // the first row concerned
  int Count = 0;   // Appended: how many rows
};

class TWallpaperList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  // The entry of a row; throws std::out_of_range for a row that is not there.
  const TWallpaperEntry& Entry(int row) const { return entries_.at(static_cast<std::size_t>(row)); }
  // The entry of a row, or null for a row that is not there.
  const TWallpaperEntry* Find(int row) const;
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

  // True when a file of this full name is listed, compared as the list
  // compares names: A to Z without regard to case, all else exactly.
  bool Contains(const std::wstring& fullFileName) const { return index_.Contains(fullFileName); }
  // Adds a file with the position "Center" unless it is listed already;
  // returns false (and changes nothing) when it was.
  bool Add(const std::wstring& fullFileName);
  // Appends an entry as a list file brings it: duplicates are kept, the
  // position word is cut to its longest length. Returns the new row.
  int Append(TWallpaperEntry entry);
  // Appends several entries with one notice to the observer.
  void AppendAll(std::vector<TWallpaperEntry> entries);
  // Removes a row; a row that is not there changes nothing.
  void Remove(int row);
  void Clear();
  // Stores a new position word (cut as by Append); false when the row is
  // not there or the word is unchanged.
  bool SetPosition(int row, std::string_view position);

  // "There are no files in the list!", "There is 1 file in the list.",
  // "There are N files in the list."
  std::wstring CountText() const;

  // The one observer of the list (a view); called for every change.
  std::function<void(const TWallpaperChange&)> OnChange;

 private:
  void Notify(TWallpaperChange::TKind kind, int row, int count = 0);

  std::vector<TWallpaperEntry> entries_;
  TWallpaperIndex index_;
};
