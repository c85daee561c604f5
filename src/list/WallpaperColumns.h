#pragma once
// The columns of the wallpaper grid: caption, width at first run and the
// narrowest and widest a user may make them (at 96 DPI). The last one takes
// the width the others leave.
struct TWallpaperColumn {
  const wchar_t* Caption;
  int Width;
  int MinWidth;
  int MaxWidth;
};

// Four times the grid's own width: wider than any name needs.
inline constexpr int kWidestWallpaperColumn = 2200;

inline constexpr TWallpaperColumn kWallpaperColumns[] = {
    {L"File name", 180, 50, kWidestWallpaperColumn},
    {L"Path", 277, 50, kWidestWallpaperColumn},
    {L"Position", 90, 80, kWidestWallpaperColumn},
};
inline constexpr int kFileNameColumn = 0;
inline constexpr int kPathColumn = 1;
inline constexpr int kPositionColumn = 2;
