#include "gui/OpenPictureDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "gui/Canvas.h"
#include "gui/DecodeWorker.h"
#include "gui/GdiHandles.h"
#include "gui/Graphic.h"
#include "gui/Picture.h"
#include "gui/Screen.h"
#include "gui/Stream.h"

namespace {

constexpr WORD kPreviewId = 1200;
constexpr WORD kPreviewTextId = 1201;
// Posted to the pane after the dialog changed its size, once the standard
// controls have their new places.
constexpr UINT kArrange = WM_APP + 0x51;
// Posted to the pane once the dialog is built: only then does the dialog
// lay its controls out again when its size changes.
constexpr UINT kKeepOnScreen = WM_APP + 0x52;
constexpr int kGap = 6;
// The pane's sunken edge and the margin inside it.
constexpr int kPaneEdge = 4;

// An in-memory dialog template for the preview pane: the standard controls
// go where stc32 stands, the preview to its right.
class TTemplateWriter {
 public:
  void Header(DWORD style, WORD items, short cx, short cy) {
    Align();
    DLGTEMPLATE t{};
    t.style = style;
    t.cdit = items;
    t.cx = cx;
    t.cy = cy;
    Put(&t, sizeof t);
    Word(0);  // no menu
    Word(0);  // default class
    Word(0);  // no title
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* text) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Put(&item, sizeof item);
    Word(0xFFFF);
    Word(classAtom);
    Put(text, (std::wcslen(text) + 1) * sizeof(wchar_t));
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void Put(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void Word(WORD w) { Put(&w, sizeof w); }
  void Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<std::uint8_t> bytes_;
};

constexpr WORD kStaticAtom = 0x0082;

constexpr UINT_PTR kFitSubclassId = 0x44564650;  // any constant unique to us

// The dialog's least size: what the system asks for, but no more than the
// work area, so that a dialog made larger than the screen can be fitted
// into it.
LRESULT CALLBACK FitMinimum(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
  if (msg == WM_GETMINMAXINFO) {
    RECT r{};
    GetWindowRect(window, &r);
    const RECT work = WorkAreaOf(r);
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMinTrackSize.x = std::min<LONG>(limits->ptMinTrackSize.x, work.right - work.left);
    limits->ptMinTrackSize.y = std::min<LONG>(limits->ptMinTrackSize.y, work.bottom - work.top);
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(window, FitMinimum, id);
  }
  return result;
}

void KeepOnScreen(HWND window) {
  // The system puts the dialog at its owner's corner; with the preview and
  // at a high DPI it can reach past the screen's edge, or be larger than
  // the work area. It then gives up what it has too much, which the preview
  // pane beside the file list takes in, and goes inside the work area.
  RECT r{};
  GetWindowRect(window, &r);
  const RECT work = WorkAreaOf(r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int fitWidth = std::min<int>(width, work.right - work.left);
  const int fitHeight = std::min<int>(height, work.bottom - work.top);
  if (fitWidth < width || fitHeight < height) {
    SetWindowSubclass(window, FitMinimum, kFitSubclassId, 0);
    SetWindowPos(window, nullptr, 0, 0, fitWidth, fitHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(window, &r);
  }
  const POINT at = KeepInWorkArea(r);
  if (at.x != r.left || at.y != r.top)
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TOpenPictureDialog::TOpenPictureDialog() = default;
TOpenPictureDialog::~TOpenPictureDialog() = default;

std::unique_ptr<TPicture> TOpenPictureDialog::LoadPreview(const std::wstring& fileName, int boxWidth, int boxHeight,
                                                          SIZE* fullSize) const {
  auto picture = std::make_unique<TPicture>();
  picture->LoadFromFile(fileName);
  // The picture's own size, before the hook may pick a smaller decode.
  if (fullSize) *fullSize = SIZE{picture->Width(), picture->Height()};
  if (OnPreviewLoaded) OnPreviewLoaded(*picture, boxWidth, boxHeight);
  return picture;
}

bool TOpenPictureDialog::Execute(HWND owner) {
  std::wstring filter;
  for (const auto& [description, patterns] : Filters) {
    filter += description;
    filter += L'\0';
    filter += patterns;
    filter += L'\0';
  }
  filter += L'\0';

  TTemplateWriter pane;
  // The standard controls' place spans the pane's height, so the preview
  // goes to their right only (not to the lower right); it is then lined up
  // with the file list. The pane is kept lower than the standard controls
  // at any DPI: the system font its units are measured in does not grow
  // with the DPI as the standard controls' font does, and a taller pane
  // would leave a blank band under them.
  pane.Header(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL, 3, 120, 40);
  pane.Item(WS_CHILD, 0, 0, 1, 40, stc32, kStaticAtom, L"");
  // The owner-drawn box paints no text: its text is what a screen reader
  // calls it.
  pane.Item(WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOPREFIX, 6, 2, 108, 24, kPreviewId, kStaticAtom, L"Preview");
  pane.Item(WS_CHILD | WS_VISIBLE | SS_CENTER, 6, 28, 108, 10, kPreviewTextId, kStaticAtom, L"");

  std::vector<wchar_t> buffer(64 * 1024, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(pane.Get()));
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
              OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | (MultiSelect ? OFN_ALLOWMULTISELECT : 0);
  ofn.lpfnHook = Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  files_.clear();
  fileName_.clear();
  worker_ = std::make_unique<TDecodeWorker>(
      [this](const std::wstring& fileName, int boxWidth, int boxHeight, SIZE& fullSize) {
        return LoadPreview(fileName, boxWidth, boxHeight, &fullSize);
      });
  const BOOL chosen = GetOpenFileNameW(&ofn);
  // The worker's thread ends here; a preview it still decodes is dropped.
  worker_.reset();
  ReleasePreview();
  previewBox_ = nullptr;
  if (!chosen) return false;
  FilterIndex = static_cast<int>(ofn.nFilterIndex);

  // One file: its full name. Several: the folder, then each name, each
  // ended by a NUL, the list ended by a second NUL.
  const wchar_t* p = buffer.data();
  const std::wstring first = p;
  p += first.size() + 1;
  if (*p == L'\0') {
    files_.push_back(first);
  } else {
    std::wstring folder = first;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    while (*p) {
      const std::wstring name = p;
      files_.push_back(folder + name);
      p += name.size() + 1;
    }
  }
  fileName_ = files_.front();
  return true;
}

UINT_PTR CALLBACK TOpenPictureDialog::Hook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The hook is called from the system's dialog code: an exception must not
  // leave it. It would unwind the dialog's own frames (and GetOpenFileNameW
  // with the buffers the dialog still writes to), and 32-bit unwinding
  // cannot cross system frames at all, which ends the program.
  try {
    return HookUnguarded(dialog, msg, wParam, lParam);
  } catch (...) {
    if (auto* self = reinterpret_cast<TOpenPictureDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)))
      self->PreviewFailed(dialog, std::current_exception());
    return 0;
  }
}

UINT_PTR TOpenPictureDialog::HookUnguarded(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  auto* self = reinterpret_cast<TOpenPictureDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lParam);
      self = reinterpret_cast<TOpenPictureDialog*>(ofn->lCustData);
      SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
      self->previewBox_ = GetDlgItem(dialog, kPreviewId);
      return TRUE;
    }
    case WM_NOTIFY: {
      const UINT code = reinterpret_cast<OFNOTIFYW*>(lParam)->hdr.code;
      if (self && code == CDN_SELCHANGE) self->SelectionChanged(dialog);
      if (self && code == CDN_INITDONE) {
        self->ArrangePreview(dialog);
        PostMessageW(dialog, kKeepOnScreen, 0, 0);
      }
      return 0;
    }
    case WM_SIZE:
      PostMessageW(dialog, kArrange, 0, 0);
      return 0;
    case kKeepOnScreen:
      KeepOnScreen(GetParent(dialog));
      return 0;
    case kArrange:
      if (self) self->ArrangePreview(dialog);
      return 0;
    case WM_DRAWITEM:
      if (self && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlID == kPreviewId) {
        self->DrawPreview(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return 0;
    case WM_DESTROY:
      // An animated preview stops with the dialog, and a pending one never
      // arrives.
      if (self) {
        if (self->worker_) self->worker_->Cancel();
        self->ReleasePreview();
        self->previewBox_ = nullptr;
      }
      return 0;
    default:
      return 0;
  }
}

void TOpenPictureDialog::ReleasePreview() {
  // Taken out of the member first: whatever the picture's destructor runs
  // (a painter's last call) sees no half-freed preview.
  std::unique_ptr<TPicture> old = std::move(preview_);
  try {
    old.reset();
  } catch (...) {
    // A picture that failed can only be dropped; its error is shown already.
  }
}

void TOpenPictureDialog::PreviewFailed(HWND dialog, std::exception_ptr error) {
  ReleasePreview();
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    previewText_ = Utf8ToWide(GraphicErrorText(e));
  } catch (...) {
    previewText_ = L"Unknown error";
  }
  SetDlgItemTextW(dialog, kPreviewTextId, previewText_.c_str());
  if (previewBox_) InvalidateRect(previewBox_, nullptr, TRUE);
}

namespace {

BOOL CALLBACK FindFileList(HWND window, LPARAM found) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wcscmp(name, L"SysListView32") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The file list of the standard dialog: the shell view of the Explorer-style
// dialog, or the list view that stands in for it.
HWND FileList(HWND standard) {
  if (HWND view = GetDlgItem(standard, lst2); view && IsWindowVisible(view)) return view;
  HWND list = nullptr;
  EnumChildWindows(standard, FindFileList, reinterpret_cast<LPARAM>(&list));
  return list ? list : GetDlgItem(standard, lst1);
}

}  // namespace

void TOpenPictureDialog::ArrangePreview(HWND dialog) {
  HWND list = FileList(GetParent(dialog));
  HWND place = GetDlgItem(dialog, stc32);
  HWND text = GetDlgItem(dialog, kPreviewTextId);
  if (!list || !place || !previewBox_ || !text) return;
  RECT listRect{}, placeRect{}, client{};
  GetWindowRect(list, &listRect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&listRect), 2);
  GetWindowRect(place, &placeRect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placeRect), 2);
  GetClientRect(dialog, &client);
  const int left = std::max(placeRect.right, listRect.right) + kGap;
  const int width = client.right - left - kGap;
  const int height = listRect.bottom - listRect.top;
  if (width <= 0 || height <= 0) return;
  RECT textRect{};
  GetWindowRect(text, &textRect);
  MoveWindow(previewBox_, left, listRect.top, width, height, TRUE);
  MoveWindow(text, left, listRect.bottom + kGap / 2, width, textRect.bottom - textRect.top, TRUE);
}

void TOpenPictureDialog::SelectionChanged(HWND dialog) {
  wchar_t path[MAX_PATH * 2] = {};
  const LRESULT length = SendMessageW(GetParent(dialog), CDM_GETFILEPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(path));
  // The old picture goes at once (an animation stops with it); the pane
  // stays empty until the new one is ready.
  ReleasePreview();
  previewText_.clear();
  const DWORD attributes = length > 0 ? GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && worker_) {
    RECT box{};
    GetClientRect(previewBox_, &box);
    // The worker prepares the picture for the room inside the edge, so the
    // pane only copies it.
    worker_->Request(path, box.right - 2 * kPaneEdge, box.bottom - 2 * kPaneEdge,
                     [this, dialog](TDecodeResult& result) {
                       PreviewLoaded(dialog, std::move(result.Picture), result.FullSize, result.Error);
                     });
  } else if (worker_) {
    worker_->Cancel();
  }
  SetDlgItemTextW(dialog, kPreviewTextId, previewText_.c_str());
  InvalidateRect(previewBox_, nullptr, TRUE);
}

void TOpenPictureDialog::PreviewLoaded(HWND dialog, std::unique_ptr<TPicture> picture, SIZE size,
                                       const std::wstring& error) {
  ReleasePreview();
  if (picture) {
    preview_ = std::move(picture);
    // Each new frame of an animated picture repaints the pane.
    preview_->OnChange = [pane = previewBox_](TPicture&) { InvalidateRect(pane, nullptr, FALSE); };
    previewText_ = std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy);
  } else {
    // A picture that cannot be read shows why instead of a preview.
    previewText_ = error;
  }
  SetDlgItemTextW(dialog, kPreviewTextId, previewText_.c_str());
  if (previewBox_) InvalidateRect(previewBox_, nullptr, TRUE);
}

void TOpenPictureDialog::DrawPreview(const DRAWITEMSTRUCT& item) {
  const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
  if (width <= 0 || height <= 0) return;
  // Drawn off screen, then copied: an animation repaints many times a second.
  TDCOwner dc(CreateCompatibleDC(item.hDC));
  TBitmapOwner bitmap(CreateCompatibleBitmap(item.hDC, width, height));
  if (!dc || !bitmap) return;
  {
    TSelectObject select(dc.get(), bitmap.get());
    const RECT pane{0, 0, width, height};
    try {
      DrawPreviewPane(dc.get(), pane);
    } catch (...) {
      // A picture that loaded but cannot be decoded or drawn (an unsupported
      // JPEG, a GIF without colours): an empty pane and the reason.
      PreviewFailed(GetParent(item.hwndItem), std::current_exception());
      DrawPreviewPane(dc.get(), pane);
    }
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, dc.get(), 0, 0, SRCCOPY);
  }
}

void TOpenPictureDialog::DrawPreviewPane(HDC dc, RECT box) {
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  if (!preview_ || preview_->Empty()) return;
  const int boxW = box.right - box.left - 2 * kPaneEdge, boxH = box.bottom - box.top - 2 * kPaneEdge;
  int w = preview_->Width(), h = preview_->Height();
  if (w > boxW || h > boxH) {
    // Fit into the box, keeping the aspect ratio.
    if (static_cast<long long>(w) * boxH > static_cast<long long>(h) * boxW) {
      h = static_cast<int>(static_cast<long long>(h) * boxW / w);
      w = boxW;
    } else {
      w = static_cast<int>(static_cast<long long>(w) * boxH / h);
      h = boxH;
    }
  }
  const int x = box.left + kPaneEdge + (boxW - w) / 2, y = box.top + kPaneEdge + (boxH - h) / 2;
  TCanvas canvas(dc);
  canvas.StretchDraw(TRect{x, y, x + w, y + h}, *preview_->Graphic());
}
