#pragma once
// The object of a window of a system class (a drop-down list, a push
// button) to which the program adds words: the system's own description
// answers every call, except for the name, the value and the shortcut
// that the control gives, and the parent, which is the control's node in
// its form's tree. A drop-down list is named by the label beside it this
// way, which the system cannot find (our labels are no static controls).
class TAccessibleObject;
class TControl;

// Made for the control's window, whose system description it keeps.
TAccessibleObject* MakeSystemAccessible(TControl& control);
