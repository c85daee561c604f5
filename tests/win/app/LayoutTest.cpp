// The main window as a person sees it: every control at its place with its
// caption, the frame, and the tab order.
#include <gtest/gtest.h>

#include <map>

#include "WindowFixture.h"
#include "gui/StdCtrls.h"
#include "gui/WindowBuilder.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace {

struct Expected {
  const wchar_t* name;
  const wchar_t* parent;
  int left, top, width, height;
  const wchar_t* caption;  // nullptr: not checked
};

// clang-format off
const Expected kControls[] = {
  {L"pnlWallpaper", nullptr, 0, 8, 641, 203, nullptr},
  {L"filWallpaper", L"pnlWallpaper", 0, 0, 641, 41, nullptr},
  {L"imgWallpaper", L"pnlWallpaper", 0, 0, 41, 41, nullptr},
  {L"lblWallpaper", L"pnlWallpaper", 40, 0, 122, 30, L"Wallpapers"},
  {L"lblWallpaperDesc", L"pnlWallpaper", 40, 26, 354, 16,
     L"Add your favorite wallpapers to the list to be displayed whenever you want."},
  {L"lstFiles", L"pnlWallpaper", 8, 48, 551, 135, nullptr},
  {L"lblFileCount", L"pnlWallpaper", 8, 186, 551, 15, L"There are no files in the list!"},
  {L"pnlWallpaperButtons", L"pnlWallpaper", 566, 48, 75, 89, nullptr},
  {L"btnAdd", L"pnlWallpaperButtons", 0, 0, 75, 25, L"&Add..."},
  {L"btnRemove", L"pnlWallpaperButtons", 0, 29, 75, 25, L"&Remove"},
  {L"btnClear", L"pnlWallpaperButtons", 0, 58, 75, 25, L"&Clear"},
  {L"pnlSettings", nullptr, 0, 210, 641, 169, nullptr},
  {L"lblSettings", L"pnlSettings", 40, 0, 85, 30, L"Settings"},
  {L"lblSettingsDesc", L"pnlSettings", 40, 26, 288, 16, L"Change the Ombrelle settings to your precise needs."},
  {L"pnlDesktopSettings", L"pnlSettings", 8, 48, 217, 65, nullptr},
  {L"lblDesktopSettings", L"pnlDesktopSettings", 8, 0, 102, 13, L"Desktop Settings:"},
  {L"bvlDesktopSettings", L"pnlDesktopSettings", 8, 16, 204, 5, nullptr},
  {L"chkRandomPointer", L"pnlDesktopSettings", 16, 24, 144, 17, L"Random &mouse pointers"},
  {L"chkRandomSSaver", L"pnlDesktopSettings", 16, 44, 144, 17, L"Random &screen saver"},
  {L"btnPointerSettings", L"pnlDesktopSettings", 160, 24, 52, 17, L"Settings..."},
  {L"btnSSaverSettings", L"pnlDesktopSettings", 160, 44, 52, 17, L"Settings..."},
  {L"pnlEngineSettings", L"pnlSettings", 248, 48, 196, 73, nullptr},
  {L"chkTimer", L"pnlEngineSettings", 16, 24, 109, 17, L"&Use random timer"},
  {L"pnlTimerStyle", L"pnlEngineSettings", 16, 24, 172, 17, nullptr},
  {L"rdoTimerSecond", L"pnlTimerStyle", 0, 0, 57, 17, L"Second"},
  {L"rdoTimerMinute", L"pnlTimerStyle", 64, 0, 57, 17, L"Minute"},
  {L"rdoTimerHour", L"pnlTimerStyle", 128, 0, 44, 17, L"Hour"},
  {L"trkTimer", L"pnlEngineSettings", 6, 41, 190, 20, nullptr},
  {L"Label1", L"pnlEngineSettings", 15, 62, 4, 5, nullptr},
  {L"Label2", L"pnlEngineSettings", 179, 62, 9, 5, nullptr},
  {L"pnlSystemSettings", L"pnlSettings", 464, 48, 177, 65, nullptr},
  {L"chkRunAtStartup", L"pnlSystemSettings", 16, 24, 153, 17, L"Run at &Windows startup"},
  {L"chkTrayIcon", L"pnlSystemSettings", 16, 44, 153, 17, L"Show system &tray icon"},
  {L"pnlWallpaperSettings", L"pnlSettings", 8, 116, 433, 53, nullptr},
  {L"lblStretchMode", L"pnlWallpaperSettings", 16, 28, 67, 13, L"&Stretch Mode:"},
  {L"cboStretchMode", L"pnlWallpaperSettings", 88, 24, 109, 21, nullptr},
  {L"btnStretchModeHelp", L"pnlWallpaperSettings", 198, 24, 19, 21, L"?"},
  {L"lblBGColor", L"pnlWallpaperSettings", 226, 28, 61, 13, L"&Background:"},
  {L"pnlEngine", nullptr, 0, 378, 641, 78, nullptr},
  {L"lblEngine", L"pnlEngine", 40, 0, 116, 30, L"ZP Engine"},
  {L"lblEngineDesc", L"pnlEngine", 40, 26, 192, 16, L"Start/Stop the Ombrelle engine."},
  {L"btnAbout", L"pnlEngine", 8, 48, 25, 25, L""},
  {L"imgDorvane", L"pnlEngine", 34, 48, 60, 25, nullptr},
  {L"btnStart", L"pnlEngine", 128, 48, 75, 25, L"Start"},
  {L"btnStop", L"pnlEngine", 203, 48, 75, 25, L"Stop"},
  {L"lblNewSettings", L"pnlEngine", 280, 47, 137, 27, L"For new settings to take\r\neffect, restart the engine."},
  {L"btnExit", L"pnlEngine", 566, 48, 75, 25, L"Close"},
};
// clang-format on

struct Named {
  std::map<std::wstring, HWND> byName;
};

BOOL CALLBACK Collect(HWND child, LPARAM param) {
  if (TControl* control = TControl::FromHandle(child); control && !control->Name.empty())
    reinterpret_cast<Named*>(param)->byName[control->Name] = child;
  return TRUE;
}

using Layout = MainWindowFixture;

TEST_F(Layout, EveryControlStandsAtItsPlaceWithItsCaption) {
  Open();
  Named named;
  EnumChildWindows(form_->Handle(), Collect, reinterpret_cast<LPARAM>(&named));
  for (const Expected& e : kControls) {
    SCOPED_TRACE(e.name);
    ASSERT_TRUE(named.byName.count(e.name));
    HWND window = named.byName[e.name];
    HWND parent = e.parent ? named.byName[e.parent] : form_->Handle();
    EXPECT_EQ(GetParent(window), parent);
    TControl* control = TControl::FromHandle(window);
    const RECT r = control->BoundsRect();
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.top);
    // A label whose text needs more than its box widens it.
    if (dynamic_cast<TLabel*>(control))
      EXPECT_GE(r.right - r.left, e.width);
    else
      EXPECT_EQ(r.right - r.left, e.width);
    EXPECT_EQ(r.bottom - r.top, e.height);
    if (e.caption) {
      EXPECT_EQ(control->Caption(), e.caption);
    }
  }
}

TEST_F(Layout, FixedFrameWithoutMaximiseCentredOnTheScreen) {
  Open();
  const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  RECT client{};
  GetClientRect(form_->Handle(), &client);
  EXPECT_EQ(client.right, 645);
  EXPECT_EQ(client.bottom, 457);
  wchar_t caption[64] = {};
  GetWindowTextW(form_->Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Quillon Ombrelle");
  // Centred on the screen, not on the work area.
  RECT window{};
  GetWindowRect(form_->Handle(), &window);
  EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(Layout, TabWalksWallpapersThenSettingsGroupsThenEngine) {
  Open();
  form_->Wallpapers().Add(L"C:\\w\\a.bmp");  // the grid takes part like any control
  std::vector<HWND> order;
  HWND first = GetNextDlgTabItem(form_->Handle(), nullptr, FALSE);
  for (HWND at = first; at && order.size() < 40;) {
    order.push_back(at);
    at = GetNextDlgTabItem(form_->Handle(), at, FALSE);
    if (at == first) break;
  }
  std::vector<std::wstring> names;
  for (HWND window : order)
    if (TControl* control = TControl::FromHandle(window)) names.push_back(control->Name);
  // Each flat button right after the control it belongs to.
  const std::vector<std::wstring> expected = {L"lstFiles",         L"btnAdd",
                                              L"btnRemove",        L"btnClear",
                                              L"chkRandomPointer", L"btnPointerSettings",
                                              L"chkRandomSSaver",  L"btnSSaverSettings",
                                              L"chkTimer",         L"trkTimer",
                                              L"chkRunAtStartup",  L"chkTrayIcon",
                                              L"cboStretchMode",   L"btnStretchModeHelp",
                                              L"cboBGColor",       L"btnAbout",
                                              L"btnStart",         L"btnExit"};
  EXPECT_EQ(names, expected);
}

// What a person sees of every named control: its place in its parent and
// the size its text takes in its own font.
struct TShown {
  RECT Bounds;
  SIZE Text;
  // Where a label's text ends depends on the font of each DPI; the side it
  // stands on scales like every edge.
  bool Label = false;
  bool RightAligned = false;
};

std::map<std::wstring, TShown> ShownControls(HWND form) {
  Named named;
  EnumChildWindows(form, Collect, reinterpret_cast<LPARAM>(&named));
  std::map<std::wstring, TShown> shown;
  for (const auto& [name, window] : named.byName) {
    TControl* control = TControl::FromHandle(window);
    const std::wstring text = control->Caption();
    RECT extent{};
    if (!text.empty()) {
      HDC dc = GetDC(window);
      HGDIOBJ old = SelectObject(dc, control->Font() ? control->Font() : GetStockObject(DEFAULT_GUI_FONT));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT);
      SelectObject(dc, old);
      ReleaseDC(window, dc);
    }
    const auto* label = dynamic_cast<TLabel*>(control);
    shown[name] = TShown{control->BoundsRect(), SIZE{extent.right, extent.bottom}, label != nullptr,
                         label && label->Alignment() == TAlignment::Right};
  }
  return shown;
}

// Tells the window, as the system does, that it now shows at another DPI.
void MoveToDpi(HWND form, int dpi) {
  RECT suggested{};
  GetWindowRect(form, &suggested);
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // self-sizing controls fit on paint
}

// On a screen of 150 % every control's place is its 96-DPI place times 1.5,
// and its text grows no more than the control does, so nothing that fits
// at 96 DPI is cut; back at 96 DPI every control is where it was.
TEST_F(Layout, AtAnotherDpiEveryControlScalesAndItsTextStillFits) {
  Open();
  const auto at96 = ShownControls(form_->Handle());
  ASSERT_GE(at96.size(), std::size(kControls));

  MoveToDpi(form_->Handle(), 144);
  RECT client{};
  GetClientRect(form_->Handle(), &client);
  EXPECT_NEAR(client.right, 645 * 3 / 2, 1);
  EXPECT_NEAR(client.bottom, 457 * 3 / 2, 1);
  const auto at144 = ShownControls(form_->Handle());
  for (const auto& [name, before] : at96) {
    SCOPED_TRACE(name);
    const TShown& after = at144.at(name);
    if (!before.Label || !before.RightAligned) {
      EXPECT_NEAR(after.Bounds.left, before.Bounds.left * 1.5, 1);
    }
    EXPECT_NEAR(after.Bounds.top, before.Bounds.top * 1.5, 1);
    if (!before.Label || before.RightAligned) {
      EXPECT_NEAR(after.Bounds.right, before.Bounds.right * 1.5, 1);
    }
    EXPECT_NEAR(after.Bounds.bottom, before.Bounds.bottom * 1.5, 1);
    EXPECT_LE(after.Text.cx, before.Text.cx * 1.5 + 1);
    EXPECT_LE(after.Text.cy, before.Text.cy * 1.5 + 1);
  }

  MoveToDpi(form_->Handle(), 96);
  const auto back = ShownControls(form_->Handle());
  for (const auto& [name, before] : at96) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(EqualRect(&back.at(name).Bounds, &before.Bounds));
  }
}

// A description that puts a control into a field of another kind stops the
// build with the control's name, instead of handing out a wrong pointer.
TEST_F(Layout, AFieldOfAnotherKindStopsTheBuild) {
  struct TWindow {
    TPanel* panel = nullptr;
    TLabel* label = nullptr;
  } window;
  enum class TKind { Panel };
  const TControlRow<TWindow, TKind> rows[] = {
      {L"pnlOne", TKind::Panel, nullptr, L"", {0, 0, 10, 10}, 0, &TWindow::panel},
      {L"lblTwo", TKind::Panel, nullptr, L"", {0, 0, 10, 10}, 0, &TWindow::label},
  };
  TBuildSteps<TKind> steps;
  steps.Make = [](TKind, const TMakeRequest& r) -> std::unique_ptr<TControl> {
    return std::make_unique<TPanel>(r.Parent, TBounds{r.Bounds.Left, r.Bounds.Top, r.Bounds.Width, r.Bounds.Height});
  };
  TBuiltControls built;
  Open();
  try {
    BuildControls<TWindow, TKind>(window, form_->Handle(), rows, steps, built);
    ADD_FAILURE() << "the build went through";
  } catch (const std::logic_error& error) {
    EXPECT_NE(std::string(error.what()).find("lblTwo"), std::string::npos);
  }
  EXPECT_NE(window.panel, nullptr);
  EXPECT_EQ(window.label, nullptr);
}

}  // namespace
