#pragma once
// The hint (tooltip) of one control: a tooltip window that shows the text
// while the pointer rests on the control. Destroyed with the object.
#include <windows.h>

#include <string>

#include "gui/GdiObject.h"

class THint {
 public:
  THint() = default;
  ~THint();
  THint(const THint&) = delete;
  THint& operator=(const THint&) = delete;

  // Shows text for control; an empty text removes the hint.
  void Set(HWND control, const std::wstring& text);
  const std::wstring& Text() const { return text_; }
  HWND TooltipHandle() const { return tooltip_.get(); }

 private:
  void Destroy();

  TWindowOwner tooltip_;
  HWND control_ = nullptr;
  std::wstring text_;
};
