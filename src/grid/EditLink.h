#pragma once
// The interface between the list control and an in-place editor. The grid
// holds the only reference to the link while an edit runs and drops it when
// the edit has ended (a finish that returned true, or a cancel).
//
// Call order for one edit: the editing rule, the creator, PrepareEdit,
// SetBounds, BeginEdit; then any number of ProcessMessage / GetBounds calls and
// SetBounds again whenever the grid's layout changes; finally EndEdit (which
// may refuse and be asked again later) or CancelEdit.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

#include "gui/ComPtr.h"

class TVirtualGrid;

// {6B3F8E52-0D4A-4C8B-9E2F-5A1D7C3B9E41}
inline constexpr GUID IID_IEditLink = {0x6b3f8e52, 0x0d4a, 0x4c8b, {0x9e, 0x2f, 0x5a, 0x1d, 0x7c, 0x3b, 0x9e, 0x41}};

struct IEditLink : public IUnknown {
  // Shows the editor and gives it the keyboard focus.
  virtual bool STDMETHODCALLTYPE BeginEdit() = 0;
  // Ends the edit without storing anything.
  virtual bool STDMETHODCALLTYPE CancelEdit() = 0;
  // Ends the edit and stores the result; false keeps the edit open.
  virtual bool STDMETHODCALLTYPE EndEdit() = 0;
  // Creates the (hidden) editor for the cell.
  virtual bool STDMETHODCALLTYPE PrepareEdit(TVirtualGrid* grid, int row, int column) = 0;
  // The editor's rectangle in grid client coordinates.
  virtual RECT STDMETHODCALLTYPE GetBounds() = 0;
  // Hands a message to the editor's current message handler.
  virtual void STDMETHODCALLTYPE ProcessMessage(MSG& message) = 0;
  // Places the editor over the given cell rectangle (grid client coordinates).
  virtual void STDMETHODCALLTYPE SetBounds(RECT bounds) = 0;

 protected:
  ~IEditLink() = default;
};

using TEditLinkPtr = TComPtr<IEditLink>;

// Reference counting and interface lookup shared by every editor link.
// Objects start with a count of zero: wrap them in a TEditLinkPtr at once.
class TEditLinkBase : public IEditLink {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEditLink)) {
      *object = static_cast<IEditLink*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --count_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~TEditLinkBase() = default;

 private:
  std::atomic<ULONG> count_{0};
};
