#pragma once
// The accessible tree of a form: the form's client object at the root, and
// under it every control that a screen reader should meet, in the order
// the controls were made. Panels and other containers do not appear: their
// children stand in their place, while the container is shown. Decorative
// controls do not appear at all.
// Windows that are not ours (the links that the links library makes) stand
// in the tree with the system's description.
//
// A form answers WM_GETOBJECT for its client with the root; each of our
// controls in the tree answers with its own node, so a screen reader meets
// the same objects whether it starts from the form or from a control.
#include <oleacc.h>
#include <windows.h>

#include <vector>

class TControl;

// An element directly under a node: one of our controls, or a window of
// someone else's making (Control then null).
struct TAccessibleChild {
  TControl* Control = nullptr;
  HWND Window = nullptr;
};

// The elements under a form, in reading order; empty for any other control.
std::vector<TAccessibleChild> AccessibleChildrenOf(TControl& node);
// The node that a control stands under: its form, or null for a form.
TControl* AccessibleParentOf(TControl& control);
// The object of an element, referenced for the caller.
IDispatch* AccessibleObjectOf(const TAccessibleChild& child);
// Whether the control's window is, or lies inside, the element's window.
bool AccessibleChildHolds(const TAccessibleChild& child, HWND window);

// Answers a screen reader's WM_GETOBJECT for the control, and runs the
// default actions that its calls have left for later. False for any other
// message, or when the system's own answer serves.
bool AnswerAccessibleRequest(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Leaves the default action of an item (0: the control) for the control's
// next message, so that the screen reader's call returns first.
bool PostAccessibleAction(TControl& control, int item);
