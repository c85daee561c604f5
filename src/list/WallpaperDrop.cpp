#include "list/WallpaperDrop.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <utility>

#include "list/DroppedPictures.h"

namespace {

// Posted to the grid after a drop: the names wait to be handed over.
UINT DroppedMessage() {
  static const UINT message = RegisterWindowMessageW(L"Dorvane.WallpapersDropped");
  return message;
}

// The medium that GetData hands out, released once.
struct TStorageMedium {
  STGMEDIUM Medium{};
  TStorageMedium() = default;
  TStorageMedium(const TStorageMedium&) = delete;
  TStorageMedium& operator=(const TStorageMedium&) = delete;
  ~TStorageMedium() { ReleaseStgMedium(&Medium); }
};

// A global memory block locked for reading, unlocked once.
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  ~TGlobalLock() {
    if (data_) GlobalUnlock(block_);
  }
  const BYTE* Data() const { return static_cast<const BYTE*>(data_); }

 private:
  HGLOBAL block_;
  void* data_;
};

// Splits a list of names that each end with a null character and that an
// empty name ends; a name cut off by the end of the block is left out.
template <class Char>
std::vector<std::basic_string<Char>> SplitNames(const BYTE* bytes, std::size_t size) {
  std::basic_string<Char> text(size / sizeof(Char), Char());
  std::memcpy(text.data(), bytes, text.size() * sizeof(Char));  // the list need not be aligned
  std::vector<std::basic_string<Char>> names;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(Char(), start);
    if (end == std::basic_string<Char>::npos || end == start) break;
    names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// The file names of a file list (a DROPFILES block). The block comes from
// another program: it is read within its own size, whatever its header or
// its last name claim.
std::vector<std::wstring> NamesOfFileList(HGLOBAL block) {
  const TGlobalLock lock(block);
  const std::size_t size = GlobalSize(block);
  if (!lock.Data() || size < sizeof(DROPFILES)) return {};
  DROPFILES header;
  std::memcpy(&header, lock.Data(), sizeof header);
  if (header.pFiles < sizeof header || header.pFiles >= size) return {};
  const BYTE* list = lock.Data() + header.pFiles;
  const std::size_t listSize = size - header.pFiles;
  if (header.fWide) return SplitNames<wchar_t>(list, listSize);
  std::vector<std::wstring> names;
  for (const std::string& name : SplitNames<char>(list, listSize)) {
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), length);
    names.push_back(std::move(wide));
  }
  return names;
}

// The names that the data holds as a file list; none when it holds none.
std::vector<std::wstring> DroppedNames(IDataObject& data) {
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  TStorageMedium medium;
  if (FAILED(data.GetData(&format, &medium.Medium))) return {};
  if (medium.Medium.tymed != TYMED_HGLOBAL || !medium.Medium.hGlobal) return {};
  return NamesOfFileList(medium.Medium.hGlobal);
}

}  // namespace

TComPtr<TWallpaperDrop> TWallpaperDrop::Register(TControl& control, TDropHandler onDrop) {
  TComPtr<TWallpaperDrop> drop(new TWallpaperDrop(std::move(onDrop)));
  const HWND window = control.Handle();
  if (!window || FAILED(RegisterDragDrop(window, drop.Get()))) return {};
  // The registration must end before the window goes: the watch sees its
  // destruction.
  TWallpaperDrop* self = drop.Get();
  drop->watch_ = control.Watch([self](UINT msg, WPARAM, LPARAM) { self->Watched(msg); });
  drop->window_ = window;
  return drop;
}

void TWallpaperDrop::Revoke() {
  if (!window_) return;
  // The system's reference goes with the registration; this one keeps the
  // object until the end of the call.
  const TComPtr<TWallpaperDrop> keep(this);
  HWND window = std::exchange(window_, nullptr);
  watch_.End();
  RevokeDragDrop(window);
  taken_.clear();
  accepts_ = false;
}

HRESULT STDMETHODCALLTYPE TWallpaperDrop::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TWallpaperDrop::Release() {
  const ULONG left = --count_;
  if (left == 0) delete this;
  return left;
}

bool TWallpaperDrop::TakesDrops() const {
  // While a dialog of the window is open (the Add dialog, the question
  // before Clear) the list must not change under it.
  return window_ && IsWindowEnabled(GetAncestor(window_, GA_ROOT));
}

DWORD TWallpaperDrop::Effect(DWORD allowed) const {
  return accepts_ && TakesDrops() && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE TWallpaperDrop::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  accepts_ = false;
  try {
    accepts_ = window_ && data && HoldsPictures(DroppedNames(*data));
  } catch (...) {
    // Out of memory for the names: the drag shows that it brings nothing.
  }
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TWallpaperDrop::DragOver(DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TWallpaperDrop::DragLeave() {
  accepts_ = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TWallpaperDrop::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  accepts_ = false;
  if (!effect) return E_INVALIDARG;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (!TakesDrops() || !data || !(allowed & DROPEFFECT_COPY)) return S_OK;
  try {
    // The data is only there during this call: the names are taken now.
    std::vector<std::wstring> names = DroppedNames(*data);
    if (!HoldsPictures(names)) return S_OK;
    taken_.push_back(std::move(names));
    if (!PostMessageW(window_, DroppedMessage(), 0, 0)) {
      taken_.pop_back();
      return S_OK;
    }
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  *effect = DROPEFFECT_COPY;
  return S_OK;
}

void TWallpaperDrop::HandOver() {
  const TComPtr<TWallpaperDrop> keep(this);
  std::vector<std::vector<std::wstring>> taken = std::exchange(taken_, {});
  for (const std::vector<std::wstring>& names : taken) {
    if (!window_ || !onDrop_) return;  // revoked by the handler of an earlier drop
    const std::vector<std::wstring> pictures = DroppedPictures(names);
    if (!pictures.empty()) onDrop_(pictures);
  }
}

void TWallpaperDrop::Watched(UINT msg) {
  if (msg == DroppedMessage()) HandOver();
  if (msg == WM_DESTROY) Revoke();
}
