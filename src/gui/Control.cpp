#include "gui/Control.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "gui/AccessibleTree.h"
#include "gui/Application.h"
#include "gui/Dpi.h"

namespace {
// The control behind each of our windows. Looked up for every message, so
// it lives in the process rather than in a window property, which costs a
// call into the window manager.
class TControlMap {
 public:
  void Set(HWND hwnd, TControl* control) {
    std::lock_guard lock(mutex_);
    map_[hwnd] = control;
  }
  void Remove(HWND hwnd) {
    std::lock_guard lock(mutex_);
    map_.erase(hwnd);
  }
  TControl* Find(HWND hwnd) {
    std::lock_guard lock(mutex_);
    const auto it = map_.find(hwnd);
    return it == map_.end() ? nullptr : it->second;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, TControl*> map_;
};

// Never freed: controls of static lifetime may leave after it otherwise.
TControlMap& Controls() {
  static auto* controls = new TControlMap;
  return *controls;
}

// The control whose system window is being created: owner-drawn controls ask
// their parent for item sizes before CreateWindowEx returns.
thread_local TControl* creating = nullptr;
constexpr UINT_PTR kSubclassId = 0x44565243;  // any constant unique to us

unsigned NextCreationOrder() {
  static unsigned made = 0;
  return ++made;
}
}  // namespace

TControl::~TControl() {
  // A screen reader may hold the object longer: from now on it answers
  // that the control is gone.
  accessible_.reset();
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Detach();
    DestroyWindow(hwnd);
  }
}

void TControl::Detach() {
  if (!hwnd_) return;
  if (!custom_) RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
  Controls().Remove(hwnd_);
  hwnd_ = nullptr;
}

TControl* TControl::FromHandle(HWND hwnd) { return hwnd ? Controls().Find(hwnd) : nullptr; }

void TControl::CreateSystem(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                            const TBounds& bounds, UINT_PTR id) {
  dpi_ = InheritedDpi(parent);
  creationOrder_ = NextCreationOrder();
  creating = this;
  HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), style, bounds.Left, bounds.Top, bounds.Width,
                              bounds.Height, parent, reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
  creating = nullptr;
  if (!hwnd) throw std::runtime_error("Error creating window");
  hwnd_ = hwnd;
  custom_ = false;
  Controls().Set(hwnd, this);
  SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (parent) SetFont(reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)));
}

void TControl::CreateCustom(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                            const TBounds& bounds, UINT classStyle, HCURSOR cursor, HBRUSH background) {
  static std::set<std::wstring> registered;
  if (!registered.count(className)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | classStyle;
    wc.lpfnWndProc = CustomProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw std::runtime_error("Error registering window class");
    registered.insert(className);
  }
  custom_ = true;
  dpi_ = InheritedDpi(parent);
  creationOrder_ = NextCreationOrder();
  HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), style, bounds.Left, bounds.Top, bounds.Width,
                              bounds.Height, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd) throw std::runtime_error("Error creating window");
  if (!(style & WS_CHILD)) dpi_ = WindowDpi(hwnd);  // a top-level window has its own screen's
  if (parent) SetFont(reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)));
}

int TControl::InheritedDpi(HWND parent) {
  if (const TControl* owner = FromHandle(parent)) return owner->dpi_;
  return WindowDpi(parent);
}

int TControl::Scaled(int value) const { return ScaleToDpi(value, dpi_); }

void TControl::ChangeDpi(int dpi) {
  dpi_ = dpi;
  Invalidate();
}

LRESULT CALLBACK TControl::CustomProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    Controls().Set(hwnd, self);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  return reinterpret_cast<TControl*>(data)->Dispatch(msg, wParam, lParam);
}

LRESULT TControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    return DispatchUnguarded(msg, wParam, lParam);
  } catch (...) {
    // No exception may cross the window procedure back into Windows.
    Application().HandleCurrentException();
    return 0;
  }
}

TMessageWatch TControl::Watch(TMessageWatcher watcher) {
  watchers_.emplace_back(++lastWatch_, std::move(watcher));
  return TMessageWatch(*this, lastWatch_);
}

TMessageWatch& TMessageWatch::operator=(TMessageWatch&& other) noexcept {
  if (this != &other) {
    End();
    control_ = std::exchange(other.control_, nullptr);
    id_ = other.id_;
  }
  return *this;
}

void TMessageWatch::End() {
  if (!control_) return;
  auto& watchers = std::exchange(control_, nullptr)->watchers_;
  std::erase_if(watchers, [this](const auto& watcher) { return watcher.first == id_; });
}

LRESULT TControl::DispatchUnguarded(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!watchers_.empty()) {
    // By number: a watcher may end its own watch, or another, while it runs;
    // an ended one is not called any more.
    std::vector<int> ids;
    for (const auto& watch : watchers_) ids.push_back(watch.first);
    for (int id : ids) {
      const auto it = std::find_if(watchers_.begin(), watchers_.end(), [id](const auto& w) { return w.first == id; });
      if (it == watchers_.end()) continue;
      const TMessageWatcher watcher = it->second;
      watcher(msg, wParam, lParam);
    }
    if (!hwnd_) return 0;
  }
  if (OnMessage && msg != WM_NCDESTROY) {
    // A copy: the filter may drop itself (an edit that ends) while it runs.
    const auto filter = OnMessage;
    if (filter(msg, wParam, lParam, result)) return result;
    if (!hwnd_) return 0;
  }
  if (ReflectToChild(hwnd_, msg, wParam, lParam, result)) return result;
  if (msg == WM_NCDESTROY) {
    // Windows destroys the window (with its parent, say) before the object.
    HWND hwnd = hwnd_;
    const bool custom = custom_;
    Detach();
    return custom ? DefWindowProcW(hwnd, msg, wParam, lParam) : DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    if (OnMouseDown) {
      const TMouseButton button = msg == WM_LBUTTONDOWN   ? TMouseButton::Left
                                  : msg == WM_RBUTTONDOWN ? TMouseButton::Right
                                                          : TMouseButton::Middle;
      OnMouseDown(*this, button, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      if (!hwnd_) return 0;
    }
  }
  if (AnswerAccessibleRequest(*this, msg, wParam, lParam, result)) return result;
  if (HandleMessage(msg, wParam, lParam, result)) return result;
  if (custom_ && msg == WM_SETFONT) {
    // Windows of our own classes keep their font here.
    font_ = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam)) InvalidateRect(hwnd_, nullptr, TRUE);
    return 0;
  }
  if (custom_ && msg == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
  return DefaultHandler(msg, wParam, lParam);
}

bool TControl::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

TAccessibleKind TControl::AccessibleKind() const { return custom_ ? TAccessibleKind::None : TAccessibleKind::System; }

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) return 0;
  return custom_ ? DefWindowProcW(hwnd_, msg, wParam, lParam) : DefSubclassProc(hwnd_, msg, wParam, lParam);
}

bool TControl::ReflectToChild(HWND self, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  TControl* child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      if (lParam && (child = FromHandle(reinterpret_cast<HWND>(lParam))) != nullptr &&
          child->HandleCommand(HIWORD(wParam))) {
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      child = header ? FromHandle(header->hwndFrom) : nullptr;
      return child && child->HandleNotify(header, result);
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) return false;
      child = FromHandle(item->hwndItem);
      if (child && child->HandleDrawItem(item)) {
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_MEASUREITEM: {
      // Measure requests may come before the child's CreateWindowEx returns.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) return false;
      child = FromHandle(GetDlgItem(self, static_cast<int>(item->CtlID)));
      if (!child) child = creating;
      if (child && child->HandleMeasureItem(item)) {
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      child = FromHandle(reinterpret_cast<HWND>(lParam));
      if (child) {
        if (HBRUSH brush = child->HandleCtlColor(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    case WM_HSCROLL:
    case WM_VSCROLL:
      child = lParam ? FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (child && child->HandleScroll(LOWORD(wParam))) {
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TControl::BoundsRect() const {
  RECT r{};
  if (!hwnd_) return r;
  GetWindowRect(hwnd_, &r);
  if (HWND parent = GetParent(hwnd_); parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TControl::Width() const {
  const RECT r = BoundsRect();
  return r.right - r.left;
}

int TControl::Height() const {
  const RECT r = BoundsRect();
  return r.bottom - r.top;
}

RECT TControl::ClientRect() const {
  RECT r{};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r;
}

bool TControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void TControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

bool TControl::Visible() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void TControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

std::wstring TControl::Caption() const {
  if (!hwnd_) return {};
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  return text;
}

void TControl::SetCaption(const std::wstring& text) {
  if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
}

HFONT TControl::Font() const {
  return hwnd_ ? reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)) : nullptr;
}

void TControl::SetFont(HFONT font) {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool TControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

bool TControl::FocusMarkShown() const {
  return Focused() && !(SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void TControl::Invalidate(bool erase) {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, erase);
}

void TControl::Update() {
  if (hwnd_) UpdateWindow(hwnd_);
}
