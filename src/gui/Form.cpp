#include "gui/Form.h"

#include <oleacc.h>

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
  return IsDialogMessageW(Handle(), &msg) != FALSE;
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
