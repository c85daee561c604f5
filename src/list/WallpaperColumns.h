#pragma once
// The columns of the wallpaper grid: caption, width at first run and the
// narrowest a user may make them. The last one takes the width the others
// leave.
struct TWallpaperColumn {
  const wchar_t* Caption;
  int Width;
  int MinWidth;
};

inline constexpr TWallpaperColumn kWallpaperColumns[] = {
    {L"File name", 180, 50},
    {L"Path", 277, 50},
    {L"Position", 90, 80},
};
inline constexpr int kFileNameColumn = 0;
inline constexpr int kPathColumn = 1;
inline constexpr int kPositionColumn = 2;
