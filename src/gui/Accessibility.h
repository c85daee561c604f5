#pragma once
// What a control tells a screen reader about itself. Every control stands in
// its form's one accessible tree (gui/AccessibleTree.h); the tree asks each
// control through the virtual functions of TControl for these descriptions,
// so that a control is described the same way whether or not it has a
// window of its own. Roles and states are those of Active Accessibility
// (ROLE_SYSTEM_*, STATE_SYSTEM_* of <oleacc.h>).
#include <windows.h>

#include <string>

// How a control stands in the tree.
enum class TAccessibleKind {
  None,       // decorative (a band, an edge, a picture): never announced
  Container,  // a panel: its children stand in the tree in its place
  Own,        // described by the control itself
  System,     // a window of the system's classes: the system describes it,
              // the control may give it a name and a value of its own
};

// One element: the control itself (item 0) or one of its items.
struct TAccessibleItem {
  long Role = 0;
  std::wstring Name;
  std::wstring Value;
  std::wstring Description;
  // The verb of the default action ("Press"); empty when there is none.
  std::wstring DefaultAction;
  // States beyond those the tree takes from the window itself (invisible,
  // unavailable, focusable and focused, for item 0).
  long State = 0;
  // The item's place in the control's client area; item 0 leaves it empty
  // and is the client area.
  RECT Bounds{};
};

// The parts of a control that have no window of their own, such as the
// rows of a list: items 1 .. Count(), in order.
class IAccessibleItems {
 public:
  virtual int Count() const = 0;
  virtual void Describe(int item, TAccessibleItem& info) const = 0;
  // The item at a point of the client area; 0 when none is there.
  virtual int ItemAt(POINT client) const = 0;
  // The item that has the keyboard focus while the control has it, and the
  // selected one; 0 for none.
  virtual int FocusedItem() const = 0;
  virtual int SelectedItem() const = 0;
  // SELFLAG_* as a screen reader asks.
  virtual void Select(int item, long flags) = 0;
  virtual void DoDefaultAction(int item) = 0;

 protected:
  ~IAccessibleItems() = default;
};

// A caption as a screen reader reads it: "&&" is an ampersand, any other
// "&" marks the mnemonic and is left out.
std::wstring AccessibleText(const std::wstring& caption);
// The keyboard shortcut of a caption's mnemonic ("Alt+S"), or empty.
std::wstring MnemonicShortcut(const std::wstring& caption);
