// The Add dialog's preview pane: an animated GIF animates on a painter that
// stops when another file is selected and when the dialog closes; a large
// photo, decoded small for the pane, is labelled with its own size. The
// dialog is driven from a thread timer that its own modal loop dispatches.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "JPEGTestImages.h"

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
  TKernelObjectOwner firstPainter;
  TKernelObjectOwner secondPainter;
  std::vector<std::uint8_t> firstLook;
  bool animated = false;
  bool stoppedOnSelection = false;
  std::wstring photoLabel;
  // The preview pane beside the file list, before and after the dialog grew.
  std::vector<RECT> listAndPane;
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
  TBitmapOwner bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TDCOwner dc(CreateCompatibleDC(screen.Get()));
  if (!bitmap || !dc) return {};
  {
    TSelectObject select(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
  }
  const auto* begin = static_cast<const std::uint8_t*>(bits);
  return {begin, begin + std::size_t(client.right) * client.bottom * 4};
}

// The thread of the preview's painter, once there is one.
TKernelObjectOwner PainterThread() {
  TGIFPainter* painter = driver->gif ? GIFDrawPainter(*driver->gif) : nullptr;
  if (!painter) return nullptr;
  return TKernelObjectOwner(OpenThread(SYNCHRONIZE, FALSE, painter->ThreadID()));
}

void NotePlaces() {
  RECT list{}, pane{};
  GetWindowRect(driver->list, &list);
  GetWindowRect(driver->preview, &pane);
  driver->listAndPane.push_back(list);
  driver->listAndPane.push_back(pane);
}

bool Ended(const TKernelObjectOwner& thread) { return thread && WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0; }

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
      // Selecting another file releases the picture, waiting for its painter;
      // the next one loads on the worker.
      if (d.gif && now - d.stepStart < 5000) break;
      d.stoppedOnSelection = Ended(d.firstPainter) && d.gif == nullptr;
      NotePlaces();
      {
        RECT frame{};
        GetWindowRect(d.dialog, &frame);
        SetWindowPos(d.dialog, nullptr, 0, 0, frame.right - frame.left + 120, frame.bottom - frame.top + 90,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      Select(L"photo");
      Next(TDriver::TStep::ReadPhotoLabel);
      break;
    case TDriver::TStep::ReadPhotoLabel: {
      wchar_t text[64] = {};
      GetDlgItemTextW(GetParent(d.preview), kPreviewTextId, text, 64);
      if (!*text && now - d.stepStart < 5000) break;
      d.photoLabel = text;
      NotePlaces();
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

// A photo-sized JPEG, far larger than the pane; grain adds the fine detail
// that makes real photos slow to decode.
void WritePhoto(const std::wstring& path, int width = kPhotoWidth, int height = kPhotoHeight, unsigned grain = 0) {
  std::vector<std::uint8_t> row(std::size_t(width) * 3);
  TMemoryStream out;
  EncodeJPEG(
      width, height,
      [&](int y) {
        for (int x = 0; x < width; ++x) {
          row[std::size_t(x) * 3] = std::uint8_t(x * 255 / width);
          row[std::size_t(x) * 3 + 1] = std::uint8_t(y * 255 / height);
          row[std::size_t(x) * 3 + 2] = std::uint8_t(128 ^ (((unsigned(x) * 2654435761u) ^ (unsigned(y) * 40503u)) >> 13 & grain));
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
  form.WallpaperPanel().AddDialog().InitialDir = folder;
  form.WallpaperPanel().AddDialog().OnPreviewLoaded = [](TPicture& picture, int width, int height) {
    FitPreview(picture, width, height);
    driver->gif = picture.GraphicAs<TGIFImage>();
  };
  state.start = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, Drive);
  form.WallpaperPanel().AddClick();
  KillTimer(nullptr, timer);
  driver = nullptr;

  EXPECT_FALSE(state.timedOut) << "the dialog did not go through every step";
  EXPECT_TRUE(state.animated) << "the preview pane showed no second frame";
  EXPECT_TRUE(state.stoppedOnSelection) << "the painter outlived the selection of another file";
  EXPECT_EQ(state.photoLabel, L"1600 x 1200") << "the label gives the picture's size, not the preview's";
  // Beside the file list and as tall, also after the dialog grew.
  ASSERT_EQ(state.listAndPane.size(), 4u);
  for (std::size_t i = 0; i < 4; i += 2) {
    const RECT& list = state.listAndPane[i];
    const RECT& pane = state.listAndPane[i + 1];
    EXPECT_GE(pane.left, list.right);
    EXPECT_NEAR(pane.top, list.top, 2);
    EXPECT_NEAR(pane.bottom, list.bottom, 2);
  }
  EXPECT_GT(state.listAndPane[2].bottom, state.listAndPane[0].bottom) << "the dialog did not grow";
  ASSERT_TRUE(state.secondPainter);
  EXPECT_EQ(WaitForSingleObject(state.secondPainter.get(), 1000), WAIT_OBJECT_0)
      << "the painter outlived the dialog";
  DeleteFileW((folder + L"\\anim.gif").c_str());
  DeleteFileW((folder + L"\\still.bmp").c_str());
  DeleteFileW((folder + L"\\photo.jpg").c_str());
  RemoveDirectoryW(folder.c_str());
}

// Files a user may pick that no picture type can show: each previews as an
// empty pane with the reason in the caption line, nothing escapes the
// dialog's hook, and the good file after them previews and is chosen.
struct THostileFile {
  const wchar_t* Name;
  std::string Bytes;
  std::wstring Caption;  // the caption line starts with this
};

std::string Gif(std::uint16_t width, std::uint16_t height, bool colors, int frames, const std::string& pixels) {
  std::string gif = "GIF89a";
  gif += {char(width & 0xFF), char(width >> 8), char(height & 0xFF), char(height >> 8), char(colors ? 0x80 : 0), 0, 0};
  if (colors) gif += std::string("\xff\xff\xff\0\0\0", 6);
  for (int i = 0; i < frames; ++i)
    gif += std::string("!\xf9\x04\x08\x02\0\0\0,\0\0\0\0\x01\0\x01\0\0", 18) + pixels;
  return gif + ";";
}

struct THostileDriver {
  TDriver finder;
  std::vector<THostileFile>* files = nullptr;
  std::size_t next = 0;
  bool selected = false;
  std::vector<std::wstring> captions;
  SIZE_T peakAfterHugeScreen = 0;
  DWORD start = 0;
};
THostileDriver* hostile = nullptr;

std::wstring Caption() {
  wchar_t text[256] = {};
  GetDlgItemTextW(GetParent(hostile->finder.preview), kPreviewTextId, text, 256);
  return text;
}

void CALLBACK DriveHostile(HWND, UINT, UINT_PTR, DWORD) {
  THostileDriver& h = *hostile;
  driver = &h.finder;
  if (!h.finder.dialog) {
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    if (!h.finder.dialog || SendMessageW(h.finder.list, LVM_GETITEMCOUNT, 0, 0) < LPARAM(h.files->size())) return;
  }
  if (GetTickCount() - h.start > 30000 || h.next == h.files->size()) {
    PostMessageW(h.finder.dialog, WM_COMMAND, h.next == h.files->size() ? IDOK : IDCANCEL, 0);
    h.next = SIZE_MAX;
    return;
  }
  if (h.next == SIZE_MAX) return;
  if (!h.selected) {
    h.selected = Select((*h.files)[h.next].Name);
    return;
  }
  // The picture loads on the worker; its size or error fills the caption.
  if (Caption().empty() && GetTickCount() - h.start < 25000) return;
  // The pane draws now; errors of that show in the caption.
  RedrawWindow(h.finder.preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  h.captions.push_back(Caption());
  if (std::wstring((*h.files)[h.next].Name) == L"huge-screen.gif") {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    h.peakAfterHugeScreen = memory.PeakPagefileUsage;
  }
  ++h.next;
  h.selected = false;
}

TEST_F(AddDialog, EveryHostileFilePreviewsItsErrorAndTheNextFileStillPreviews) {
  const auto text = [](const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); };
  const std::string photo = text(QuadrantJPEG(48, 32)), ramp = text(RampJPEG(160, 120));
  // A 300 MB bitmap in 54 bytes.
  const BITMAPFILEHEADER bmpFile{0x4D42, 54, 0, 0, 54};
  const BITMAPINFOHEADER bmpInfo{40, 10000, 10000, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const std::string hugeBmp = std::string(reinterpret_cast<const char*>(&bmpFile), sizeof bmpFile) +
                              std::string(reinterpret_cast<const char*>(&bmpInfo), sizeof bmpInfo);
  const std::wstring shown = L"48 x 32";
  std::vector<THostileFile> files = {
      {L"cmyk.jpg", text(InkJPEG(40, 24, false, true)), L"40 x 24"},
      {L"ycck.jpg", text(InkJPEG(40, 24, true, true)), L"40 x 24"},
      {L"truncated.jpg", ramp.substr(0, ramp.size() * 2 / 3), L"160 x 120"},
      {L"not-a-picture.jpg", "This is a text file.", L"JPEG error #53: Not a JPEG file: starts with 0x54 0x68"},
      {L"empty.gif", "", L"Premature end of data"},
      {L"no-colours.gif", Gif(1, 1, false, 1, std::string("\x02\x02\x44\x01\0", 5)),
       L"No global or local color table defined"},
      {L"huge-screen.gif", Gif(16000, 16000, true, 2, std::string("\x02\x02\x44\x01\0", 5)), L"16000 x 16000"},
      {L"garbage-lzw.gif", Gif(1, 1, true, 1, std::string("\x02\x05\xff\xff\xff\xff\xff\0", 8)), L"1 x 1"},
      {L"huge.bmp", hugeBmp, L"Image is too large"},
      {L"zz-good.jpg", photo, shown},
  };
  const std::wstring folder = TempFolder() + L"\\hostile";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const auto& f : files) WriteFileReplacing(folder + L"\\" + f.Name, f.Bytes);

  TOpenPictureDialog dialog;
  dialog.InitialDir = folder;
  dialog.MultiSelect = false;
  dialog.OnPreviewLoaded = FitPreview;
  THostileDriver state;
  state.files = &files;
  state.start = GetTickCount();
  hostile = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveHostile);
  const bool chosen = dialog.Execute(nullptr);
  KillTimer(nullptr, timer);
  hostile = nullptr;
  driver = nullptr;

  ASSERT_EQ(state.captions.size(), files.size()) << "the dialog stopped previewing";
  for (std::size_t i = 0; i < files.size(); ++i)
    EXPECT_EQ(state.captions[i].substr(0, files[i].Caption.size()), files[i].Caption) << files[i].Name;
  EXPECT_TRUE(chosen);
  EXPECT_EQ(dialog.FileName(), folder + L"\\zz-good.jpg");
  // The huge screen would ask for gigabytes of bitmaps at its own size; it
  // is shrunk to the pane before anything is drawn.
  EXPECT_LT(state.peakAfterHugeScreen, SIZE_T(600) << 20);
  std::printf("peak memory after previewing the 16000 x 16000 GIF: %.1f MiB\n",
              double(state.peakAfterHugeScreen) / (1 << 20));
  for (const auto& f : files) DeleteFileW((folder + L"\\" + f.Name).c_str());
  RemoveDirectoryW(folder.c_str());
}

// Fifty wallpaper-sized photos passed at a held arrow key's pace cost the
// dialog no more than fifty tiny pictures do: it never waits for a decode,
// and the pane ends with the last photo.
struct TBurstDriver {
  TDriver finder;
  int next = 0;
  double cpuMs[3] = {};  // the GUI thread's time used, at the start and after each fifty
  std::wstring label;
  DWORD start = 0;
};
TBurstDriver* burst = nullptr;

double GuiThreadMs() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ms = [](FILETIME t) { return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

void CALLBACK DriveBurst(HWND, UINT, UINT_PTR, DWORD) {
  TBurstDriver& b = *burst;
  driver = &b.finder;
  if (!b.finder.dialog) {
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    if (!b.finder.dialog || SendMessageW(b.finder.list, LVM_GETITEMCOUNT, 0, 0) < 100) return;
  }
  // Each tick comes after the last selection's paint.
  if (b.next % 50 == 0 && b.next <= 100) b.cpuMs[b.next / 50] = GuiThreadMs();
  if (b.next < 100) {
    wchar_t name[16] = {};
    std::swprintf(name, 16, b.next < 50 ? L"tiny%02d" : L"photo%02d", b.next % 50);
    Select(name);
    ++b.next;
    return;
  }
  b.next = 101;
  wchar_t text[64] = {};
  GetDlgItemTextW(GetParent(b.finder.preview), kPreviewTextId, text, 64);
  b.label = text;
  if (b.label == L"3840 x 2400" || GetTickCount() - b.start > 30000)
    PostMessageW(b.finder.dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(AddDialog, FiftyLargePhotosPassAtKeyRepeatPaceWithoutTheDialogWaiting) {
  const std::wstring folder = TempFolder() + L"\\burst\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  WritePhoto(folder + L"photo00.jpg", 3840, 2400, 127);
  WritePhoto(folder + L"tiny00.jpg", 8, 8);
  const auto name = [&](const wchar_t* kind, int i) {
    return folder + kind + (i < 10 ? L"0" : L"") + std::to_wstring(i) + L".jpg";
  };
  for (int i = 1; i < 50; ++i)
    for (const wchar_t* kind : {L"photo", L"tiny"})
      if (!CreateHardLinkW(name(kind, i).c_str(), name(kind, 0).c_str(), nullptr))
        CopyFileW(name(kind, 0).c_str(), name(kind, i).c_str(), FALSE);
  TOpenPictureDialog dialog;
  dialog.InitialDir = folder;
  dialog.OnPreviewLoaded = FitPreview;
  TBurstDriver state;
  state.start = GetTickCount();
  burst = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, 33, DriveBurst);
  dialog.Execute(nullptr);
  KillTimer(nullptr, timer);
  burst = nullptr;
  driver = nullptr;

  EXPECT_EQ(state.label, L"3840 x 2400") << "the last photo never reached the pane";
  const double tiny = state.cpuMs[1] - state.cpuMs[0], photos = state.cpuMs[2] - state.cpuMs[1];
  std::printf("GUI thread busy for 50 selections: %.0f ms through photos, %.0f ms through tiny pictures\n", photos,
              tiny);
  EXPECT_LT(photos, 2 * tiny + 200) << "the GUI thread decoded the photos";
  for (int i = 0; i < 50; ++i)
    for (const wchar_t* kind : {L"photo", L"tiny"}) DeleteFileW(name(kind, i).c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
