#pragma once
// A top-level window built from a window description: a window class of its
// own name, a caption, a client size, a default font, modal or modeless
// showing, and the creation / show / close / destruction handlers.
#include <windows.h>

#include <memory>
#include <string>

#include "gui/Control.h"
#include "gui/GdiObject.h"

enum class TBorderStyle { Single, Dialog };
enum class TFormPosition { ScreenCenter, OwnerFormCenter };

struct TFormDesc {
  const wchar_t* className;
  const wchar_t* caption;
  int clientWidth;
  int clientHeight;
  TBorderStyle border;
  TFormPosition position;
  bool minimizeBox;
};

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;

class TForm : public TControl {
 public:
  ~TForm() override;
  TForm* AsForm() override { return this; }

  // Builds the window (hidden). Subclasses build their controls in
  // CreateControls(), then FormCreate() runs.
  void Create(const TFormDesc& desc, HWND owner);
  void Show();
  // Shows the form modally over its owner and returns the modal result.
  int ShowModal();
  // Asks the form to close, as the title bar's close box does.
  void Close();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // Keyboard navigation (Tab, arrows, mnemonics, Enter and Escape). A
  // mnemonic that several visible, enabled controls share moves the focus
  // to the next of them and presses nothing, as Windows' dialog manager
  // does; one that a single control has presses it (a label's focuses the
  // control after it).
  bool IsDialogKey(MSG& msg);
  // The buttons that Enter and Escape press.
  TControl* DefaultButton = nullptr;
  TControl* CancelButton = nullptr;

  HFONT DefaultFont() const { return font_.get(); }

  // The root of the form's accessible tree: its client, named by the caption.
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;

  // The control that last had the keyboard focus inside this form; the
  // focus goes back to it whenever the form is activated again (after a
  // dialog, a message box or a switch to another program).
  void RememberFocus(HWND control);
  HWND RememberedFocus() const { return focused_; }

 protected:
  TForm() = default;
  virtual void CreateControls() {}
  virtual void FormCreate() {}
  virtual void FormShow() {}
  // Asked first when the window is to close (not a modal one): false keeps
  // it open, exactly as it was.
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose() {}
  virtual void FormDestroy() {}
  // The window moved to a screen of another DPI (Dpi() tells which) and its
  // font is made anew: the form lays its controls out again.
  virtual void ScaleLayout() {}
  // Sees every key message for the form before its keyboard navigation
  // does; true when the form dealt with it.
  virtual bool KeyPreview(MSG& /*msg*/) { return false; }
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void CenterOn(HWND reference);
  void RestoreFocus();
  // Sizes the client area to the description's, scaled to Dpi().
  void FitClientToDpi();
  void ApplyDpi(int dpi, const RECT& suggested);
  bool SharedMnemonic(const MSG& msg);
  // Clears the window's UI state flags given (UISF_HIDEFOCUS, ...) that
  // are set: a key shows the keyboard cues, as in a dialog.
  void ShowKeyboardCues(WORD flags);
  // The system's colours or its high-contrast mode changed.
  void ColorsChanged();

  TFontOwner font_;
  SIZE designClient_{};
  HWND focused_ = nullptr;
  bool modal_ = false;
  bool closing_ = false;
  int modalResult_ = mrNone;
  TFormPosition position_ = TFormPosition::ScreenCenter;
};

// The window font of the program's forms: "MS Sans Serif" 8 points at the
// DPI given, or the system's message font when that face is missing.
TFontOwner CreateDefaultFont(bool bold = false, int dpi = 96);
