// A window with each control of the library on it, laid out like the
// program's panels, for looking at the drawing (under Xvfb: run it and take
// a screenshot of the display). Ends by itself after the number of seconds
// given as its argument (default 8).
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "controls/PixelFont.h"
#include "widgets/Bevel.h"
#include "widgets/ColorBox.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/Font.h"
#include "widgets/GlyphButton.h"
#include "widgets/GradientBand.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"
#include "widgets/ScrollBox.h"
#include "widgets/TrackBar.h"
#include "widgets/Underneath.h"

namespace {
TBitmapOwner LoadBmp(const wchar_t* name) {
  const std::wstring path = std::wstring(DV_RES_DIR) + L"/" + name;
  return TBitmapOwner(static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) PostQuitMessage(0);
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct TGallery {
  std::vector<std::unique_ptr<TControl>> controls;
  TFontOwner windowFont;
  TFontOwner boldFont;

  template <class T, class... A>
  T& Add(A&&... args) {
    auto control = std::make_unique<T>(std::forward<A>(args)...);
    T& ref = *control;
    controls.push_back(std::move(control));
    return ref;
  }

  void Header(HWND panel, const wchar_t* title, int titleWidth, const wchar_t* description, int descWidth) {
    Add<TGradientBand>(panel, TBounds{0, 0, 641, 41}, SystemColor(COLOR_BTNFACE), SystemColor(COLOR_BTNSHADOW), 126);
    auto& img = Add<TPictureBox>(panel, TBounds{0, 0, 41, 41});
    img.OnPaint = [](TPictureBox&, HDC dc, const RECT&) {
      RECT r{8, 8, 33, 33};
      FillRect(dc, &r, SolidBrush(RGB(40, 90, 200)).get());
    };
    auto& lbl = Add<TEffectLabel>(panel, TBounds{40, 0, titleWidth, 30}, title, TTextEffect::Raised, true);
    lbl.SetOwnedFont(MakeFont({L"Times New Roman", 24, true, false, false, ANSI_CHARSET}));
    lbl.SetFontColor(RGBColor(128, 128, 255));
    lbl.SetGradient(true, RGBColor(0, 0, 128));
    Add<TEffectLabel>(panel, TBounds{40, 26, descWidth, 16}, description, TTextEffect::Raised);
  }

  void Group(HWND panel, const wchar_t* title, int titleWidth, int edgeWidth) {
    auto& lbl = Add<TLabel>(panel, TBounds{8, 0, titleWidth, 13}, title);
    lbl.SetFont(boldFont.get());
    Add<TDrawnEdge>(panel, TBounds{8, 16, edgeWidth, 5});
  }

  void Build(HWND frame) {
    SendMessageW(frame, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont.get()), FALSE);
    // Wallpapers.
    auto& wall = Add<TPanel>(frame, TBounds{0, 8, 641, 203});
    Header(wall.Handle(), L"Wallpapers", 122,
           L"Add your favorite wallpapers to the list to be displayed whenever you want.", 354);
    CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 48, 551, 135,
                    wall.Handle(), nullptr, nullptr, nullptr);
    auto& count = Add<TEffectLabel>(wall.Handle(), TBounds{8, 186, 551, 15},
                                    L"3 wallpapers in the list: C:\\Pictures\\Very long folder name\\that goes on "
                                    L"and on\\and on until it cannot fit any more into the label.jpg",
                                    TTextEffect::Raised);
    count.SetEndEllipsis(true);
    auto& buttons = Add<TPanel>(wall.Handle(), TBounds{566, 48, 75, 89});
    const wchar_t* captions[] = {L"&Add...", L"&Remove", L"&Clear"};
    const wchar_t* glyphs[] = {L"add.bmp", L"remove.bmp", L"clear.bmp"};
    for (int i = 0; i < 3; ++i) {
      auto& b = Add<TGlyphButton>(buttons.Handle(), TBounds{0, i * 29, 75, 25}, captions[i], LoadBmp(glyphs[i]));
      b.SetMargin(5);
      if (i == 2) b.SetEnabled(false);
    }

    // Settings.
    auto& settings = Add<TPanel>(frame, TBounds{0, 210, 641, 169});
    Header(settings.Handle(), L"Settings", 85, L"Change the Ombrelle settings to your precise needs.", 288);
    auto& desktop = Add<TPanel>(settings.Handle(), TBounds{8, 48, 217, 65});
    Group(desktop.Handle(), L"Desktop Settings:", 102, 204);
    CreateWindowExW(0, L"BUTTON", L"Random &mouse pointers", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 16, 24, 144, 17,
                    desktop.Handle(), nullptr, nullptr, nullptr);
    Add<TFlatSpeedButton>(desktop.Handle(), TBounds{160, 24, 52, 17}, L"Settings...");
    auto& hot = Add<TFlatSpeedButton>(desktop.Handle(), TBounds{160, 44, 52, 17}, L"Settings...");
    SendMessageW(hot.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // shows the hover colour

    auto& engine = Add<TPanel>(settings.Handle(), TBounds{248, 48, 196, 73});
    Group(engine.Handle(), L"Engine Settings:", 94, 177);
    auto& timer = Add<TLabel>(engine.Handle(), TBounds{149, 25, 36, 13}, L"minutes");
    timer.SetAlignment(TAlignment::Right);
    timer.SetFontColor(SystemColor(COLOR_3DDKSHADOW));
    timer.SetHandCursor(true);
    auto& trk = Add<TTrackBar>(engine.Handle(), TBounds{6, 41, 190, 20}, 1, 60, 10);
    trk.SetThumb(LoadBmp(L"thumb.bmp"));
    auto& one = Add<TPixelFont>(engine.Handle(), TBounds{15, 62});
    one.SetCaption("1");
    auto& sixty = Add<TPixelFont>(engine.Handle(), TBounds{179, 62});
    sixty.SetCaption("60");

    auto& wp = Add<TPanel>(settings.Handle(), TBounds{8, 116, 433, 53});
    Group(wp.Handle(), L"Wallpaper Settings:", 112, 417);
    auto& bg = Add<TLabel>(wp.Handle(), TBounds{226, 28, 61, 13}, L"&Background:");
    auto& cbo = Add<TColorBox>(wp.Handle(), TBounds{290, 23, 135, 22});
    bg.SetFocusControl(cbo.Handle());
    cbo.SetSelected(SystemColor(COLOR_BTNFACE));
    Add<TFlatSpeedButton>(wp.Handle(), TBounds{198, 24, 19, 21}, L"?");
    auto& big = Add<TPixelFont>(settings.Handle(), TBounds{460, 60});
    big.SetCaption("Pixel font x3 !");
    big.SetSizeFactor(3);
    big.SetColor(RGBColor(0, 0, 160));

    // Engine.
    auto& eng = Add<TPanel>(frame, TBounds{0, 378, 641, 78});
    Header(eng.Handle(), L"ZP Engine", 116, L"Start/Stop the Ombrelle engine.", 192);
    Add<TGlyphButton>(eng.Handle(), TBounds{8, 48, 25, 25}, L"", LoadBmp(L"about.bmp"));
    Add<TGlyphButton>(eng.Handle(), TBounds{128, 48, 75, 25}, L"Start", LoadBmp(L"start.bmp"), 2);
    auto& stop = Add<TGlyphButton>(eng.Handle(), TBounds{203, 48, 75, 25}, L"Stop", LoadBmp(L"stop.bmp"), 2);
    stop.SetEnabled(false);
    Add<TEffectLabel>(eng.Handle(), TBounds{280, 47, 137, 27},
                      L"For new settings to take\r\neffect, restart the engine.", TTextEffect::Sunken, true);
    Add<TGlyphButton>(eng.Handle(), TBounds{566, 48, 75, 25}, L"Close", LoadBmp(L"close.bmp"), 1, true);

    // About window parts, to the right.
    auto& about = Add<TPanel>(frame, TBounds{650, 0, 370, 457});
    Add<TGradientBand>(about.Handle(), TBounds{0, 0, 370, 89}, SystemColor(COLOR_BTNSHADOW), SystemColor(COLOR_BTNFACE),
                       164, gstDiagonalUp);
    auto& version = Add<TLabel>(about.Handle(), TBounds{88, 70, 277, 13}, L"Version 1.00  (Build 762)");
    version.SetAlignment(TAlignment::Center);
    auto& name = Add<TLabel>(about.Handle(), TBounds{360, 12, 0, 0}, L"Ombrelle", TAlignment::Right);
    name.SetOwnedFont(MakeFont({L"Arial", 20, true, false, false, DEFAULT_CHARSET}));
    name.SetFontColor(SystemColor(COLOR_BTNFACE));
    Add<TBevel>(about.Handle(), TBounds{8, 80, 353, 9}, bsBottomLine);
    auto& web = Add<TLabel>(about.Handle(), TBounds{144, 122, 0, 0}, L"www.example.com");
    web.SetOwnedFont(DeriveFont(windowFont.get(), false, true));
    web.SetFontColor(RGBColor(0, 0, 255));
    web.SetHandCursor(true);
    web.SetHint(L"http://www.example.com");
    auto& warn = Add<TEffectLabel>(about.Handle(), TBounds{8, 160, 0, 0}, L"Warning:", TTextEffect::Raised);
    warn.SetFont(boldFont.get());
    auto& para = Add<TLabel>(about.Handle(), TBounds{16, 176, 345, 57},
                             L"This program is protected by copyright law. Reproduction or distribution of it, or of "
                             L"any part of it, without permission may result in severe penalties.");
    para.SetWordWrap(true);
    auto& grp = Add<TGroupBox>(about.Handle(), TBounds{8, 232, 353, 187});
    auto& more =
        Add<TEffectLabel>(grp.Handle(), TBounds{17, 7, 0, 0}, L"Do you want more wallpapers?", TTextEffect::None, true);
    more.SetOwnedFont(MakeFont({L"MS Sans Serif", 13, true, false, false, DEFAULT_CHARSET}));
    auto& scb = Add<TScrollBox>(grp.Handle(), TBounds{8, 32, 337, 139});
    for (int i = 0; i < 12; ++i) {
      const std::wstring text = L"<a href=\"http://www.example.invalid/" + std::to_wstring(i) + L"\">Wallpaper site " +
                                std::to_wstring(i + 1) + L"</a>";
      CreateWindowExW(0, WC_LINK, text.c_str(), WS_CHILD | WS_VISIBLE, 4, 4 + i * 18, 200, 16, scb.Handle(), nullptr,
                      nullptr, nullptr);
    }
    auto& add = Add<TLabel>(grp.Handle(), TBounds{244, 169, 0, 0}, L"Add my website here!");
    add.SetFontColor(RGBColor(0, 128, 0));
    add.SetOwnedFont(DeriveFont(windowFont.get(), false, true));
    auto& okPanel = Add<TPanel>(about.Handle(), TBounds{8, 426, 353, 25});
    Add<TGlyphButton>(okPanel.Handle(), TBounds{278, 0, 75, 25}, L"OK", LoadBmp(L"ok.bmp"), 1, true);
  }
};
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"DvWidgetsGallery";
  RegisterClassW(&wc);
  RECT r{0, 0, 1030, 460};
  AdjustWindowRect(&r, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
  HWND frame =
      CreateWindowExW(0, L"DvWidgetsGallery", L"Widgets", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0,
                      0, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  TGallery gallery;
  gallery.windowFont = MakeFont({L"MS Sans Serif", 11, false, false, false, DEFAULT_CHARSET});
  gallery.boldFont = MakeFont({L"MS Sans Serif", 11, true, false, false, DEFAULT_CHARSET});
  gallery.Build(frame);
  ShowWindow(frame, SW_SHOW);
  UpdateWindow(frame);
  const int seconds = commandLine && *commandLine ? _wtoi(commandLine) : 8;
  SetTimer(frame, 1, static_cast<UINT>((seconds > 0 ? seconds : 8) * 1000), nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  gallery.controls.clear();
  DestroyWindow(frame);
  return 0;
}
