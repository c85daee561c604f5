#pragma once
// The wallpaper panel of the main window: the grid (through its view), the
// count line, and Add, Remove and Clear with the Add dialog; files and
// folders dropped on the grid are added as Add adds them. Its commands
// change the wallpaper list only; the list file is written by the window at
// close and before the engine starts.
#include <memory>
#include <string>
#include <vector>

#include "gui/ComPtr.h"
#include "gui/OpenPictureDialog.h"
#include "list/WallpaperDrop.h"
#include "list/WallpaperList.h"
#include "list/WallpaperView.h"

class TControl;

// The panel's controls, made and owned by the window.
struct TWallpaperControls {
  TVirtualGrid* Files;
  TControl* FileCount;  // shows the list's count text
  TControl* Add;
  TControl* Remove;
  TControl* Clear;
};

class TWallpaperPanel {
 public:
  // Wires the controls and becomes the list's observer; controls and list
  // outlive the panel.
  TWallpaperPanel(const TWallpaperControls& controls, TWallpaperList& list);
  ~TWallpaperPanel();
  TWallpaperPanel(const TWallpaperPanel&) = delete;
  TWallpaperPanel& operator=(const TWallpaperPanel&) = delete;

  void AddClick();
  void RemoveClick();
  void ClearClick();
  // Adds files by the rules of Add: a name that the ANSI code page cannot
  // hold is listed by its short name, or not at all (returned); a listed
  // file is not added again; the last row is selected.
  std::vector<std::wstring> AddFiles(const std::vector<std::wstring>& files);
  // Adds the pictures of a drop on the grid as Add does, after ending an
  // edit of the Position word.
  void DropFiles(const std::vector<std::wstring>& pictures);

  // Focuses and selects a row; a row that is not there changes nothing.
  void SelectFile(int row) { view_.SelectRow(row); }
  TWallpaperView& View() { return view_; }
  TOpenPictureDialog& AddDialog() { return addDialog_; }
  // Makes the grid a drop target (once; OLE must be started on this
  // thread). The window shows before it takes drops: the registration is
  // not needed to draw it.
  void AcceptDrops();
  // The grid's drop target; null before AcceptDrops or when the system
  // takes none.
  IDropTarget* DropTarget() const { return drop_.Get(); }

 private:
  void ListChanged(const TWallpaperChange& change);

  TWallpaperControls controls_;
  TWallpaperList& list_;
  TWallpaperView view_;
  TOpenPictureDialog addDialog_;
  TComPtr<TWallpaperDrop> drop_;
};
