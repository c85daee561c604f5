#pragma once
// The set of full file names in the wallpaper list, compared the way the
// list compares them: letters A to Z without regard to case, every other
// character exactly. It answers "is this file listed?" at once however long
// the list is; the list keeps it in step with every row it adds or deletes.
#include <string>
#include <unordered_map>

class TWallpaperIndex {
 public:
  void Add(const std::wstring& fullFileName);
  void Remove(const std::wstring& fullFileName);
  void Clear() { counts_.clear(); }
  bool Contains(const std::wstring& fullFileName) const;

  // Folds A to Z to a to z and leaves every other character alone.
  static std::wstring Fold(const std::wstring& text);

 private:
  std::unordered_map<std::wstring, int> counts_;
};

// Splits a full file name into its folder (without a trailing delimiter) and
// its file name: the file name is the part after the last path delimiter or
// drive colon.
void SplitFileName(const std::wstring& fullFileName, std::wstring& path, std::wstring& fileName);
