// The main window, the About window and the Add dialog as a person sees
// them at 96, 120, 144 and 192 DPI: no caption is cut, no control loses an
// edge to its parent, the dialog and its preview stay inside the work area.
// Wine reads the DPI from the registry when a program starts, so this
// program runs itself once per DPI.
// clang-format off
// windows.h first: commctrl.h needs its types.
#include <windows.h>
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "WindowFixture.h"
#include "about/About.h"
#include "gui/Dpi.h"
#include "gui/Screen.h"
#include "widgets/EffectLabel.h"
#include "widgets/GlyphButton.h"
#include "widgets/PaintBuffer.h"

namespace {

constexpr int kPreviewId = 1200;  // the Add dialog's preview pane

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool Inside(const RECT& inner, const RECT& outer) {
  RECT both{};
  return IntersectRect(&both, &inner, &outer) && EqualRect(&both, &inner);
}

// The pixels a caption covers painted in the window's font, with a copy at
// each relief offset: DrawText's extent, and wherever lit pixels reach past
// it (some fonts paint glyphs wider than their advance widths say).
SIZE Painted(HWND window, const std::wstring& text, UINT format, int wrapWidth, std::initializer_list<int> relief) {
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
  RECT extent{0, 0, wrapWidth, 0};
  TMemoryBitmap measure(1, 1);
  TSelectObject measureFont(measure.DC(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  DrawTextW(measure.DC(), text.c_str(), static_cast<int>(text.size()), &extent, format | DT_CALCRECT);
  constexpr int pad = 16;
  TMemoryBitmap canvas(extent.right + 2 * pad, extent.bottom + 2 * pad);
  TSelectObject canvasFont(canvas.DC(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  PatBlt(canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), WHITENESS);
  SetBkMode(canvas.DC(), TRANSPARENT);
  for (int offset : relief) {
    RECT r{pad + offset, pad + offset, pad + offset + extent.right, pad + offset + extent.bottom};
    DrawTextW(canvas.DC(), text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOCLIP);
  }
  RECT covered{pad, pad, pad + extent.right, pad + extent.bottom};
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (GetPixel(canvas.DC(), x, y) != RGB(255, 255, 255)) {
        const RECT pixel{x, y, x + 1, y + 1};
        UnionRect(&covered, &covered, &pixel);
      }
  return SIZE{covered.right - covered.left, covered.bottom - covered.top};
}

// What a control's caption takes with its relief and what the control
// draws beside it (a check mark); zero without a caption.
SIZE CaptionNeeds(HWND window, const RECT& client) {
  TControl* control = TControl::FromHandle(window);
  const std::wstring text = control ? control->Caption() : L"";
  // The pixel-font label draws cells of its own, not a font.
  if (text.empty() || ClassOf(window) == L"DvPixelFont") return SIZE{};
  if (auto* label = dynamic_cast<TLabel*>(control)) {
    // Light falls from the top left: a raised face has its light copy up
    // and left and its shadow down and right, a sunken face the other way.
    const auto* effect = dynamic_cast<TEffectLabel*>(control);
    const TTextEffect look = effect ? effect->Effect() : TTextEffect::None;
    const int light = look == TTextEffect::Raised ? -1 : look == TTextEffect::Sunken ? 1 : 0;
    const int shadow = !effect || !effect->Shadow() ? 0 : look == TTextEffect::Sunken ? -1 : 1;
    const UINT format = (label->WordWrap() ? DT_WORDBREAK : 0) | (label->ShowAccelChar() ? 0 : DT_NOPREFIX);
    return Painted(window, text, format, client.right - 2, {0, light, shadow});
  }
  if (ClassOf(window) == L"DvFlatSpeedButton") return Painted(window, text, DT_SINGLELINE, 0, {0, 1});
  const SIZE line = Painted(window, text, DT_SINGLELINE, 0, {0});
  if ((GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW && ClassOf(window) == L"Button") {
    // Check boxes and radio buttons: the system knows its mark's size.
    SIZE ideal{};
    SendMessageW(window, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
    return SIZE{ideal.cx + line.cx - Painted(window, text, DT_SINGLELINE, 0, {}).cx, ideal.cy};
  }
  return line;
}

// Every control under form at any depth, but for what the links library
// puts into its scroll box: that scrolls, and is not the program's.
void ExpectEveryControlFits(HWND form) {
  for (HWND window = GetWindow(form, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
    const TControl* control = TControl::FromHandle(window);
    SCOPED_TRACE(control && !control->Name.empty() ? control->Name : ClassOf(window));
    RECT parent{}, mine{};
    GetClientRect(form, &parent);
    GetWindowRect(window, &mine);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&mine), 2);
    EXPECT_TRUE(Inside(mine, parent)) << "lies at " << mine.left << ", " << mine.top << " to " << mine.right << ", "
                                      << mine.bottom << " in a parent of " << parent.right << " x " << parent.bottom;
    RECT client{};
    GetClientRect(window, &client);
    const SIZE needs = CaptionNeeds(window, client);
    EXPECT_TRUE(needs.cx <= client.right && needs.cy <= client.bottom)
        << "the caption takes " << needs.cx << " x " << needs.cy << " of " << client.right << " x " << client.bottom;
    if (ClassOf(window) != L"DvScrollBox") ExpectEveryControlFits(window);
  }
}

// The Add dialog and its pane, read and cancelled by a timer that the
// dialog's own modal loop runs, a tick after it shows: what the dialog
// posts itself as it opens comes first.
struct {
  RECT Dialog{}, Pane{};
  int Ticks = 0;
  bool Seen = false;
} added;

BOOL CALLBACK FindAddDialog(HWND window, LPARAM found) {
  HWND pane = FindWindowExW(window, nullptr, L"#32770", nullptr);
  if (IsWindowVisible(window) && pane && GetDlgItem(pane, kPreviewId)) *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

void CALLBACK ReadAddDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindAddDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog ? !std::exchange(added.Seen, true) : ++added.Ticks < 100) return;
  KillTimer(nullptr, timer);
  if (!dialog) return;
  GetWindowRect(dialog, &added.Dialog);
  GetWindowRect(GetDlgItem(FindWindowExW(dialog, nullptr, L"#32770", nullptr), kPreviewId), &added.Pane);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

class FitAtThisDpi : public MainWindowFixture {
 protected:
  static void SetUpTestSuite() {
    DeclareDpiAwareness();
    MainWindowFixture::SetUpTestSuite();
  }
};

TEST_F(FitAtThisDpi, DISABLED_Windows) {
  TfrmDorvane& main = Open();
  {
    SCOPED_TRACE("main window");
    ExpectEveryControlFits(main.Handle());
  }
  {
    TfrmAbout about;
    about.Create(main.Handle());
    SCOPED_TRACE("About window");
    ExpectEveryControlFits(about.Handle());
  }
  SetTimer(nullptr, 0, 100, ReadAddDialog);
  PostMessageW(main.btnAdd->Handle(), BM_CLICK, 0, 0);
  Pump();
  const RECT work = WorkAreaOf(added.Dialog);
  EXPECT_TRUE(Inside(added.Dialog, work)) << "the Add dialog reaches past the work area";
  EXPECT_TRUE(Inside(added.Pane, work)) << "its preview pane reaches past the work area";
}

void SetSystemDpi(const DWORD* dpi) {
  constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
  if (dpi)
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, dpi, sizeof *dpi);
  else
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
}

// The case above in a copy of this program started at each DPI; the DPI
// the registry had comes back afterwards. The report this program writes
// when it ends replaces the copies' own.
TEST(Fit, AtEveryDpiNoCaptionIsCutAndNoControlLosesAnEdge) {
  DWORD old = 0, size = sizeof old;
  const bool hadOld = RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD,
                                   nullptr, &old, &size) == ERROR_SUCCESS;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  for (DWORD dpi : {96, 120, 144, 192}) {
    SetSystemDpi(&dpi);
    std::wstring command =
        L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=FitAtThisDpi.DISABLED_Windows";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 255;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 254);
      GetExitCodeProcess(process.hProcess, &code);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    EXPECT_EQ(code, 0u) << "at " << dpi << " DPI (its report is above)";
  }
  SetSystemDpi(hadOld ? &old : nullptr);
}

}  // namespace
