#pragma once
// The picture open dialog: the system's file open dialog with a preview pane
// beside the file list that shows the selected picture, scaled to fit, and
// its size. Pictures are loaded through the picture system, so every
// registered picture type previews. They load on a worker thread: the file
// list answers at once however large the photos it passes, and only the
// picture of the current selection ever reaches the pane.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TPicture;
class TDecodeWorker;

class TOpenPictureDialog {
 public:
  TOpenPictureDialog();
  ~TOpenPictureDialog();
  TOpenPictureDialog(const TOpenPictureDialog&) = delete;
  TOpenPictureDialog& operator=(const TOpenPictureDialog&) = delete;

  std::wstring Title;
  std::wstring InitialDir;
  // Pairs of description and patterns ("*.bmp;*.jpg").
  std::vector<std::pair<std::wstring, std::wstring>> Filters;
  int FilterIndex = 1;
  bool MultiSelect = true;

  // Shows the dialog modally; false when the user cancels.
  bool Execute(HWND owner);
  // The chosen files as full names, in the dialog's order.
  const std::vector<std::wstring>& Files() const { return files_; }
  // The first chosen file.
  const std::wstring& FileName() const { return fileName_; }

  // Runs after a picture for the preview is loaded and before it is drawn,
  // so its type can prepare a quick decode for a box of this size (a large
  // photo decodes at a reduced scale). It runs on the worker thread that
  // loads the preview: whatever it decodes there costs the dialog nothing.
  std::function<void(TPicture& picture, int boxWidth, int boxHeight)> OnPreviewLoaded;

  // Loads a picture file for the preview box; fullSize (when given) gets
  // the picture's own size. Raises the picture's own error for a file it
  // cannot read.
  std::unique_ptr<TPicture> LoadPreview(const std::wstring& fileName, int boxWidth, int boxHeight,
                                        SIZE* fullSize = nullptr) const;

 private:
  static UINT_PTR CALLBACK Hook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  static UINT_PTR HookUnguarded(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  // Drops the preview picture; nothing it raises on the way out escapes.
  void ReleasePreview();
  // Shows an empty pane with the error's text in the caption line.
  void PreviewFailed(HWND dialog, std::exception_ptr error);
  void SelectionChanged(HWND dialog);
  // The worker's result for the current selection.
  void PreviewLoaded(HWND dialog, std::unique_ptr<TPicture> picture, SIZE size, const std::wstring& error);
  // Places the preview beside the file list, as tall as the list, with its
  // caption line under it.
  void ArrangePreview(HWND dialog);
  void DrawPreview(const DRAWITEMSTRUCT& item);
  void DrawPreviewPane(HDC dc, RECT box);

  std::vector<std::wstring> files_;
  std::wstring fileName_;
  // Lives while the dialog is shown.
  std::unique_ptr<TDecodeWorker> worker_;
  std::unique_ptr<TPicture> preview_;
  std::wstring previewText_;
  HWND previewBox_ = nullptr;
};
