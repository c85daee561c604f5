#pragma once
// The wallpaper grid as a drop target for files and folders dragged from
// Explorer or any program that hands them over as a file list (CF_HDROP).
// The pointer shows "copy" only while the dragged data holds a picture or a
// folder with pictures at its top level; a drop hands those pictures to the
// panel, which adds them as Add does. While a dialog of the window is open,
// nothing is taken.
//
// The program that started the drag waits in its own loop until Drop
// returns, so Drop only takes the names; the pictures reach the handler
// after the current message, where a message box may wait for the user
// without holding up that program.
#include <ole2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "gui/ComPtr.h"
#include "gui/Control.h"

class TWallpaperDrop final : public IDropTarget {
 public:
  using TDropHandler = std::function<void(const std::vector<std::wstring>& pictures)>;

  // Makes the control's window a drop target, until Revoke or until the
  // window is destroyed. Null when the system takes no drop target (OLE is
  // not initialised on this thread); the window then simply takes no drops.
  static TComPtr<TWallpaperDrop> Register(TControl& control, TDropHandler onDrop);
  // Ends the registration; drops taken but not yet handed over are dropped.
  void Revoke();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  explicit TWallpaperDrop(TDropHandler onDrop) : onDrop_(std::move(onDrop)) {}
  ~TWallpaperDrop() = default;

  // The window's messages: the hand-over after a drop, its destruction.
  void Watched(UINT msg);
  // Hands the names of the drops taken so far to the handler.
  void HandOver();
  bool TakesDrops() const;
  // The effect to show for the effects the drag source allows.
  DWORD Effect(DWORD allowed) const;

  std::atomic<ULONG> count_{0};
  HWND window_ = nullptr;  // while registered
  TMessageWatch watch_;
  TDropHandler onDrop_;
  bool accepts_ = false;  // what DragEnter found in the data
  std::vector<std::vector<std::wstring>> taken_;
};
