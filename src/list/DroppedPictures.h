#pragma once
// What a drop of files and folders onto the wallpaper list brings: the
// dropped pictures, and for a dropped folder the pictures at its top level
// (not those of its subfolders) in name order. Pictures are known by their
// extension, as the Add dialog knows them.
#include <string>
#include <string_view>
#include <vector>

// The extensions of the pictures the list takes, by Add and by a drop.
inline constexpr const wchar_t* kPictureExtensions[] = {L"bmp", L"jpg", L"jpeg", L"jpe", L"jfif", L"gif"};

// The Add dialog's pattern for all of them: "*.bmp;*.jpg;...".
std::wstring PicturePatterns();

// True for a name that ends in one of kPictureExtensions, in any case.
bool IsPictureFileName(std::wstring_view name);

// The pictures among the dropped names, in drop order, each folder replaced
// by its pictures sorted by name without regard to case (code unit by code
// unit after case folding, as the file system compares names). Names that
// do not exist are left out.
std::vector<std::wstring> DroppedPictures(const std::vector<std::wstring>& names);

// True when DroppedPictures would find at least one picture; stops at the
// first.
bool HoldsPictures(const std::vector<std::wstring>& names);
