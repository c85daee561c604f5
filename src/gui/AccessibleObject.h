#pragma once
// The Active Accessibility object of one control: what a screen reader
// calls, in this process or through COM from another one. The object
// belongs to its control; a screen reader may hold it longer, and once the
// control is gone every call answers that the object is disconnected.
//
// A control of ours is described by the control itself (its kind, its
// description, its items) and placed by the tree (gui/AccessibleTree.h). A
// window of a system class keeps the system's description, with the name
// and value that the control adds (gui/SystemAccessible.h).
#include <oleacc.h>
#include <oleidl.h>
#include <windows.h>

#include <string>

class TControl;
struct TAccessibleItem;

class TAccessibleObject : public IAccessible, public IOleWindow {
 public:
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  // The control goes: later calls fail, and other processes let go.
  void Detach();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: callers use the IAccessible methods themselves.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IOleWindow: the window of the object, as WindowFromAccessibleObject asks.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
  // Setting a name or value is obsolete in Active Accessibility.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

 protected:
  explicit TAccessibleObject(TControl& control) : control_(&control) {}
  virtual ~TAccessibleObject() = default;

  // The control, or null once it is gone.
  TControl* Control() const { return control_; }

 private:
  TControl* control_;
  LONG references_ = 1;
};

// Whether the control answers with an object of its own: controls that
// describe themselves, and system windows to which the control adds words.
bool SpeaksForItself(const TControl& control);
// The description of the control itself, with the name that the tree gives
// it: its accessible name, else its own words, else its label's caption.
void DescribeControl(const TControl& control, TAccessibleItem& info);
// The shortcut that the control's label gives it ("Alt+S"), or empty.
std::wstring LabelShortcut(const TControl& control);
// A copy of text for the caller, or S_FALSE and null when it is empty.
HRESULT ReturnText(const std::wstring& text, BSTR* out);
