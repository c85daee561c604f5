#include "gui/AccessibleObject.h"

#include "gui/AccessibleTree.h"
#include "gui/ComPtr.h"
#include "gui/Control.h"
#include "gui/SystemAccessible.h"

namespace {

// What every call answers once the control is gone.
constexpr HRESULT kGone = RPC_E_DISCONNECTED;

VARIANT ChildVariant(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

VARIANT ObjectVariant(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  if (object) {
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
  }
  return v;
}

RECT ToScreen(HWND window, RECT rect) {
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The name a label gives: its text as read, without the closing colon.
std::wstring LabelName(const TControl& control) {
  const TControl* label = TControl::FromHandle(control.AccessibleLabel());
  if (!label) return {};
  std::wstring name = AccessibleText(label->Caption());
  while (!name.empty() && (name.back() == L':' || name.back() == L' ')) name.pop_back();
  return name;
}

// A control of ours, described by itself and placed by the tree. The form
// is the root: its children are the controls of the tree, each a full
// object. A control with items (a list) has them as its children, each a
// simple element named by its child id.
class TOwnAccessible final : public TAccessibleObject {
 public:
  explicit TOwnAccessible(TControl& control) : TAccessibleObject(control) {}

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, &TAccessibleItem::Name, &IAccessible::get_accName);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Text(child, value, &TAccessibleItem::Value, &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return Text(child, description, &TAccessibleItem::Description, &IAccessible::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Text(child, action, &TAccessibleItem::DefaultAction, &IAccessible::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

 private:
  using TTextField = std::wstring TAccessibleItem::*;
  using TTextCall = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

  bool IsRoot() const { return Control()->AsForm() != nullptr; }
  IAccessibleItems* Items() const { return Control()->AccessibleItems(); }
  int ChildCount() const;
  // A child id that names the object itself or one of its children.
  bool Valid(const VARIANT& child, long& id) const;
  // The root's children are full objects: a call about one goes to it.
  bool IsChildObject(long id) const { return id != CHILDID_SELF && IsRoot(); }
  TComPtr<IAccessible> ChildObject(long id) const;
  template <class Call>
  HRESULT ForChild(long id, Call call) const;
  void Describe(long id, TAccessibleItem& info) const;
  long State(long id, const TAccessibleItem& info) const;
  // The child id k as the caller receives it: an object or a number.
  VARIANT ChildAt(long k) const;
  HRESULT Text(VARIANT child, BSTR* out, TTextField field, TTextCall call);
};

int TOwnAccessible::ChildCount() const {
  if (IsRoot()) return static_cast<int>(AccessibleChildrenOf(*Control()).size());
  const IAccessibleItems* items = Items();
  return items ? items->Count() : 0;
}

bool TOwnAccessible::Valid(const VARIANT& child, long& id) const {
  if (child.vt == VT_EMPTY) {
    id = CHILDID_SELF;
    return true;
  }
  if (child.vt != VT_I4) return false;
  id = child.lVal;
  return id == CHILDID_SELF || (id > 0 && id <= ChildCount());
}

TComPtr<IAccessible> TOwnAccessible::ChildObject(long id) const {
  const std::vector<TAccessibleChild> children = AccessibleChildrenOf(*Control());
  if (id < 1 || id > static_cast<long>(children.size())) return nullptr;
  const auto object = TComPtr<IDispatch>::Attach(AccessibleObjectOf(children[static_cast<size_t>(id - 1)]));
  IAccessible* accessible = nullptr;
  if (object) object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
  return TComPtr<IAccessible>::Attach(accessible);
}

template <class Call>
HRESULT TOwnAccessible::ForChild(long id, Call call) const {
  const TComPtr<IAccessible> child = ChildObject(id);
  if (!child) return E_INVALIDARG;
  return call(child.Get(), ChildVariant(CHILDID_SELF));
}

void TOwnAccessible::Describe(long id, TAccessibleItem& info) const {
  if (id == CHILDID_SELF)
    DescribeControl(*Control(), info);
  else if (const IAccessibleItems* items = Items())
    items->Describe(static_cast<int>(id), info);
}

long TOwnAccessible::State(long id, const TAccessibleItem& info) const {
  const HWND window = Control()->Handle();
  long state = info.State;
  const bool enabled = IsWindowEnabled(window) != FALSE;
  if (!IsWindowVisible(window)) state |= STATE_SYSTEM_INVISIBLE;
  if (!enabled) state |= STATE_SYSTEM_UNAVAILABLE;
  if (id == CHILDID_SELF) {
    if (enabled && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP)) state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window) state |= STATE_SYSTEM_FOCUSED;
  }
  return state;
}

VARIANT TOwnAccessible::ChildAt(long k) const {
  if (!IsRoot()) return ChildVariant(k);
  const std::vector<TAccessibleChild> children = AccessibleChildrenOf(*Control());
  return ObjectVariant(AccessibleObjectOf(children[static_cast<size_t>(k - 1)]));
}

HRESULT TOwnAccessible::Text(VARIANT child, BSTR* out, TTextField field, TTextCall call) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(id, [&](IAccessible* object, VARIANT self) { return (object->*call)(self, out); });
  TAccessibleItem info;
  Describe(id, info);
  return ReturnText(info.*field, out);
}

HRESULT TOwnAccessible::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!Control()) return kGone;
  if (TControl* node = AccessibleParentOf(*Control())) {
    *parent = &node->Accessible();
    (*parent)->AddRef();
    return S_OK;
  }
  // Above the form's client stands the system's object of its window.
  return CreateStdAccessibleObject(Control()->Handle(), OBJID_WINDOW, __uuidof(IDispatch),
                                   reinterpret_cast<void**>(parent));
}

HRESULT TOwnAccessible::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  *count = 0;
  if (!Control()) return kGone;
  *count = ChildCount();
  return S_OK;
}

HRESULT TOwnAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id) || id == CHILDID_SELF) return E_INVALIDARG;
  if (!IsRoot()) return S_FALSE;  // an item is a simple element of this object
  const std::vector<TAccessibleChild> children = AccessibleChildrenOf(*Control());
  *object = AccessibleObjectOf(children[static_cast<size_t>(id - 1)]);
  return *object ? S_OK : E_FAIL;
}

HRESULT TOwnAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  VariantInit(role);
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(id, [&](IAccessible* object, VARIANT self) { return object->get_accRole(self, role); });
  TAccessibleItem info;
  Describe(id, info);
  *role = ChildVariant(info.Role);
  return S_OK;
}

HRESULT TOwnAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  VariantInit(state);
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(id, [&](IAccessible* object, VARIANT self) { return object->get_accState(self, state); });
  TAccessibleItem info;
  Describe(id, info);
  *state = ChildVariant(State(id, info));
  return S_OK;
}

HRESULT TOwnAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (!help) return E_POINTER;
  *help = nullptr;
  return Control() ? S_FALSE : kGone;
}

HRESULT TOwnAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (!file || !topic) return E_POINTER;
  *file = nullptr;
  *topic = 0;
  return Control() ? S_FALSE : kGone;
}

HRESULT TOwnAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (!shortcut) return E_POINTER;
  *shortcut = nullptr;
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(id,
                    [&](IAccessible* object, VARIANT self) { return object->get_accKeyboardShortcut(self, shortcut); });
  return ReturnText(id == CHILDID_SELF ? LabelShortcut(*Control()) : std::wstring(), shortcut);
}

HRESULT TOwnAccessible::get_accFocus(VARIANT* focus) {
  if (!focus) return E_POINTER;
  VariantInit(focus);
  if (!Control()) return kGone;
  // Calls from other processes run on this window's thread too, so the
  // thread's focus is the window's.
  const HWND focused = GetFocus();
  const HWND window = Control()->Handle();
  if (!focused) return S_FALSE;
  if (focused == window) {
    const IAccessibleItems* items = Items();
    *focus = ChildVariant(items ? items->FocusedItem() : CHILDID_SELF);
    return S_OK;
  }
  if (!IsRoot()) return S_FALSE;
  for (const TAccessibleChild& child : AccessibleChildrenOf(*Control())) {
    if (!AccessibleChildHolds(child, focused)) continue;
    *focus = ObjectVariant(AccessibleObjectOf(child));
    return S_OK;
  }
  return S_FALSE;
}

HRESULT TOwnAccessible::get_accSelection(VARIANT* selection) {
  if (!selection) return E_POINTER;
  VariantInit(selection);
  if (!Control()) return kGone;
  const IAccessibleItems* items = Items();
  const int selected = items ? items->SelectedItem() : 0;
  if (selected <= 0) return S_FALSE;
  *selection = ChildVariant(selected);
  return S_OK;
}

HRESULT TOwnAccessible::accSelect(long flags, VARIANT child) {
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(id, [&](IAccessible* object, VARIANT self) { return object->accSelect(flags, self); });
  if (id != CHILDID_SELF) {
    Items()->Select(static_cast<int>(id), flags);
    return S_OK;
  }
  if (!(flags & SELFLAG_TAKEFOCUS)) return S_FALSE;
  TAccessibleItem info;
  Describe(id, info);
  if (!(State(id, info) & STATE_SYSTEM_FOCUSABLE)) return S_FALSE;
  Control()->SetFocus();
  return S_OK;
}

HRESULT TOwnAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(
        id, [&](IAccessible* object, VARIANT self) { return object->accLocation(left, top, width, height, self); });
  RECT place = Control()->ClientRect();
  if (id != CHILDID_SELF) {
    TAccessibleItem info;
    Describe(id, info);
    place = info.Bounds;
  }
  place = ToScreen(Control()->Handle(), place);
  *left = place.left;
  *top = place.top;
  *width = place.right - place.left;
  *height = place.bottom - place.top;
  return S_OK;
}

HRESULT TOwnAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(start, id)) return E_INVALIDARG;
  const int count = ChildCount();
  if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
    if (id != CHILDID_SELF) {
      if (!IsChildObject(id)) return S_FALSE;  // items have no children
      return ForChild(id, [&](IAccessible* object, VARIANT self) { return object->accNavigate(direction, self, end); });
    }
    if (count == 0) return S_FALSE;
    *end = ChildAt(direction == NAVDIR_FIRSTCHILD ? 1 : count);
    return S_OK;
  }
  int step = 0;
  if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) step = 1;
  if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) step = -1;
  if (step == 0) return E_INVALIDARG;
  if (id != CHILDID_SELF) {
    const long target = id + step;
    if (target < 1 || target > count) return S_FALSE;
    *end = ChildAt(target);
    return S_OK;
  }
  // From the object itself to its neighbours under its parent.
  TControl* parent = AccessibleParentOf(*Control());
  if (!parent) return S_FALSE;
  const std::vector<TAccessibleChild> siblings = AccessibleChildrenOf(*parent);
  for (size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].Control != Control()) continue;
    const long target = static_cast<long>(i) + step;
    if (target < 0 || target >= static_cast<long>(siblings.size())) return S_FALSE;
    *end = ObjectVariant(AccessibleObjectOf(siblings[static_cast<size_t>(target)]));
    return end->vt == VT_DISPATCH ? S_OK : S_FALSE;
  }
  return S_FALSE;
}

HRESULT TOwnAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!Control()) return kGone;
  const HWND window = Control()->Handle();
  const POINT at{x, y};
  const RECT place = ToScreen(window, Control()->ClientRect());
  if (!PtInRect(&place, at)) return S_FALSE;
  if (const IAccessibleItems* items = Items()) {
    POINT client = at;
    ScreenToClient(window, &client);
    *child = ChildVariant(items->ItemAt(client));
    return S_OK;
  }
  if (IsRoot()) {
    for (const TAccessibleChild& element : AccessibleChildrenOf(*Control())) {
      RECT bounds{};
      if (!IsWindowVisible(element.Window) || !GetWindowRect(element.Window, &bounds) || !PtInRect(&bounds, at))
        continue;
      *child = ObjectVariant(AccessibleObjectOf(element));
      if (child->vt == VT_DISPATCH) return S_OK;
    }
  }
  *child = ChildVariant(CHILDID_SELF);
  return S_OK;
}

HRESULT TOwnAccessible::accDoDefaultAction(VARIANT child) {
  if (!Control()) return kGone;
  long id = 0;
  if (!Valid(child, id)) return E_INVALIDARG;
  if (IsChildObject(id))
    return ForChild(id, [&](IAccessible* object, VARIANT self) { return object->accDoDefaultAction(self); });
  TAccessibleItem info;
  Describe(id, info);
  if (info.DefaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
  return PostAccessibleAction(*Control(), static_cast<int>(id)) ? S_OK : E_FAIL;
}

}  // namespace

// --- the common part of every object ------------------------------------------

void TAccessibleObject::Detach() {
  control_ = nullptr;
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT TAccessibleObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
      IsEqualIID(iid, __uuidof(IAccessible)))
    *object = static_cast<IAccessible*>(this);
  else if (IsEqualIID(iid, __uuidof(IOleWindow)))
    *object = static_cast<IOleWindow*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG TAccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG TAccessibleObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT TAccessibleObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT TAccessibleObject::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = control_ ? control_->Handle() : nullptr;
  return *window ? S_OK : kGone;
}

HRESULT TAccessibleObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT TAccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT TAccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

void TAccessibleRelease::operator()(TAccessibleObject* object) const {
  object->Detach();
  object->Release();
}

TAccessibleObject& TControl::Accessible() {
  if (!accessible_)
    accessible_.reset(AccessibleKind() == TAccessibleKind::System ? MakeSystemAccessible(*this)
                                                                  : new TOwnAccessible(*this));
  return *accessible_;
}

// --- what the tree reads of a control -------------------------------------------

void DescribeControl(const TControl& control, TAccessibleItem& info) {
  control.DescribeAccessible(info);
  if (!control.AccessibleName.empty())
    info.Name = control.AccessibleName;
  else if (info.Name.empty())
    info.Name = LabelName(control);
}

bool SpeaksForItself(const TControl& control) {
  switch (control.AccessibleKind()) {
    case TAccessibleKind::Own:
      return true;
    case TAccessibleKind::System: {
      TAccessibleItem info;
      DescribeControl(control, info);
      return !info.Name.empty() || !info.Value.empty();
    }
    default:
      return false;
  }
}

std::wstring LabelShortcut(const TControl& control) {
  const TControl* label = TControl::FromHandle(control.AccessibleLabel());
  return label ? MnemonicShortcut(label->Caption()) : std::wstring();
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}
