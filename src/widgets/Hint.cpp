#include "widgets/Hint.h"

#include <commctrl.h>

namespace {
TTTOOLINFOW ToolOf(HWND control, std::wstring& text) {
  TTTOOLINFOW tool{};
  // The smaller record is understood by every version of the common controls.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control) ? GetParent(control) : control;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  return tool;
}
}  // namespace

THint::~THint() { Destroy(); }

void THint::Destroy() {
  tooltip_.reset();
  control_ = nullptr;
}

void THint::Set(HWND control, const std::wstring& text) {
  if (control != control_ || text.empty()) Destroy();
  text_ = text;
  if (text.empty() || !control) return;
  if (!tooltip_) {
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_) return;
    control_ = control;
    TTTOOLINFOW tool = ToolOf(control, text_);
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    TTTOOLINFOW tool = ToolOf(control, text_);
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}
