#include "AccessibleTreeText.h"

#include <oleacc.h>

#include <vector>

namespace {

// Guards against a tree that loops back on itself.
constexpr int kDeepest = 12;
constexpr int kMostChildren = 500;

class TText {
 public:
  TText() = default;
  TText(const TText&) = delete;
  TText& operator=(const TText&) = delete;
  ~TText() { SysFreeString(text_); }
  BSTR* Out() { return &text_; }
  std::wstring Get() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : std::wstring(); }

 private:
  BSTR text_ = nullptr;
};

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::wstring RoleText(IAccessible& object, const VARIANT& child) {
  VARIANT role;
  VariantInit(&role);
  if (FAILED(object.get_accRole(child, &role)) || role.vt != VT_I4) {
    VariantClear(&role);
    return L"(no role)";
  }
  wchar_t text[128] = {};
  GetRoleTextW(static_cast<DWORD>(role.lVal), text, 128);
  return text;
}

std::wstring StateText(IAccessible& object, const VARIANT& child) {
  VARIANT state;
  VariantInit(&state);
  if (FAILED(object.get_accState(child, &state)) || state.vt != VT_I4) {
    VariantClear(&state);
    return {};
  }
  std::wstring text;
  for (DWORD bit = 1; bit != 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
    if (!(static_cast<DWORD>(state.lVal) & bit)) continue;
    wchar_t name[128] = {};
    GetStateTextW(bit, name, 128);
    text += (text.empty() ? L"" : L", ") + std::wstring(name);
  }
  return text;
}

std::wstring Quoted(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (wchar_t ch : text) {
    if (ch == L'\r' || ch == L'\n')
      quoted += L' ';
    else
      quoted += ch;
  }
  return quoted + L"\"";
}

void Line(IAccessible& object, const VARIANT& child, int depth, std::wstring& out) {
  TText name, value, description;
  object.get_accName(child, name.Out());
  object.get_accValue(child, value.Out());
  object.get_accDescription(child, description.Out());
  out += std::wstring(static_cast<size_t>(depth) * 2, L' ') + RoleText(object, child);
  if (!name.Get().empty()) out += L" " + Quoted(name.Get());
  if (!value.Get().empty()) out += L" value=" + Quoted(value.Get());
  if (!description.Get().empty()) out += L" description=" + Quoted(description.Get());
  if (const std::wstring states = StateText(object, child); !states.empty()) out += L" [" + states + L"]";
  out += L"\n";
}

void Walk(IAccessible& object, int depth, std::wstring& out) {
  Line(object, Child(CHILDID_SELF), depth, out);
  long count = 0;
  if (depth >= kDeepest || FAILED(object.get_accChildCount(&count)) || count <= 0) return;
  if (count > kMostChildren) count = kMostChildren;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long got = 0;
  if (FAILED(AccessibleChildren(&object, 0, count, children.data(), &got))) return;
  for (long i = 0; i < got; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    if (child.vt == VT_DISPATCH && child.pdispVal) {
      IAccessible* element = nullptr;
      if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&element)))) {
        Walk(*element, depth + 1, out);
        element->Release();
      }
    } else if (child.vt == VT_I4) {
      Line(object, child, depth + 1, out);
    }
    VariantClear(&child);
  }
}

}  // namespace

std::wstring AccessibleTreeText(HWND window) {
  IAccessible* root = nullptr;
  if (FAILED(
          AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&root))) ||
      !root)
    return {};
  std::wstring text;
  Walk(*root, 0, text);
  root->Release();
  return text;
}
