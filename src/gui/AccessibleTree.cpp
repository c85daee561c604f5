#include "gui/AccessibleTree.h"

#include <algorithm>
#include <tuple>

#include "gui/AccessibleObject.h"
#include "gui/Control.h"

namespace {

UINT ActionMessage() {
  static const UINT message = RegisterWindowMessageW(L"DorvaneAccessibleAction");
  return message;
}

// COM on the thread that answers: the program starts OLE only once its
// window is on the screen, and a screen reader may ask before. The
// apartment lasts as long as the thread.
class TApartment {
 public:
  TApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  TApartment(const TApartment&) = delete;
  TApartment& operator=(const TApartment&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

bool ApartmentReady() {
  thread_local TApartment apartment;
  return apartment.Usable();
}

// The child windows of a parent in reading order: ours in the order they
// were made; a window of someone else's making right after the last of
// ours above it in the z-order (its maker made it then).
std::vector<HWND> ChildWindowsInOrder(HWND parent) {
  std::vector<std::tuple<unsigned, bool, int, HWND>> windows;
  unsigned lastOurs = 0;
  int z = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT), ++z) {
    const TControl* control = TControl::FromHandle(w);
    if (control) lastOurs = control->CreationOrder();
    windows.emplace_back(lastOurs, control == nullptr, z, w);
  }
  std::sort(windows.begin(), windows.end());
  std::vector<HWND> ordered;
  for (const auto& entry : windows) ordered.push_back(std::get<3>(entry));
  return ordered;
}

void Collect(HWND parent, std::vector<TAccessibleChild>& children) {
  for (HWND w : ChildWindowsInOrder(parent)) {
    TControl* control = TControl::FromHandle(w);
    if (!control) {
      children.push_back({nullptr, w});
      continue;
    }
    switch (control->AccessibleKind()) {
      case TAccessibleKind::None:
        break;
      case TAccessibleKind::Container:
        // What a hidden panel holds cannot be seen (the timer's unit
        // choice until it opens); the system's descriptions of those
        // controls do not always say so.
        if (IsWindowVisible(w)) Collect(w, children);
        break;
      case TAccessibleKind::Own:
      case TAccessibleKind::System:
        children.push_back({control, w});
        break;
    }
  }
}

void RunAction(TControl& control, int item) {
  if (item == CHILDID_SELF) {
    control.DoAccessibleAction();
  } else if (IAccessibleItems* items = control.AccessibleItems(); items && item <= items->Count()) {
    items->DoDefaultAction(item);
  }
}

}  // namespace

std::vector<TAccessibleChild> AccessibleChildrenOf(TControl& node) {
  std::vector<TAccessibleChild> children;
  if (node.AsForm() && node.Handle()) Collect(node.Handle(), children);
  return children;
}

TControl* AccessibleParentOf(TControl& control) {
  if (control.AsForm() || !control.Handle()) return nullptr;
  TControl* root = TControl::FromHandle(GetAncestor(control.Handle(), GA_ROOT));
  return root && root->AsForm() ? root : nullptr;
}

IDispatch* AccessibleObjectOf(const TAccessibleChild& child) {
  IDispatch* object = nullptr;
  if (child.Control && SpeaksForItself(*child.Control)) {
    object = &child.Control->Accessible();
    object->AddRef();
  } else if (child.Control) {
    // The system's description as it stands, without a round trip through
    // the window's messages.
    CreateStdAccessibleObject(child.Window, OBJID_CLIENT, __uuidof(IDispatch), reinterpret_cast<void**>(&object));
  } else {
    AccessibleObjectFromWindow(child.Window, OBJID_CLIENT, __uuidof(IDispatch), reinterpret_cast<void**>(&object));
  }
  return object;
}

bool AccessibleChildHolds(const TAccessibleChild& child, HWND window) {
  return window && (window == child.Window || IsChild(child.Window, window));
}

bool AnswerAccessibleRequest(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == ActionMessage()) {
    RunAction(control, static_cast<int>(wParam));
    result = 0;
    return true;
  }
  if (msg != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
  if (!SpeaksForItself(control) || !ApartmentReady()) return false;
  const LRESULT answer =
      LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(&control.Accessible()));
  // When the object cannot be handed over, the system's description is
  // still better than none.
  if (answer < 0) return false;
  result = answer;
  return true;
}

bool PostAccessibleAction(TControl& control, int item) {
  return control.Handle() && PostMessageW(control.Handle(), ActionMessage(), static_cast<WPARAM>(item), 0);
}
