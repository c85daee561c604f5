#include "gui/SystemAccessible.h"

#include "gui/Accessibility.h"
#include "gui/AccessibleObject.h"
#include "gui/AccessibleTree.h"
#include "gui/ComPtr.h"
#include "gui/Control.h"

namespace {

constexpr HRESULT kGone = RPC_E_DISCONNECTED;

bool IsSelf(const VARIANT& child) { return child.vt == VT_EMPTY || (child.vt == VT_I4 && child.lVal == CHILDID_SELF); }

class TSystemAccessible final : public TAccessibleObject {
 public:
  explicit TSystemAccessible(TControl& control) : TAccessibleObject(control) {
    IAccessible* system = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(control.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&system))))
      system_ = TComPtr<IAccessible>::Attach(system);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Words(child, name, Described().Name, &IAccessible::get_accName);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Words(child, value, Described().Value, &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Words(child, shortcut, Control() ? LabelShortcut(*Control()) : std::wstring(),
                 &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Control()) return kGone;
    if (TControl* node = AccessibleParentOf(*Control())) {
      *parent = &node->Accessible();
      (*parent)->AddRef();
      return S_OK;
    }
    return Forward([&](IAccessible* system) { return system->get_accParent(parent); });
  }

  // Everything else is the system's.
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return Forward([&](IAccessible* system) { return system->get_accChildCount(count); });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return Forward([&](IAccessible* system) { return system->get_accChild(child, object); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return Forward([&](IAccessible* system) { return system->get_accDescription(child, description); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Forward([&](IAccessible* system) { return system->get_accRole(child, role); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Forward([&](IAccessible* system) { return system->get_accState(child, state); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Forward([&](IAccessible* system) { return system->get_accHelp(child, help); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Forward([&](IAccessible* system) { return system->get_accHelpTopic(file, child, topic); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Forward([&](IAccessible* system) { return system->get_accFocus(focus); });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Forward([&](IAccessible* system) { return system->get_accSelection(selection); });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Forward([&](IAccessible* system) { return system->get_accDefaultAction(child, action); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return Forward([&](IAccessible* system) { return system->accSelect(flags, child); });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return Forward([&](IAccessible* system) { return system->accLocation(left, top, width, height, child); });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return Forward([&](IAccessible* system) { return system->accNavigate(direction, start, end); });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return Forward([&](IAccessible* system) { return system->accHitTest(x, y, child); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Forward([&](IAccessible* system) { return system->accDoDefaultAction(child); });
  }

 private:
  using TTextCall = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

  template <class Call>
  HRESULT Forward(Call call) const {
    if (!Control()) return kGone;
    return system_ ? call(system_.Get()) : E_FAIL;
  }
  TAccessibleItem Described() const {
    TAccessibleItem info;
    if (Control()) DescribeControl(*Control(), info);
    return info;
  }
  // Our words for the window itself, the system's where we have none.
  HRESULT Words(const VARIANT& child, BSTR* out, const std::wstring& ours, TTextCall call) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Control()) return kGone;
    if (IsSelf(child) && !ours.empty()) return ReturnText(ours, out);
    return Forward([&](IAccessible* system) { return (system->*call)(child, out); });
  }

  TComPtr<IAccessible> system_;
};

}  // namespace

TAccessibleObject* MakeSystemAccessible(TControl& control) { return new TSystemAccessible(control); }
