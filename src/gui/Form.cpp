#include "gui/Form.h"

#include <oleacc.h>

#include <algorithm>
#include <cwctype>
#include <tuple>
#include <utility>
#include <vector>

#include "gui/Application.h"
#include "gui/Dpi.h"

namespace {

int CALLBACK FaceExists(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontFaceInstalled(const wchar_t* face) {
  TScreenDC screen;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(screen.Get(), &lf, FaceExists, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

bool OutlineTwinInstalled() {
  static const bool installed = FontFaceInstalled(L"Microsoft Sans Serif");
  return installed;
}

// The mnemonic of a window's caption ("&Stretch Mode:" has S), upper case;
// 0 for none. "&&" is a plain ampersand.
wchar_t MnemonicOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  for (const wchar_t* c = text; c[0] && c[1]; ++c) {
    if (c[0] != L'&') continue;
    if (c[1] == L'&') {
      ++c;
      continue;
    }
    return static_cast<wchar_t>(std::towupper(c[1]));
  }
  return 0;
}

bool Reachable(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The windows under parent in the order the dialog manager walks them (the
// z-order, depth first), without hidden or disabled ones and what they hold.
void CollectReachable(HWND parent, std::vector<HWND>& found) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!Reachable(child)) continue;
    found.push_back(child);
    CollectReachable(child, found);
  }
}

// What a mnemonic leads to: a button itself; for a label, the next sibling
// that takes the focus. Null when it leads nowhere.
HWND MnemonicTarget(HWND window) {
  const LRESULT code = SendMessageW(window, WM_GETDLGCODE, 0, 0);
  if (code & DLGC_BUTTON) return window;
  if (!(code & DLGC_STATIC)) return nullptr;
  for (HWND next = GetWindow(window, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
    if (Reachable(next) && (GetWindowLongW(next, GWL_STYLE) & WS_TABSTOP)) return next;
  return nullptr;
}

BOOL CALLBACK TellColorsChanged(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

TFontOwner CreateDefaultFont(bool bold, int dpi) {
  LOGFONTW lf{};
  static const bool haveSansSerif = FontFaceInstalled(L"MS Sans Serif");
  // The raster face has the 96-DPI sizes only; its outline twin keeps the
  // same look crisp at any other DPI.
  if (dpi != kDesignDpi && OutlineTwinInstalled()) {
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Microsoft Sans Serif");
  } else if (haveSansSerif) {
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"MS Sans Serif");
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    lf = metrics.lfMessageFont;
  }
  lf.lfHeight = -ScaleFontHeight(11, dpi);  // 8 points
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return TFontOwner(CreateFontIndirectW(&lf));
}

TForm::~TForm() = default;

void TForm::Create(const TFormDesc& desc, HWND owner) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (desc.minimizeBox) style |= WS_MINIMIZEBOX;
  if (desc.border == TBorderStyle::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
  RECT r{0, 0, desc.clientWidth, desc.clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  position_ = desc.position;
  designClient_ = SIZE{desc.clientWidth, desc.clientHeight};
  CreateCustom(desc.className, desc.caption, style, exStyle, owner, TBounds{0, 0, r.right - r.left, r.bottom - r.top},
               0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  font_ = CreateDefaultFont(false, Dpi());
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  FitClientToDpi();
  // Each size from its own image: the caption and the task bar would
  // otherwise show the large one scaled down. Shared icons need no release.
  for (auto [which, width, height] :
       {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(width),
                             GetSystemMetrics(height), LR_SHARED);
    if (icon) SendMessageW(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
  CenterOn(position_ == TFormPosition::OwnerFormCenter ? owner : nullptr);
  CreateControls();
  // As a dialog starts: focus marks hidden when the mouse was used last
  // (until a key is pressed), unless the user asked to see them always.
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS), 0);
  FormCreate();
}

void TForm::FitClientToDpi() {
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int width = ScaleToDpi(designClient_.cx, Dpi()), height = ScaleToDpi(designClient_.cy, Dpi());
  if (client.right == width && client.bottom == height) return;
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + width - client.right,
               window.bottom - window.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ApplyDpi(int dpi, const RECT& suggested) {
  ChangeDpi(dpi);
  // The old font goes once no control draws with it.
  const TFontOwner old = std::exchange(font_, CreateDefaultFont(false, dpi));
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientToDpi();
  ScaleLayout();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TForm::CenterOn(HWND reference) {
  RECT area{};
  if (reference) {
    GetWindowRect(reference, &area);
  } else {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  const int w = Width(), h = Height();
  int x = area.left + (area.right - area.left - w) / 2;
  int y = area.top + (area.bottom - area.top - h) / 2;
  SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  FormShow();
}

int TForm::ShowModal() {
  HWND owner = GetWindow(Handle(), GW_OWNER);
  modal_ = true;
  modalResult_ = mrNone;
  if (owner) EnableWindow(owner, FALSE);
  Show();
  SetForegroundWindow(Handle());
  while (Handle() && modalResult_ == mrNone) {
    if (!Application().HandleMessage(true)) break;
  }
  if (owner) {
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
  }
  if (Handle()) {
    if (modalResult_ != mrNone && !closing_) {
      closing_ = true;
      GuardedCall([this] { FormClose(); });
    }
    ShowWindow(Handle(), SW_HIDE);
  }
  modal_ = false;
  return modalResult_;
}

void TForm::Close() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TForm::DescribeAccessible(TAccessibleItem& info) const {
  info.Role = ROLE_SYSTEM_CLIENT;
  info.Name = Caption();
}

void TForm::RememberFocus(HWND control) {
  if (control && Handle() && IsChild(Handle(), control)) focused_ = control;
}

void TForm::RestoreFocus() {
  HWND target = focused_;
  if (!target || !IsWindow(target) || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target))
    target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  ::SetFocus(target ? target : Handle());
}

bool TForm::IsDialogKey(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  if (!IsWindowEnabled(Handle())) return false;
  if (msg.message == WM_KEYDOWN) ShowKeyboardCues(UISF_HIDEFOCUS);
  if (msg.message == WM_SYSKEYDOWN) ShowKeyboardCues(UISF_HIDEFOCUS | UISF_HIDEACCEL);
  if (KeyPreview(msg)) return true;
  if (SharedMnemonic(msg)) return true;
  return IsDialogMessageW(Handle(), &msg) != FALSE;
}

void TForm::ShowKeyboardCues(WORD flags) {
  const auto hidden = static_cast<WORD>(SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & flags);
  if (hidden) SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, hidden), 0);
}

bool TForm::SharedMnemonic(const MSG& msg) {
  // Alt+letter, or a plain letter where the focused control takes no
  // characters: the keys the dialog manager reads as mnemonics.
  if (msg.message == WM_CHAR) {
    MSG copy = msg;
    const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
    if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) return false;
  } else if (msg.message != WM_SYSCHAR) {
    return false;
  }
  const auto pressed = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(msg.wParam)));
  std::vector<HWND> windows;
  CollectReachable(Handle(), windows);
  // The controls that the mnemonic leads to, each with its place in the walk.
  std::vector<std::pair<size_t, HWND>> targets;
  for (size_t i = 0; i < windows.size(); ++i) {
    if (MnemonicOf(windows[i]) != pressed) continue;
    HWND target = MnemonicTarget(windows[i]);
    if (!target) continue;
    bool known = false;
    for (const auto& [place, seen] : targets) known = known || seen == target;
    if (!known) targets.emplace_back(i, target);
  }
  if (targets.size() < 2) return false;
  // Shared: the next one after the focus, round to the first.
  const auto focus = std::find(windows.begin(), windows.end(), GetFocus());
  const size_t focusPlace = focus == windows.end() ? 0 : static_cast<size_t>(focus - windows.begin()) + 1;
  HWND next = targets.front().second;
  for (const auto& [place, target] : targets)
    if (place >= focusPlace) {
      next = target;
      break;
    }
  ::SetFocus(next);
  return true;
}

void TForm::ColorsChanged() {
  // Windows tells top-level windows only; the system's controls inside
  // want to know too, and every control paints in the new colours at once.
  EnumChildWindows(Handle(), TellColorsChanged, 0);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_CLOSE:
      if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
      } else if (!closing_) {
        // An error in the close handler (a file that cannot be written)
        // is reported and keeps the window open, so nothing is lost.
        closing_ = true;
        bool closed = false;
        GuardedCall([&] {
          if (!FormCloseQuery()) return;
          FormClose();
          closed = true;
        });
        closing_ = false;
        if (closed) DestroyWindow(Handle());
      }
      result = 0;
      return true;
    case WM_ACTIVATE:
      // Left alone, the system gives the focus to the bare form; a user
      // expects it back on the control that had it, or on the first one.
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus(GetFocus());
        return false;
      }
      if (HIWORD(wParam)) return false;  // minimised: no focus to give
      RestoreFocus();
      result = 0;
      return true;
    case WM_DESTROY:
      GuardedCall([this] { FormDestroy(); });
      return false;
    case WM_SYSCOLORCHANGE:
      ColorsChanged();
      return false;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) ColorsChanged();
      return false;
    case WM_DPICHANGED:
      // Moved to a screen of another DPI: the system suggests the window's
      // new place; the controls follow at the new scale. A message with no
      // place or a DPI no screen has is not the system's and changes nothing.
      if (lParam && HIWORD(wParam) >= kDesignDpi / 4 && HIWORD(wParam) <= kDesignDpi * 10)
        ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application().MainForm() == this && Application().Handle()) {
        SendMessageW(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        result = 0;
        return true;
      }
      return false;
    case WM_NEXTDLGCTL: {
      // The dialog manager moves the focus this way, for instance to the
      // control that a label's mnemonic names.
      HWND target = nullptr;
      if (LOWORD(lParam))
        target = reinterpret_cast<HWND>(wParam);
      else
        target = GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
      if (target) ::SetFocus(target);
      result = 0;
      return true;
    }
    case DM_GETDEFID:
      if (DefaultButton && DefaultButton->Handle()) {
        result = MAKELRESULT(GetDlgCtrlID(DefaultButton->Handle()), DC_HASDEFID);
        return true;
      }
      return false;
    case WM_COMMAND:
      // Enter and Escape reach the form as IDOK / IDCANCEL without a control.
      if (lParam == 0 && LOWORD(wParam) == IDCANCEL && CancelButton) {
        SendMessageW(CancelButton->Handle(), BM_CLICK, 0, 0);
        result = 0;
        return true;
      }
      if (lParam == 0 && LOWORD(wParam) == IDOK && DefaultButton) {
        SendMessageW(DefaultButton->Handle(), BM_CLICK, 0, 0);
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}
