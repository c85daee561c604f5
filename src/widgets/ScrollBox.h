#pragma once
// A borderless container that scrolls the child windows placed in it
// vertically. Its range follows its children: it is recomputed when a child
// is created or destroyed, when the box is shown or resized, and whenever
// Realign() is called. The thumb scrolls live while dragged; the line step
// follows the page (a tenth of it); the mouse wheel scrolls three lines.
//
// Link controls (SysLink) inside open their address themselves: the box
// opens the link's URL with the shell when it is clicked or activated with
// Enter (or ActivateLink, for Space), so whoever fills the box needs no code
// of its own to run later. A control inside that gets the keyboard focus is
// scrolled into view.
//
//   TScrollBox scb(grp, {8, 32, 337, 139});
//   CreateWindowExW(0, WC_LINK, ..., scb.Handle(), ...);   // children
//   scb.Realign();
#include <functional>
#include <string>

#include "gui/Control.h"

class TScrollBox : public TControl {
 public:
  TScrollBox(HWND parent, const TBounds& bounds);

  // Recomputes the scroll range from the children's extents.
  void Realign();
  // The bottom edge of the lowest visible child, in content coordinates.
  int ContentHeight() const { return contentHeight_; }
  int ScrollPos() const { return pos_; }
  void ScrollTo(int pos);
  int LineStep() const;
  // Opens the link of a link control inside, as a click on it does; false
  // when the window is none.
  bool ActivateLink(HWND link);
  void DescendantFocused(HWND focus) override;
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Container; }

  // Runs instead of the shell when a link inside is activated; return true
  // when handled.
  std::function<bool(TScrollBox& sender, const std::wstring& url)> OnLinkClick;

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int PageHeight() const;
  void OnScroll(int code);
  bool LinkNotify(NMHDR* header);
  void OpenLink(const std::wstring& url);

  int contentHeight_ = 0;
  int pos_ = 0;
  int wheelDelta_ = 0;
  bool realignPosted_ = false;
  bool realigning_ = false;
};
