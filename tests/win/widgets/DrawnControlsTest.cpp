// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <set>

#include "TestHost.h"
#include "widgets/Bevel.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/Font.h"
#include "widgets/GradientBand.h"
#include "widgets/Label.h"
#include "widgets/Underneath.h"

namespace {
bool HasColor(const TMemoryBitmap& bitmap, COLORREF color) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (PixelAt(bitmap, x, y) == color) return true;
  return false;
}

int Distance(COLORREF a, COLORREF b) {
  return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b));
}
}  // namespace

TEST(GradientBand, HorizontalStepsRunFromStartToEnd) {
  THostWindow host;
  TGradientBand band(host.Panel(), {0, 0, 641, 41}, RGBColor(0, 0, 0), RGBColor(250, 0, 0), 126);
  const auto bitmap = Render(band.Handle());
  std::vector<COLORREF> row;
  for (int x = 0; x < 641; ++x) row.push_back(PixelAt(*bitmap, x, 20));
  EXPECT_EQ(row.front(), RGB(0, 0, 0));
  EXPECT_EQ(row.back(), RGB(250, 0, 0));
  // 126 distinct colours, each a run of 5 or 6 columns, rising left to right.
  int runs = 1;
  int runLength = 1;
  for (size_t x = 1; x < row.size(); ++x) {
    ASSERT_GE(GetRValue(row[x]), GetRValue(row[x - 1])) << x;
    if (row[x] != row[x - 1]) {
      EXPECT_TRUE(runLength == 5 || runLength == 6) << "run ending at " << x << " is " << runLength;
      ++runs;
      runLength = 1;
    } else {
      ++runLength;
    }
  }
  EXPECT_EQ(runs, 126);
  // Columns are uniform.
  for (int y = 0; y < 41; ++y) EXPECT_EQ(PixelAt(*bitmap, 300, y), row[300]);
}

TEST(GradientBand, SystemColoursAreResolved) {
  THostWindow host;
  TGradientBand band(host.Panel(), {0, 0, 641, 41}, SystemColor(COLOR_BTNFACE), SystemColor(COLOR_BTNSHADOW), 126);
  const auto bitmap = Render(band.Handle());
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(*bitmap, 640, 40), GetSysColor(COLOR_BTNSHADOW));
}

TEST(GradientBand, DiagonalRunsTowardsTheTopRight) {
  THostWindow host;
  TGradientBand band(host.Panel(), {0, 0, 370, 89}, RGBColor(0, 0, 0), RGBColor(0, 0, 246), 164, gstDiagonalUp);
  const auto bitmap = Render(band.Handle());
  EXPECT_EQ(PixelAt(*bitmap, 0, 88), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 369, 0), RGB(0, 0, 246));
  // Brighter going right and going up.
  for (int x = 1; x < 370; ++x) ASSERT_GE(GetBValue(PixelAt(*bitmap, x, 88)), GetBValue(PixelAt(*bitmap, x - 1, 88)));
  for (int y = 87; y >= 0; --y) ASSERT_GE(GetBValue(PixelAt(*bitmap, 0, y)), GetBValue(PixelAt(*bitmap, 0, y + 1)));
  // The other two corners lie half way.
  EXPECT_LE(Distance(PixelAt(*bitmap, 0, 0), PixelAt(*bitmap, 369, 88)), 3);
  EXPECT_NEAR(GetBValue(PixelAt(*bitmap, 0, 0)), 123, 3);
  std::set<COLORREF> colours;
  for (int y = 0; y < 89; ++y)
    for (int x = 0; x < 370; ++x) colours.insert(PixelAt(*bitmap, x, y));
  EXPECT_EQ(colours.size(), 164u);
}

TEST(TransparentControls, PaintTheBandBeneathThem) {
  THostWindow host;
  TGradientBand band(host.Panel(), {0, 0, 200, 41}, RGBColor(200, 10, 10), RGBColor(200, 10, 10), 1);
  TLabel label(host.Panel(), {10, 5, 60, 13}, L"x");
  TDrawnEdge edge(host.Panel(), {100, 10, 50, 5});
  const auto bitmap = Render(label.Handle(), RGB(255, 255, 255), PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(PixelAt(*bitmap, 59, 12), RGB(200, 10, 10));
  // The edge: a sunken outer line along its top, nothing else painted.
  const auto line = Render(edge.Handle());
  EXPECT_EQ(PixelAt(*line, 20, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(*line, 20, 3), RGB(255, 255, 255));
  // The band lies under the controls created after it.
  EXPECT_EQ(GetWindow(host.Panel(), GW_CHILD) != band.Handle(), true);
}

TEST(Bevel, BottomLineIsLoweredAtTheBottomEdge) {
  THostWindow host;
  TBevel bevel(host.Panel(), {8, 80, 353, 9}, bsBottomLine);
  const auto bitmap = Render(bevel.Handle());
  EXPECT_EQ(PixelAt(*bitmap, 100, 7), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(*bitmap, 100, 8), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(PixelAt(*bitmap, 100, 3), RGB(255, 255, 255));
}

TEST(Label, AutoSizeKeepsTheRightEdgeOfRightAlignedLabels) {
  THostWindow host;
  TLabel label(host.Panel(), {300, 12, 0, 0}, L"Ombrelle");
  const int width = label.Width();
  EXPECT_GT(width, 20);
  EXPECT_GT(label.Height(), 8);
  label.SetAlignment(TAlignment::Right);
  const int right = label.Left() + label.Width();
  label.SetCaption(L"Ombrelle Ombrelle");
  EXPECT_GT(label.Width(), width);
  EXPECT_EQ(label.Left() + label.Width(), right);
  // A fixed-size label whose text needs more widens up to its neighbour,
  // and takes its own size back when the text fits it again.
  TLabel next(host.Panel(), {60, 40, 20, 13}, L"x");
  TLabel fixed(host.Panel(), {10, 40, 36, 13}, L"minutes and more");
  EXPECT_EQ(fixed.Width(), 50);
  fixed.SetCaption(L"min.");
  EXPECT_EQ(fixed.Width(), 36);
}

TEST(Label, MnemonicFocusesItsControl) {
  THostWindow host;
  TLabel label(host.Panel(), {16, 28, 67, 13}, L"&Stretch Mode:");
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 88, 24, 100, 21, host.Panel(),
                              nullptr, nullptr, nullptr);
  HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 88, 60, 100, 21, host.Panel(),
                               nullptr, nullptr, nullptr);
  label.SetFocusControl(edit);
  EXPECT_EQ(label.Mnemonic(), L'S');
  EXPECT_EQ(SendMessageW(label.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_STATIC, DLGC_STATIC);
  // The dialog manager takes the next control in the z-order.
  EXPECT_EQ(GetWindow(edit, GW_HWNDPREV), label.Handle());
  SetForegroundWindow(host.Handle());
  SetFocus(other);
  EXPECT_TRUE(TLabel::DispatchMnemonic(host.Handle(), L's'));
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_FALSE(TLabel::DispatchMnemonic(host.Handle(), L'x'));
  EnableWindow(edit, FALSE);
  SetFocus(other);
  EXPECT_FALSE(TLabel::DispatchMnemonic(host.Handle(), L's'));
  EXPECT_EQ(GetFocus(), other);
}

TEST(Label, HoverEventsAndHint) {
  THostWindow host;
  TLabel label(host.Panel(), {144, 122, 0, 0}, L"www.example.com");
  int enters = 0;
  int leaves = 0;
  label.OnMouseEnter = [&](TControl&) { ++enters; };
  label.OnMouseLeave = [&](TControl&) { ++leaves; };
  SendMessageW(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageW(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 2));
  EXPECT_EQ(enters, 1);
  EXPECT_TRUE(label.MouseInside());
  SendMessageW(label.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves, 1);
  EXPECT_FALSE(label.MouseInside());

  label.SetHint(L"http://www.example.com");
  ASSERT_TRUE(IsWindow(label.HintWindow()));
  EXPECT_EQ(SendMessageW(label.HintWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
  label.SetHint(L"");
  EXPECT_EQ(label.HintWindow(), nullptr);
}

TEST(Label, ClickNeedsPressAndReleaseInside) {
  THostWindow host;
  TLabel label(host.Panel(), {10, 10, 60, 13}, L"Update links");
  int clicks = 0;
  label.OnClick = [&](TControl&) { ++clicks; };
  SendMessageW(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  SendMessageW(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  EXPECT_EQ(clicks, 1);
}

TEST(EffectLabel, GradientLettersDarkenTowardsTheRight) {
  THostWindow host;
  TEffectLabel title(host.Panel(), {40, 0, 122, 30}, L"Wallpapers", TTextEffect::Raised, true);
  title.SetOwnedFont(MakeFont({L"Times New Roman", 24, true, false, false, ANSI_CHARSET}));
  title.SetFontColor(RGBColor(128, 128, 255));
  title.SetGradient(true, RGBColor(0, 0, 128));
  const auto bitmap = Render(title.Handle());
  // Face pixels are blue ones; compare their brightness at both ends.
  auto faceBrightness = [&](int from, int to) {
    long sum = 0;
    int count = 0;
    for (int x = from; x < to; ++x)
      for (int y = 0; y < 30; ++y) {
        const COLORREF c = PixelAt(*bitmap, x, y);
        if (GetBValue(c) > GetRValue(c) + 40) {
          sum += GetRValue(c) + GetGValue(c) + GetBValue(c);
          ++count;
        }
      }
    return count ? sum / count : -1;
  };
  const long left = faceBrightness(0, 30);
  const long right = faceBrightness(80, 122);
  ASSERT_GT(left, 0);
  ASSERT_GT(right, 0);
  EXPECT_GT(left, right + 60);
}

TEST(EffectLabel, TwoLinesAndEllipsis) {
  THostWindow host;
  TEffectLabel hint(host.Panel(), {280, 47, 137, 27}, L"For new settings to take\r\neffect, restart the engine.",
                    TTextEffect::Sunken, true);
  const auto bitmap = Render(hint.Handle());
  auto inkInRows = [&](int top, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < 137; ++x)
        if (PixelAt(*bitmap, x, y) != RGB(255, 255, 255)) return true;
    return false;
  };
  EXPECT_TRUE(inkInRows(0, 13));
  EXPECT_TRUE(inkInRows(14, 27));
  EXPECT_EQ(hint.Width(), 137);

  TEffectLabel count(host.Panel(), {8, 186, 100, 15}, std::wstring(60, L'W'), TTextEffect::Raised);
  count.SetEndEllipsis(true);
  // Cut text ends in dots: the last ink column lies well inside, and the
  // lettering does not run off the label.
  const auto cut = Render(count.Handle());
  int lastInk = -1;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 15; ++y)
      if (GetRValue(PixelAt(*cut, x, y)) < 100) lastInk = x;
  EXPECT_GT(lastInk, 50);
  EXPECT_LT(lastInk, 99);
}

TEST(FlatSpeedButton, TurnsBlueUnderThePointer) {
  THostWindow host;
  TFlatSpeedButton button(host.Panel(), {160, 24, 52, 17}, L"Settings...");
  int clicks = 0;
  button.OnClick = [&](TControl&) { ++clicks; };
  EXPECT_FALSE(HasColor(*Render(button.Handle()), RGB(0, 0, 255)));
  SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
  EXPECT_EQ(button.CurrentTextColor(), RGBColor(0, 0, 255));
  EXPECT_TRUE(HasColor(*Render(button.Handle()), RGB(0, 0, 255)));
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_EQ(clicks, 1);
  SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
  const auto after = Render(button.Handle());
  EXPECT_FALSE(HasColor(*after, RGB(0, 0, 255)));
  EXPECT_TRUE(HasColor(*after, GetSysColor(COLOR_BTNTEXT)));
  // Sunken lettering: a light copy below right of the face.
  EXPECT_TRUE(HasColor(*after, GetSysColor(COLOR_BTNHIGHLIGHT)));
  // A tab stop for the keyboard, but a mouse click leaves the focus alone.
  EXPECT_TRUE(GetWindowLongW(button.Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_NE(GetFocus(), button.Handle());
  // Space held (the key repeats) clicks once, as it comes up; Enter at once.
  SendMessageW(button.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  SendMessageW(button.Handle(), WM_KEYDOWN, VK_SPACE, 1 | (1 << 30));
  EXPECT_EQ(clicks, 1);
  SendMessageW(button.Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  SendMessageW(button.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(clicks, 3);
}

TEST(FlatSpeedButton, DisabledIsGreyAndNeverHot) {
  THostWindow host;
  TFlatSpeedButton button(host.Panel(), {198, 24, 19, 21}, L"?");
  button.SetEnabled(false);
  SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  const auto bitmap = Render(button.Handle());
  EXPECT_FALSE(HasColor(*bitmap, RGB(0, 0, 255)));
  EXPECT_TRUE(HasColor(*bitmap, GetSysColor(COLOR_BTNSHADOW)));
}

TEST(TransparentControls, LieUnderOverlappingWindowedControls) {
  THostWindow host;
  TLabel error(host.Panel(), {8, 40, 337, 13}, L"Unable to find the external links file!");
  HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 8, 32, 337, 139, host.Panel(), nullptr, nullptr,
                             nullptr);
  TLabel apart(host.Panel(), {8, 300, 60, 13}, L"apart");
  InvalidateRect(error.Handle(), nullptr, FALSE);
  UpdateWindow(error.Handle());
  bool below = false;
  for (HWND w = GetWindow(box, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) below = below || w == error.Handle();
  EXPECT_TRUE(below);
  // A label that overlaps nothing stays above the windowed control.
  bool above = false;
  for (HWND w = GetWindow(box, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) above = above || w == apart.Handle();
  EXPECT_TRUE(above);
  DestroyWindow(box);
}

TEST(TransparentControls, HiddenWindowedControlsCoverThemWhenShown) {
  THostWindow host;
  TLabel timer(host.Panel(), {149, 25, 36, 13}, L"minutes");
  TPanel style(host.Panel(), {16, 24, 169, 17});
  style.SetVisible(false);
  InvalidateRect(timer.Handle(), nullptr, FALSE);
  UpdateWindow(timer.Handle());
  EXPECT_EQ(GetWindow(style.Handle(), GW_HWNDNEXT), timer.Handle());
}

TEST(Panel, ContainsTabStopsAndPassesItsFont) {
  THostWindow host;
  TPanel panel(host.Panel(), {0, 8, 641, 203});
  EXPECT_TRUE(GetWindowLongW(panel.Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  // Controls made in the panel take the font of the window the panel is in.
  EXPECT_EQ(panel.Font(), GetStockObject(DEFAULT_GUI_FONT));
  TLabel label(panel.Handle(), {8, 0, 0, 0}, L"Desktop Settings:");
  EXPECT_EQ(label.Font(), GetStockObject(DEFAULT_GUI_FONT));
  TGroupBox group(host.Panel(), {8, 232, 353, 187});
  group.SetCaption(L"caption");
  EXPECT_EQ(group.Caption(), L"");
  EXPECT_TRUE(GetWindowLongW(group.Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST(Label, RightAlignedAutoSizeEndsWhereMade) {
  THostWindow host;
  TLabel label(host.Panel(), {360, 12, 0, 0}, L"Ombrelle", TAlignment::Right);
  EXPECT_EQ(label.Left() + label.Width(), 360);
  EXPECT_GT(label.Width(), 20);
}
