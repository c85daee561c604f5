// The main window in high contrast: what its own controls paint keeps to
// the system's colours, with no gradient and no raised or sunken lettering,
// and the window follows the change at once. Wine cannot switch the mode
// itself, so the test states it; the colours are the system's, set for real.
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "WindowFixture.h"
#include "controls/PixelFont.h"
#include "gui/HighContrast.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/GlyphButton.h"
#include "widgets/GradientBand.h"
#include "widgets/TrackBar.h"

namespace {

// A scheme of distinct colours, as high-contrast schemes have; the old
// colours and the system's answer come back when it goes.
class THighContrastScheme {
 public:
  THighContrastScheme() {
    const std::pair<int, COLORREF> scheme[] = {
        {COLOR_BTNFACE, RGB(0, 0, 0)},          {COLOR_BTNTEXT, RGB(255, 255, 255)},
        {COLOR_WINDOW, RGB(0, 0, 96)},          {COLOR_WINDOWTEXT, RGB(255, 255, 0)},
        {COLOR_BTNHIGHLIGHT, RGB(0, 255, 255)}, {COLOR_BTNSHADOW, RGB(255, 0, 255)},
        {COLOR_HIGHLIGHT, RGB(0, 128, 0)},      {COLOR_GRAYTEXT, RGB(0, 255, 0)},
        {COLOR_HOTLIGHT, RGB(255, 128, 0)}};
    for (auto [index, colour] : scheme) {
      indices_.push_back(index);
      old_.push_back(GetSysColor(index));
      colours_.push_back(colour);
    }
    SetSysColors(static_cast<int>(indices_.size()), indices_.data(), colours_.data());
  }
  ~THighContrastScheme() {
    StateHighContrast(std::nullopt);
    SetSysColors(static_cast<int>(indices_.size()), indices_.data(), old_.data());
  }

 private:
  std::vector<int> indices_;
  std::vector<COLORREF> old_, colours_;
};

// What a window shows in a part of its client area (all of it by default).
std::vector<COLORREF> Shown(HWND window, RECT area = {}) {
  if (IsRectEmpty(&area)) GetClientRect(window, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int i = 0; i < width * height; ++i) {
    const DWORD bgr = static_cast<const DWORD*>(bits)[i];
    pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  return pixels;
}

// Whether every pixel lies on one of the lines between two colours: a
// colour itself, or text smoothed into its background.
bool OnlyBetween(const std::vector<COLORREF>& pixels, const std::vector<std::pair<COLORREF, COLORREF>>& lines) {
  auto on = [](COLORREF p, COLORREF a, COLORREF b) {
    const int pa[] = {GetRValue(p) - GetRValue(a), GetGValue(p) - GetGValue(a), GetBValue(p) - GetBValue(a)};
    const int ba[] = {GetRValue(b) - GetRValue(a), GetGValue(b) - GetGValue(a), GetBValue(b) - GetBValue(a)};
    int widest = 0;
    for (int c = 1; c < 3; ++c)
      if (std::abs(ba[c]) > std::abs(ba[widest])) widest = c;
    const double t = ba[widest] ? double(pa[widest]) / ba[widest] : 0.0;
    if (t < -0.02 || t > 1.02) return false;
    for (int c = 0; c < 3; ++c)
      if (std::abs(pa[c] - t * ba[c]) > 3) return false;
    return true;
  };
  for (COLORREF p : pixels) {
    bool found = false;
    for (auto [a, b] : lines) found = found || on(p, a, b);
    if (!found) return false;
  }
  return true;
}

using HighContrastLook = MainWindowFixture;

TEST_F(HighContrastLook, TheWindowsOwnDrawingKeepsToTheSystemsColours) {
  HANDLE list = CreateFileW(ListFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char listed[] =
      "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=C:\r\nPosition=Tile\r\n\r\n[Wallpaper #2]\r\nFilename=b.jpg\r\n"
      "Path=C:\r\nPosition=Center\r\n\r\n[Wallpaper #3]\r\nFilename=c.jpg\r\nPath=C:\r\nPosition=Center\r\n\r\n";
  DWORD written = 0;
  WriteFile(list, listed, sizeof listed - 1, &written, nullptr);
  CloseHandle(list);
  TfrmDorvane& form = Open();
  form.btnAdd->SetFocus();  // no focus mark in the parts looked at
  THighContrastScheme scheme;
  Pump();
  // The system's colours alone are not high contrast: the bands keep their
  // gradient until the mode is on.
  const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
  // Right of the description, which grows to fit its text: no title,
  // text or picture over it.
  const RECT bandBeside{form.lblWallpaperDesc->Left() + form.lblWallpaperDesc->Width() + 4, 0,
                        form.filWallpaper->Width(), form.filWallpaper->Height()};
  ASSERT_FALSE(OnlyBetween(Shown(form.filWallpaper->Handle(), bandBeside), {{face, face}}));

  StateHighContrast(true);
  SendMessageW(form.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  Pump();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(OnlyBetween(Shown(form.filWallpaper->Handle(), bandBeside), {{face, face}})) << "a gradient band";
  for (TControl* own : std::initializer_list<TControl*>{form.lblWallpaper, form.lblSettingsDesc, form.lblFileCount,
                                                        form.btnPointerSettings, form.trkTimer, form.Label2})
    EXPECT_TRUE(OnlyBetween(Shown(own->Handle()), {{face, text}})) << testing::PrintToString(own->Name);
  // The rows: no shading; the selection without the focus is framed.
  RECT rows = form.lstFiles->ClientRect();
  rows.top = form.lstFiles->HeaderHeight();
  const COLORREF window = GetSysColor(COLOR_WINDOW), windowText = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_TRUE(OnlyBetween(Shown(form.lstFiles->Handle(), rows),
                          {{window, window},
                           {windowText, windowText},
                           {face, face},
                           {text, text},
                           {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)}}));
}

}  // namespace
