#pragma once
// Base class of every window control of the program. A TControl owns its
// window: the window is destroyed with the object (unless Windows destroyed
// it first, together with its parent).
//
// Two kinds of controls derive from it:
//  - controls of a system window class (BUTTON, COMBOBOX, ...) call
//    CreateSystem(); their messages are subclassed into HandleMessage();
//  - controls with a window class of their own call CreateCustom(); their
//    window procedure is HandleMessage() with DefWindowProc behind it.
// Every control's message handling reflects the notifications that Windows
// sends to a parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
// WM_CTLCOLOR*, WM_HSCROLL/WM_VSCROLL from controls) back to the child's
// TControl, so panels, group boxes and forms need no code for it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/Accessibility.h"

enum class TMouseButton { Left, Right, Middle };

class TForm;
class TControl;
class TAccessibleObject;

// Lets go of a control's accessible object when the control goes (the
// object then answers no more calls; gui/AccessibleObject.cpp).
struct TAccessibleRelease {
  void operator()(TAccessibleObject* object) const;
};

// A watch of a control's messages (TControl::Watch); it ends when this goes.
class TMessageWatch {
 public:
  TMessageWatch() = default;
  TMessageWatch(TControl& control, int id) : control_(&control), id_(id) {}
  TMessageWatch(TMessageWatch&& other) noexcept : control_(std::exchange(other.control_, nullptr)), id_(other.id_) {}
  TMessageWatch& operator=(TMessageWatch&& other) noexcept;
  TMessageWatch(const TMessageWatch&) = delete;
  TMessageWatch& operator=(const TMessageWatch&) = delete;
  ~TMessageWatch() { End(); }
  void End();

 private:
  TControl* control_ = nullptr;
  int id_ = 0;
};

// A control's place and size in its parent's client area.
struct TBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

class TControl {
 public:
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl();

  HWND Handle() const { return hwnd_; }
  HWND ParentHandle() const { return hwnd_ ? GetParent(hwnd_) : nullptr; }
  static TControl* FromHandle(HWND hwnd);
  // The form this control is, or null: the message loop asks a top-level
  // window for its keyboard navigation through it.
  virtual TForm* AsForm() { return nullptr; }

  // Place and size relative to the parent's client area.
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const;
  int Left() const { return BoundsRect().left; }
  int Top() const { return BoundsRect().top; }
  int Width() const;
  int Height() const;
  RECT ClientRect() const;

  bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  bool Visible() const;
  virtual void SetVisible(bool visible);
  std::wstring Caption() const;
  virtual void SetCaption(const std::wstring& text);
  HFONT Font() const;
  virtual void SetFont(HFONT font);
  void SetFocus();
  bool Focused() const;
  // Whether the control has the focus and the window's keyboard cues show
  // focus marks (Windows hides them until the keyboard is used).
  bool FocusMarkShown() const;
  // The keyboard focus moved to focus, a window inside this control (a
  // scroll box brings it into view).
  virtual void DescendantFocused(HWND /*focus*/) {}
  void Invalidate(bool erase = true);
  void Update();

  // The DPI the control is laid out for: its parent's at creation (its own
  // window's for a top-level one), then what its form is told when the
  // window moves to a screen of another DPI.
  int Dpi() const { return dpi_; }
  // A length of the 96-DPI layout at the control's DPI.
  int Scaled(int value) const;
  // Controls that keep sizes of their own (item heights, pictures) update
  // them here; the form places and sizes every control itself.
  virtual void ChangeDpi(int dpi);
  // Runs once every control of the window stands at its place: after the
  // window is built and after each change of DPI. A control that takes the
  // room its neighbours leave it (a label whose text needs more than its
  // box) takes it here.
  virtual void AfterLayout() {}

  // The control's name in its window description ("btnAdd").
  std::wstring Name;

  std::function<void(TControl& sender)> OnClick;
  std::function<void(TControl& sender, TMouseButton button, int x, int y)> OnMouseDown;
  // Sees the control's messages before its own handling does, inside the
  // same error containment (an in-place editor ends its edit on WM_KILLFOCUS
  // this way). Returns true when it handled the message and set result.
  std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

  // Watchers see every message of the control before its own handling does,
  // WM_DESTROY and WM_NCDESTROY included, inside the same error containment,
  // and change nothing (a drop target, a hover tip). A watch lasts as long
  // as the returned TMessageWatch, which must go before the control does.
  using TMessageWatcher = std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)>;
  [[nodiscard]] TMessageWatch Watch(TMessageWatcher watcher);

  // --- what a screen reader reads (gui/Accessibility.h) -------------------
  // Windows of the system's classes are the system's to describe; windows
  // of our own classes are decorative unless their class says otherwise.
  virtual TAccessibleKind AccessibleKind() const;
  // Describes the control itself; a window of a system class fills only
  // what the system cannot know.
  virtual void DescribeAccessible(TAccessibleItem& /*info*/) const {}
  // The default action, run once the screen reader's call has returned
  // (it may open a dialog).
  virtual void DoAccessibleAction() {}
  // The control's parts without a window (a list's rows), or null.
  virtual IAccessibleItems* AccessibleItems() { return nullptr; }
  // A name for the screen reader where the caption does not tell the
  // control apart ("Mouse pointer settings" for a "Settings..." button).
  std::wstring AccessibleName;
  // The control whose caption names this one, as a label names the list
  // beside it; null for none.
  HWND AccessibleLabel() const { return accessibleLabel_; }
  void SetAccessibleLabel(HWND label) { accessibleLabel_ = label; }
  // The object that answers for the control, made on first use.
  TAccessibleObject& Accessible();
  // Controls are read in the order they were made (their tab order), not
  // in the z-order, which the drawn controls change for their painting.
  unsigned CreationOrder() const { return creationOrder_; }

 protected:
  TControl() = default;

  void CreateSystem(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                    const TBounds& bounds, UINT_PTR id = 0);
  // Registers className once per process (CS_DBLCLKS plus classStyle).
  void CreateCustom(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                    const TBounds& bounds, UINT classStyle = 0, HCURSOR cursor = nullptr, HBRUSH background = nullptr);

  // Returns true when the message was handled and result holds the answer.
  virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Sends the message on to the control's default handling.
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

  // Notifications that the parent receives for this control.
  virtual bool HandleCommand(WORD /*code*/) { return false; }
  virtual bool HandleNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool HandleDrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }
  virtual bool HandleMeasureItem(MEASUREITEMSTRUCT* /*item*/) { return false; }
  // Returns a brush for WM_CTLCOLOR*, or null for the default.
  virtual HBRUSH HandleCtlColor(HDC /*dc*/) { return nullptr; }
  virtual bool HandleScroll(int /*code*/) { return false; }

  // Raises OnClick; controls call it where their kind is "clicked".
  virtual void Click() {
    if (OnClick) OnClick(*this);
  }

 private:
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DispatchUnguarded(UINT msg, WPARAM wParam, LPARAM lParam);
  static bool ReflectToChild(HWND self, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK CustomProc(HWND, UINT, WPARAM, LPARAM);
  void Detach();
  static int InheritedDpi(HWND parent);

  friend class TMessageWatch;

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  bool custom_ = false;
  std::vector<std::pair<int, TMessageWatcher>> watchers_;
  int lastWatch_ = 0;
  HWND accessibleLabel_ = nullptr;
  unsigned creationOrder_ = 0;
  std::unique_ptr<TAccessibleObject, TAccessibleRelease> accessible_;
};
