// The Add dialog's preview pane: an animated GIF animates on a painter that
// stops when another file is selected and when the dialog closes; a large
// photo, decoded small for the pane, is labelled with its own size. The
// dialog is driven from a thread timer that its own modal loop dispatches.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "WindowFixture.h"
#include "app/PictureTypes.h"
#include "gui/GdiHandles.h"
#include "gui/OpenPictureDialog.h"
#include "gui/Picture.h"
#include "gui/SafeFile.h"
#include "gui/Stream.h"
#include "pictures/jpeg/JPEGEncoder.h"
#include "gui/GdiObject.h"
#include "pictures/gif/GIFDraw.h"
#include "pictures/gif/GIFPainter.h"

namespace {

constexpr int kPreviewId = 1200;
constexpr int kPreviewTextId = 1201;
constexpr int kPhotoWidth = 1600;
constexpr int kPhotoHeight = 1200;

struct TDriver {
  enum class TStep { FindDialog, AwaitFirstPainter, WatchFrames, AwaitStop, ReadPhotoLabel, AwaitSecondPainter, Closing };
  TStep step = TStep::FindDialog;
  HWND dialog = nullptr;
  HWND list = nullptr;
  HWND preview = nullptr;
  TGIFImage* gif = nullptr;  // the picture in the preview, while it is a GIF
  TKernelHandle firstPainter;
  TKernelHandle secondPainter;
  std::vector<std::uint8_t> firstLook;
  bool animated = false;
  bool stoppedOnSelection = false;
  std::wstring photoLabel;
  DWORD stepStart = 0;
  DWORD start = 0;
  bool timedOut = false;
};

TDriver* driver = nullptr;

BOOL CALLBACK FindChildren(HWND window, LPARAM) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wstring(name) == L"SysListView32") driver->list = window;
  if (GetDlgCtrlID(window) == kPreviewId) driver->preview = window;
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
  driver->list = driver->preview = nullptr;
  EnumChildWindows(window, FindChildren, 0);
  if (driver->list && driver->preview) driver->dialog = window;
  return TRUE;
}

// Selects the one list entry whose name starts with the text.
bool Select(const wchar_t* name) {
  LVFINDINFOW find{};
  find.flags = LVFI_PARTIAL | LVFI_STRING;
  find.psz = name;
  const int index = int(SendMessageW(driver->list, LVM_FINDITEMW, WPARAM(-1), LPARAM(&find)));
  if (index < 0) return false;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageW(driver->list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&item));
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(driver->list, LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
  return true;
}

// The pixels the preview pane shows now.
std::vector<std::uint8_t> Look(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  TWindowDC screen(window);
  TBitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TOwnedDC dc(CreateCompatibleDC(screen.Get()));
  if (!bitmap || !dc) return {};
  {
    TSelectObject select(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
  }
  const auto* begin = static_cast<const std::uint8_t*>(bits);
  return {begin, begin + std::size_t(client.right) * client.bottom * 4};
}

// The thread of the preview's painter, once there is one.
TKernelHandle PainterThread() {
  TGIFPainter* painter = driver->gif ? GIFDrawPainter(*driver->gif) : nullptr;
  if (!painter) return nullptr;
  return TKernelHandle(OpenThread(SYNCHRONIZE, FALSE, painter->ThreadID()));
}

bool Ended(const TKernelHandle& thread) { return thread && WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0; }

void Next(TDriver::TStep step) {
  driver->step = step;
  driver->stepStart = GetTickCount();
}

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD) {
  TDriver& d = *driver;
  const DWORD now = GetTickCount();
  if (d.step != TDriver::TStep::Closing && now - d.start > 20000) {
    d.timedOut = true;
    if (d.dialog) PostMessageW(d.dialog, WM_COMMAND, IDCANCEL, 0);
    Next(TDriver::TStep::Closing);
    return;
  }
  switch (d.step) {
    case TDriver::TStep::FindDialog:
      EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
      if (d.dialog && SendMessageW(d.list, LVM_GETITEMCOUNT, 0, 0) >= 2 && Select(L"anim"))
        Next(TDriver::TStep::AwaitFirstPainter);
      break;
    case TDriver::TStep::AwaitFirstPainter:
      if ((d.firstPainter = PainterThread())) {
        d.firstLook = Look(d.preview);
        Next(TDriver::TStep::WatchFrames);
      }
      break;
    case TDriver::TStep::WatchFrames:
      // The logo shows a new frame every 48 ms.
      if (Look(d.preview) != d.firstLook) d.animated = true;
      if (d.animated || now - d.stepStart > 2000) {
        Select(L"still");
        Next(TDriver::TStep::AwaitStop);
      }
      break;
    case TDriver::TStep::AwaitStop:
      // Selecting another file releases the picture, waiting for its painter.
      d.stoppedOnSelection = Ended(d.firstPainter) && d.gif == nullptr;
      Select(L"photo");
      Next(TDriver::TStep::ReadPhotoLabel);
      break;
    case TDriver::TStep::ReadPhotoLabel: {
      wchar_t text[64] = {};
      GetDlgItemTextW(GetParent(d.preview), kPreviewTextId, text, 64);
      d.photoLabel = text;
      Select(L"anim");
      Next(TDriver::TStep::AwaitSecondPainter);
      break;
    }
    case TDriver::TStep::AwaitSecondPainter:
      if ((d.secondPainter = PainterThread())) {
        PostMessageW(d.dialog, WM_COMMAND, IDCANCEL, 0);
        Next(TDriver::TStep::Closing);
      }
      break;
    case TDriver::TStep::Closing:
      break;
  }
}

// A photo-sized JPEG, far larger than the pane.
void WritePhoto(const std::wstring& path) {
  std::vector<std::uint8_t> row(std::size_t(kPhotoWidth) * 3);
  TMemoryStream out;
  EncodeJPEG(
      kPhotoWidth, kPhotoHeight,
      [&](int y) {
        for (int x = 0; x < kPhotoWidth; ++x) {
          row[std::size_t(x) * 3] = std::uint8_t(x * 255 / kPhotoWidth);
          row[std::size_t(x) * 3 + 1] = std::uint8_t(y * 255 / kPhotoHeight);
          row[std::size_t(x) * 3 + 2] = 128;
        }
        return row.data();
      },
      TJPEGEncodeSettings{}, out);
  const auto& bytes = out.Bytes();
  WriteFileReplacing(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::wstring TempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + L"dv-add-dialog";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

using AddDialog = MainWindowFixture;

TEST_F(AddDialog, PreviewAnimatesAGifAndStopsOnAnotherSelectionAndOnClose) {
  const std::wstring folder = TempFolder();
  ASSERT_TRUE(CopyFileW(DV_RES_DIR L"/logo.gif", (folder + L"\\anim.gif").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(DV_RES_DIR L"/about.bmp", (folder + L"\\still.bmp").c_str(), FALSE));
  WritePhoto(folder + L"\\photo.jpg");

  TfrmDorvane& form = Open();
  TDriver state;
  driver = &state;
  form.dlgAddFile->InitialDir = folder;
  form.dlgAddFile->OnPreviewLoaded = [](TPicture& picture, int width, int height) {
    FitPreview(picture, width, height);
    driver->gif = picture.GraphicAs<TGIFImage>();
  };
  state.start = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, Drive);
  form.btnAddClick();
  KillTimer(nullptr, timer);
  driver = nullptr;

  EXPECT_FALSE(state.timedOut) << "the dialog did not go through every step";
  EXPECT_TRUE(state.animated) << "the preview pane showed no second frame";
  EXPECT_TRUE(state.stoppedOnSelection) << "the painter outlived the selection of another file";
  EXPECT_EQ(state.photoLabel, L"1600 x 1200") << "the label gives the picture's size, not the preview's";
  ASSERT_TRUE(state.secondPainter);
  EXPECT_EQ(WaitForSingleObject(state.secondPainter.get(), 1000), WAIT_OBJECT_0)
      << "the painter outlived the dialog";
  DeleteFileW((folder + L"\\anim.gif").c_str());
  DeleteFileW((folder + L"\\still.bmp").c_str());
  DeleteFileW((folder + L"\\photo.jpg").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
