#pragma once
// A real top-level window hosting a wallpaper grid, as the main window does,
// plus helpers to pump messages, click and paint into memory.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/GdiHandles.h"
#include "list/PositionEditLink.h"
#include "list/WallpaperView.h"

class THostWindow {
 public:
  THostWindow(int width = 600, int height = 260);
  ~THostWindow();
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
  TGdiObjectOwner<HFONT> font_;
};

// One host for the whole test program: closing a top-level window costs
// seconds under Wine without a window manager, child windows do not.
THostWindow& SharedHost();

// Runs the messages that are waiting (posted work, paints).
void PumpMessages();

// A grid with the wallpaper list it shows, for tests that drive rows
// through the grid's own words; the rows live in List.
class TWallpaperGrid : public TVirtualGrid {
 public:
  explicit TWallpaperGrid(HWND host);
  ~TWallpaperGrid() override;
  int AppendRow(TWallpaperEntry entry) { return List.Append(std::move(entry)); }
  void DeleteRow(int row) { List.Remove(row); }
  void Clear() { List.Clear(); }
  const TWallpaperEntry& Data(int row) const { return List.Entry(row); }

  TWallpaperList List;
  // The main window's view of the list; set by WireProgramHandlers.
  std::unique_ptr<TWallpaperView> View;
};

// The grid as the main window lays it out: 8,48 551x135 with three columns.
std::unique_ptr<TWallpaperGrid> MakeWallpaperGrid(HWND host);
void AddRows(TWallpaperGrid& grid, int count);
TWallpaperEntry Entry(const std::wstring& name, const std::string& position = "Center");

// The main window's own view of the list on the grid: only column 2 may be
// edited, with a TPositionEditLink; clicks, Space and selection changes ask
// for edits of the focused row.
void WireProgramHandlers(TWallpaperGrid& grid);

// Client-coordinate middle of a cell.
POINT CellCenter(const TVirtualGrid& grid, int row, int column);
void Click(HWND hwnd, POINT p, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP);
void PressKey(HWND hwnd, WPARAM key);

// A 32-bit memory surface of the grid's client size.
class TMemorySurface {
 public:
  TMemorySurface(int width, int height);
  ~TMemorySurface();
  TMemorySurface(const TMemorySurface&) = delete;
  TMemorySurface& operator=(const TMemorySurface&) = delete;
  HDC DC() const { return dc_.get(); }
  COLORREF Pixel(int x, int y) const;

 private:
  int width_, height_;
  TDCOwner dc_;
  TBitmapOwner bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Paints the grid's whole client area through WM_PRINTCLIENT.
void PrintClient(TVirtualGrid& grid, TMemorySurface& surface);
