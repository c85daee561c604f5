#include "list/WallpaperList.h"

namespace {

void CutPosition(TWallpaperEntry& entry) {
  if (entry.Position.size() > TWallpaperEntry::kMaxPosition) entry.Position.resize(TWallpaperEntry::kMaxPosition);
}

}  // namespace

const TWallpaperEntry* TWallpaperList::Find(int row) const {
  return row >= 0 && row < Count() ? &entries_[static_cast<std::size_t>(row)] : nullptr;
}

bool TWallpaperList::Add(const std::wstring& fullFileName) {
  if (Contains(fullFileName)) return false;
  TWallpaperEntry entry;
  SplitFileName(fullFileName, entry.Path, entry.FileName);
  entry.Position = "Center";
  Append(std::move(entry));
  return true;
}

int TWallpaperList::Append(TWallpaperEntry entry) {
  CutPosition(entry);
  index_.Add(entry.FullFileName());
  entries_.push_back(std::move(entry));
  Notify(TWallpaperChange::Appended, Count() - 1, 1);
  return Count() - 1;
}

void TWallpaperList::AppendAll(std::vector<TWallpaperEntry> entries) {
  if (entries.empty()) return;
  const int first = Count();
  entries_.reserve(entries_.size() + entries.size());
  for (TWallpaperEntry& entry : entries) {
    CutPosition(entry);
    index_.Add(entry.FullFileName());
    entries_.push_back(std::move(entry));
  }
  Notify(TWallpaperChange::Appended, first, Count() - first);
}

void TWallpaperList::Remove(int row) {
  if (!Find(row)) return;
  Notify(TWallpaperChange::Removing, row);
  index_.Remove(entries_[static_cast<std::size_t>(row)].FullFileName());
  entries_.erase(entries_.begin() + row);
  Notify(TWallpaperChange::Removed, row);
}

void TWallpaperList::Clear() {
  Notify(TWallpaperChange::RemovingAll, 0);
  index_.Clear();
  entries_.clear();
  Notify(TWallpaperChange::Cleared, 0);
}

bool TWallpaperList::SetPosition(int row, std::string_view position) {
  if (!Find(row)) return false;
  TWallpaperEntry& entry = entries_[static_cast<std::size_t>(row)];
  const std::string before = entry.Position;
  entry.SetPosition(position);
  if (entry.Position == before) return false;
  Notify(TWallpaperChange::PositionChanged, row);
  return true;
}

std::wstring TWallpaperList::CountText() const {
  if (Empty()) return L"There are no files in the list!";
  if (Count() == 1) return L"There is 1 file in the list.";
  return L"There are " + std::to_wstring(Count()) + L" files in the list.";
}

void TWallpaperList::Notify(TWallpaperChange::TKind kind, int row, int count) {
  if (OnChange) OnChange(TWallpaperChange{kind, row, count});
}
