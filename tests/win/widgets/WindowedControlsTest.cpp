// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "widgets/ColorBox.h"
#include "widgets/GlyphButton.h"
#include "widgets/ScrollBox.h"
#include "widgets/TrackBar.h"
#include "widgets/Underneath.h"

namespace {
// A 24-bit bitmap of parts side by side, each filled with its colour except
// the bottom-left pixel, which holds the transparent colour.
TBitmapOwner MakeGlyph(const std::vector<COLORREF>& parts, int side, COLORREF transparent = RGB(255, 0, 255)) {
  const int width = side * static_cast<int>(parts.size());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = side;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  TBitmapOwner bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TDCOwner dc(CreateCompatibleDC(nullptr));
  TSelectObject select(dc.get(), bitmap.get());
  for (size_t i = 0; i < parts.size(); ++i) {
    RECT r{static_cast<int>(i) * side, 0, static_cast<int>(i + 1) * side, side};
    FillRect(dc.get(), &r, SolidBrush(parts[i]).get());
    SetPixel(dc.get(), r.left, side - 1, transparent);
  }
  return bitmap;
}

COLORREF Around(const TMemoryBitmap& bitmap, int x, int y) { return PixelAt(bitmap, x, y); }
}  // namespace

TEST(TrackBar, PositionIsClampedAndEveryChangeReported) {
  THostWindow host;
  TTrackBar trk(host.Panel(), {6, 41, 190, 20}, 1, 60, 10);
  std::vector<int> seen;
  trk.OnChange = [&](TTrackBar& t) { seen.push_back(t.Position()); };
  trk.SetPosition(0);
  EXPECT_EQ(trk.Position(), 1);
  trk.SetPosition(500);
  EXPECT_EQ(trk.Position(), 60);
  trk.SetPosition(60);  // no change, no event
  EXPECT_EQ(seen, (std::vector<int>{1, 60}));

  trk.SetPosition(10);
  seen.clear();
  SendMessageW(trk.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(trk.Handle(), WM_KEYDOWN, VK_NEXT, 0);
  SendMessageW(trk.Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(trk.Handle(), WM_KEYDOWN, VK_END, 0);
  SendMessageW(trk.Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // already at the end
  SendMessageW(trk.Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(seen, (std::vector<int>{11, 16, 15, 60, 1}));
  EXPECT_EQ(SendMessageW(trk.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST(TrackBar, MousePagesAndDrags) {
  THostWindow host;
  TTrackBar trk(host.Panel(), {6, 41, 190, 20}, 1, 60, 10);
  trk.SetThumb(MakeGlyph({RGB(200, 0, 0), RGB(0, 0, 200)}, 18));
  // Thumb ends: 2 pixels from either edge.
  trk.SetPosition(1);
  EXPECT_EQ(trk.ThumbRect().left, 2);
  trk.SetPosition(60);
  EXPECT_EQ(trk.ThumbRect().right, 188);
  trk.SetPosition(10);
  const RECT thumb = trk.ThumbRect();
  // A click beside the thumb moves one page towards the pointer.
  SendMessageW(trk.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(180, 9));
  SendMessageW(trk.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(180, 9));
  EXPECT_EQ(trk.Position(), 15);
  SendMessageW(trk.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 9));
  SendMessageW(trk.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 9));
  EXPECT_EQ(trk.Position(), 10);
  // Dragging the thumb follows the pointer, clamped to the ends.
  const int grab = thumb.left + 5;
  SendMessageW(trk.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab, 9));
  SendMessageW(trk.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grab + 1000, 9));
  EXPECT_EQ(trk.Position(), 60);
  SendMessageW(trk.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-500), 9));
  EXPECT_EQ(trk.Position(), 1);
  SendMessageW(trk.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(0, 9));
}

TEST(TrackBar, PaintsThumbTrackAndTicks) {
  THostWindow host;
  TTrackBar trk(host.Panel(), {6, 41, 190, 20}, 1, 60, 1);
  trk.SetThumb(MakeGlyph({RGB(200, 0, 0), RGB(0, 0, 200)}, 18));
  const auto bitmap = Render(trk.Handle());
  // Normal thumb state at the start, its transparent corner shows the track.
  EXPECT_EQ(Around(*bitmap, 10, 5), RGB(200, 0, 0));
  EXPECT_NE(Around(*bitmap, 2, 17), RGB(255, 0, 255));
  // The track: lime inside a sunken frame, centred on the thumb.
  const COLORREF inside = Around(*bitmap, 100, 8);
  EXPECT_EQ(GetRValue(inside), 0);
  EXPECT_GT(GetGValue(inside), 100);
  // Ticks of length 2 at the bottom, every 29 pixels from the first thumb centre.
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  EXPECT_EQ(Around(*bitmap, 11 + 29, 19), ink);
  EXPECT_EQ(Around(*bitmap, 11 + 29, 18), ink);
  EXPECT_NE(Around(*bitmap, 11 + 29, 17), ink);
  EXPECT_NE(Around(*bitmap, 11 + 30, 19), ink);
  EXPECT_EQ(Around(*bitmap, 11 + 168, 19), ink);  // the last one at the end of the travel
}

TEST(ColorBox, SelectsStandardSystemAndCustomColours) {
  THostWindow host;
  TColorBox cbo(host.Panel(), {290, 23, 135, 22});
  EXPECT_EQ(cbo.Count(), 1 + 16 + 4 + 25);
  EXPECT_EQ(SendMessageW(cbo.Handle(), CB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(cbo.ColorNames(0), L"Custom...");

  cbo.SetSelected(SystemColor(COLOR_BTNFACE));
  EXPECT_EQ(cbo.Selected(), 0xFF00000Fu);
  EXPECT_EQ(cbo.ColorNames(cbo.ItemIndex()), L"Button Face");
  cbo.SetSelected(RGBColor(255, 0, 0));
  EXPECT_EQ(cbo.ColorNames(cbo.ItemIndex()), L"Red");
  cbo.SetSelected(RGBColor(166, 202, 240));
  EXPECT_EQ(cbo.ColorNames(cbo.ItemIndex()), L"Sky Blue");
  cbo.SetSelected(SystemColor(COLOR_INFOBK));
  EXPECT_EQ(cbo.ColorNames(cbo.ItemIndex()), L"Info Background");

  cbo.SetSelected(RGBColor(1, 2, 3));
  EXPECT_EQ(cbo.ItemIndex(), 0);
  EXPECT_EQ(cbo.Selected(), RGBColor(1, 2, 3));
  // A system colour without an entry of its own is a custom colour too.
  cbo.SetSelected(SystemColor(COLOR_HOTLIGHT));
  EXPECT_EQ(cbo.ItemIndex(), 0);
  EXPECT_EQ(cbo.Selected(), SystemColor(COLOR_HOTLIGHT));
}

TEST(ColorBox, ReportsChoicesOfTheUser) {
  THostWindow host;
  TColorBox cbo(host.Panel(), {290, 23, 135, 22});
  int changes = 0;
  cbo.OnChange = [&](TColorBox&) { ++changes; };
  cbo.SetSelected(RGBColor(0, 0, 128));
  EXPECT_EQ(changes, 0);
  // The user moves down one entry with the keyboard.
  SendMessageW(cbo.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  PumpMessages();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(cbo.ColorNames(cbo.ItemIndex()), L"Purple");
  EXPECT_EQ(cbo.Selected(), RGBColor(128, 0, 128));
}

// The system list is filled late; what the closed box shows and what other
// programs read from it must not tell.
TEST(ColorBox, ShowsTheSelectionAndHandsOutEveryEntry) {
  THostWindow host;
  TColorBox cbo(host.Panel(), {290, 23, 135, 22});
  cbo.SetSelected(RGBColor(255, 0, 0));
  wchar_t text[64] = {};
  GetWindowTextW(cbo.Handle(), text, 64);
  EXPECT_STREQ(text, L"Red");
  EXPECT_EQ(SendMessageW(cbo.Handle(), CB_GETCOUNT, 0, 0), 1 + 16 + 4 + 25);
  EXPECT_EQ(SendMessageW(cbo.Handle(), CB_GETCURSEL, 0, 0), cbo.ItemIndex());
  SendMessageW(cbo.Handle(), CB_GETLBTEXT, 1 + 16 + 4 + 24, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Info Background");
  cbo.SetSelected(RGBColor(1, 2, 3));
  EXPECT_EQ(SendMessageW(cbo.Handle(), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(cbo.Colors(0), RGBColor(1, 2, 3));
}

TEST(ColorBox, DrawsSwatchAndName) {
  THostWindow host;
  TColorBox cbo(host.Panel(), {290, 23, 135, 22});
  cbo.SetSelected(RGBColor(0, 255, 0));
  TMemoryBitmap bitmap(135, 16);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.itemID = static_cast<UINT>(cbo.ItemIndex());
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = cbo.Handle();
  item.hDC = bitmap.DC();
  item.rcItem = RECT{0, 0, 135, 16};
  SendMessageW(host.Panel(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(PixelAt(bitmap, 8, 8), RGB(0, 255, 0));
  EXPECT_EQ(PixelAt(bitmap, 1, 1), GetSysColor(COLOR_WINDOWTEXT));
  bool text = false;
  for (int x = 30; x < 135; ++x)
    for (int y = 0; y < 16; ++y)
      if (PixelAt(bitmap, x, y) == GetSysColor(COLOR_WINDOWTEXT)) text = true;
  EXPECT_TRUE(text);
}

TEST(GlyphButton, ShowsTheDisabledHalfWhenDisabled) {
  THostWindow host;
  TGlyphButton btn(host.Panel(), {128, 48, 75, 25}, L"Start", MakeGlyph({RGB(200, 0, 0), RGB(0, 0, 200)}, 18), 2);
  const auto enabled = Render(btn.Handle());
  // Glyph and caption centred together: the glyph starts left of the middle.
  bool red = false;
  for (int x = 0; x < 75; ++x) red = red || PixelAt(*enabled, x, 12) == RGB(200, 0, 0);
  EXPECT_TRUE(red);
  btn.SetEnabled(false);
  const auto disabled = Render(btn.Handle());
  bool blue = false;
  red = false;
  for (int x = 0; x < 75; ++x) {
    blue = blue || PixelAt(*disabled, x, 12) == RGB(0, 0, 200);
    red = red || PixelAt(*disabled, x, 12) == RGB(200, 0, 0);
  }
  EXPECT_TRUE(blue);
  EXPECT_FALSE(red);
}

TEST(GlyphButton, GlyphPlacementAndGreyedSingleGlyph) {
  THostWindow host;
  TGlyphButton add(host.Panel(), {0, 0, 75, 25}, L"&Add...", MakeGlyph({RGB(200, 0, 0)}, 18));
  add.SetMargin(5);
  auto bitmap = Render(add.Handle());
  EXPECT_EQ(PixelAt(*bitmap, 5, 10), RGB(200, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 22, 10), RGB(200, 0, 0));
  EXPECT_NE(PixelAt(*bitmap, 4, 10), RGB(200, 0, 0));
  // The transparent corner shows the button face.
  EXPECT_NE(PixelAt(*bitmap, 5, 3 + 17), RGB(255, 0, 255));

  add.SetEnabled(false);
  bitmap = Render(add.Handle());
  const COLORREF grey = PixelAt(*bitmap, 10, 10);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetGValue(grey), GetBValue(grey));

  TGlyphButton about(host.Panel(), {8, 48, 25, 25}, L"", MakeGlyph({RGB(0, 150, 0)}, 18));
  bitmap = Render(about.Handle());
  EXPECT_EQ(PixelAt(*bitmap, 12, 12), RGB(0, 150, 0));
  EXPECT_EQ(PixelAt(*bitmap, 4, 12), RGB(0, 150, 0));
  EXPECT_EQ(PixelAt(*bitmap, 20, 12), RGB(0, 150, 0));
}

// On a screen of 150 % the glyph is one and a half times as large and
// every pixel of it keeps its colour: enlarged pixels are sharp squares,
// never blends of their neighbours.
TEST(GlyphButton, AtAnotherDpiTheGlyphGrowsWithoutBlurring) {
  THostWindow host;
  const COLORREF dark = RGB(0, 0, 128), light = RGB(255, 255, 0);
  TBitmapOwner checker = MakeGlyph({dark}, 18);
  {
    TDCOwner dc(CreateCompatibleDC(nullptr));
    TSelectObject select(dc.get(), checker.get());
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 18; ++x)
        if ((x + y) % 2) SetPixel(dc.get(), x, y, light);
  }
  TGlyphButton add(host.Panel(), {0, 0, 113, 38}, L"", std::move(checker));
  add.SetMargin(5);
  add.ChangeDpi(144);
  auto bitmap = Render(add.Handle());
  const int left = 8, side = 27;  // 5 and 18 pixels at 96 DPI
  const int top = (38 - side) / 2;
  int darks = 0, lights = 0;
  for (int y = top; y < top + side - 2; ++y)
    for (int x = left; x < left + side; ++x) {
      const COLORREF c = PixelAt(*bitmap, x, y);
      ASSERT_TRUE(c == dark || c == light) << x << "," << y;
      (c == dark ? darks : lights)++;
    }
  EXPECT_GT(darks, side * side / 4);
  EXPECT_GT(lights, side * side / 4);
  EXPECT_NE(PixelAt(*bitmap, left - 1, top + 5), dark);
  EXPECT_NE(PixelAt(*bitmap, left + side, top + 5), dark);
  EXPECT_NE(PixelAt(*bitmap, left + side, top + 5), light);
}

TEST(GlyphButton, ClicksAndKeepsItsDrawingStyle) {
  THostWindow host;
  TGlyphButton ok(host.Panel(), {278, 0, 75, 25}, L"OK", nullptr, 1, true);
  int clicks = 0;
  ok.OnClick = [&](TControl&) { ++clicks; };
  ok.PerformClick();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageW(ok.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  SendMessageW(ok.Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_FALSE(ok.Default());
  EXPECT_EQ(GetWindowLongW(ok.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(SendMessageW(ok.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON);
}

TEST(ScrollBox, RangeFollowsTheChildren) {
  THostWindow host;
  TScrollBox scb(host.Panel(), {8, 32, 337, 139});
  std::vector<HWND> children;
  for (int i = 0; i < 10; ++i)
    children.push_back(CreateWindowExW(0, L"STATIC", L"link", WS_CHILD | WS_VISIBLE, 4, i * 30, 200, 20, scb.Handle(),
                                       nullptr, nullptr, nullptr));
  PumpMessages();  // creation notices realign the box once the children stand
  EXPECT_EQ(scb.ContentHeight(), 9 * 30 + 20);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(scb.Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nMax, 289);
  EXPECT_EQ(static_cast<int>(info.nPage), scb.ClientRect().bottom);
  EXPECT_FALSE(GetWindowLongW(scb.Handle(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_FALSE(GetWindowLongW(scb.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  // Scrolling moves the children and stops at the end.
  scb.ScrollTo(100000);
  const int end = 290 - scb.ClientRect().bottom;
  EXPECT_EQ(scb.ScrollPos(), end);
  RECT r{};
  GetWindowRect(children[0], &r);
  MapWindowPoints(HWND_DESKTOP, scb.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, -end);
  // Live tracking: the thumb's track position scrolls at once.
  SendMessageW(scb.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(scb.ScrollPos(), end - 3 * scb.LineStep());

  // Children removed: the range shrinks and the position follows.
  for (size_t i = 3; i < children.size(); ++i) DestroyWindow(children[i]);
  scb.Realign();
  EXPECT_EQ(scb.ContentHeight(), 80);
  EXPECT_EQ(scb.ScrollPos(), 0);
}

TEST(ScrollBox, OpensTheAddressOfAClickedLink) {
  THostWindow host;
  TScrollBox scb(host.Panel(), {8, 32, 337, 139});
  HWND link = CreateWindowExW(0, WC_LINK, L"<a href=\"http://www.example.invalid/more\">More wallpapers</a>",
                              WS_CHILD | WS_VISIBLE, 4, 4, 200, 20, scb.Handle(), nullptr, nullptr, nullptr);
  ASSERT_NE(link, nullptr);
  std::vector<std::wstring> opened;
  scb.OnLinkClick = [&](TScrollBox&, const std::wstring& url) {
    opened.push_back(url);
    return true;
  };
  NMLINK notice{};
  notice.hdr.hwndFrom = link;
  notice.hdr.idFrom = 0;
  notice.hdr.code = NM_CLICK;
  wcscpy(notice.item.szUrl, L"http://www.example.invalid/more");
  SendMessageW(scb.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
  notice.hdr.code = NM_RETURN;
  SendMessageW(scb.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
  notice.hdr.code = NM_RCLICK;
  SendMessageW(scb.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
  EXPECT_EQ(opened,
            (std::vector<std::wstring>{L"http://www.example.invalid/more", L"http://www.example.invalid/more"}));
}
