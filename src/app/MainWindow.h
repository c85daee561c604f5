#pragma once
// The main window of the commander, frmDorvane: the wallpaper list, the
// engine's settings and the engine's start and stop. Its controls are built
// from the window description in MainWindowLayout.cpp; its handlers live
// with their subjects (list/, settings/, engine/, about/).
#include <memory>
#include <string>
#include <vector>

#include "app/OneInstance.h"
#include "grid/DataGrid.h"
#include "gui/Form.h"
#include "list/WallpaperEntry.h"
#include "list/WallpaperIndex.h"

class TControlApplication;
class TPanel;
class TGradientBand;
class TPictureBox;
class TEffectLabel;
class TLabel;
class TDrawnEdge;
class TFlatSpeedButton;
class TGlyphButton;
class TTrackBar;
class TColorBox;
class TPixelFont;
class TCheckBox;
class TRadioButton;
class TComboBox;
class TOpenPictureDialog;
class IWallpaperList;

using TFileGrid = TDataGrid<TWallpaperEntry>;

class TfrmDorvane : public TForm {
 public:
  explicit TfrmDorvane(const TControlApplication& controlApplication);
  ~TfrmDorvane() override;

  void Create();

  // --- the window description's controls ---------------------------------
  TPanel* pnlWallpaper = nullptr;
  TGradientBand* filWallpaper = nullptr;
  TPictureBox* imgWallpaper = nullptr;
  TEffectLabel* lblWallpaper = nullptr;
  TEffectLabel* lblWallpaperDesc = nullptr;
  TFileGrid* lstFiles = nullptr;
  TEffectLabel* lblFileCount = nullptr;
  TPanel* pnlWallpaperButtons = nullptr;
  TGlyphButton* btnAdd = nullptr;
  TGlyphButton* btnRemove = nullptr;
  TGlyphButton* btnClear = nullptr;

  TPanel* pnlSettings = nullptr;
  TGradientBand* filSettings = nullptr;
  TPictureBox* imgSettings = nullptr;
  TEffectLabel* lblSettings = nullptr;
  TEffectLabel* lblSettingsDesc = nullptr;
  TPanel* pnlDesktopSettings = nullptr;
  TLabel* lblDesktopSettings = nullptr;
  TDrawnEdge* bvlDesktopSettings = nullptr;
  TCheckBox* chkRandomPointer = nullptr;
  TCheckBox* chkRandomSSaver = nullptr;
  TFlatSpeedButton* btnPointerSettings = nullptr;
  TFlatSpeedButton* btnSSaverSettings = nullptr;
  TPanel* pnlEngineSettings = nullptr;
  TLabel* lblEngineSettings = nullptr;
  TDrawnEdge* bvlEngineSettings = nullptr;
  TCheckBox* chkTimer = nullptr;
  TPanel* pnlTimerStyle = nullptr;
  TRadioButton* rdoTimerSecond = nullptr;
  TRadioButton* rdoTimerMinute = nullptr;
  TRadioButton* rdoTimerHour = nullptr;
  TLabel* lblTimer = nullptr;
  TTrackBar* trkTimer = nullptr;
  TPixelFont* Label1 = nullptr;
  TPixelFont* Label2 = nullptr;
  TPanel* pnlSystemSettings = nullptr;
  TLabel* lblSystemSettings = nullptr;
  TDrawnEdge* bvlSystemSettings = nullptr;
  TCheckBox* chkRunAtStartup = nullptr;
  TCheckBox* chkTrayIcon = nullptr;
  TPanel* pnlWallpaperSettings = nullptr;
  TLabel* lblWallpaperSettings = nullptr;
  TDrawnEdge* bvlWallpaperSettings = nullptr;
  TLabel* lblStretchMode = nullptr;
  TComboBox* cboStretchMode = nullptr;
  TFlatSpeedButton* btnStretchModeHelp = nullptr;
  TLabel* lblBGColor = nullptr;
  TColorBox* cboBGColor = nullptr;

  TPanel* pnlEngine = nullptr;
  TGradientBand* filEngine = nullptr;
  TPictureBox* imgEngine = nullptr;
  TEffectLabel* lblEngine = nullptr;
  TEffectLabel* lblEngineDesc = nullptr;
  TGlyphButton* btnAbout = nullptr;
  TPictureBox* imgDorvane = nullptr;
  TGlyphButton* btnStart = nullptr;
  TGlyphButton* btnStop = nullptr;
  TEffectLabel* lblNewSettings = nullptr;
  TGlyphButton* btnExit = nullptr;

  // --- non-visual components ---------------------------------------------
  std::unique_ptr<TOpenPictureDialog> dlgAddFile;
  TOneInstance Dorvane;  // the single-instance guard

  // --- module state ------------------------------------------------------
  // Unit of the timer interval: 0 second, 1 minute, 2 hour.
  int TimerStyle = 1;
  // The list file: the program folder followed by "WPapers.ini".
  std::wstring SettingsFile;

  // --- the wallpaper list --------------------------------------------------
  void lstFilesGetText(int row, int column, std::wstring& text);
  void lstFilesBeforeCellPaint(HDC dc, int row, int column, const RECT& cell);
  void lstFilesDblClick();
  void lstFilesKeyDown(WORD& key, TGridShiftState shift);
  void lstFilesColumnClick(int column, TGridShiftState shift);
  void lstFilesChange(int row);
  void lstFilesEditing(int row, int column, bool& allowed);
  void lstFilesCreateEditor(int row, int column, TEditLinkPtr& link);
  void SelectFile(int index);
  void UpdateFileCount();
  // Rows change only through these, which keep the name index in step.
  void AppendEntry(TWallpaperEntry entry);
  void DeleteEntry(int row);
  void ClearEntries();
  // The grid as the list file sees it.
  IWallpaperList& WallpaperList();

  // --- list commands -------------------------------------------------------
  void btnAddClick();
  void btnRemoveClick();
  void btnClearClick();
  // Adds a file unless it is listed; returns false when it was listed.
  bool AddFile(const std::wstring& fullFileName);
  bool IsInList(const std::wstring& fullFileName) const;

  // --- settings panel ------------------------------------------------------
  void chkRandomPointerClick();
  void chkRandomSSaverClick();
  void btnPointerSettingsClick();
  void btnSSaverSettingsClick();
  void chkTimerClick();
  void trkTimerChange();
  void lblTimerClick();
  void rdoTimerMouseDown(TControl& sender, TMouseButton button);
  void ApplicationEventsMessage(MSG& msg, bool& handled);
  void ActiveControlChanged(HWND previous, HWND current);
  void cboStretchModeChange();
  void btnStretchModeHelpClick();
  void ShowTimerStyle(bool show);
  // Where the focus was when the unit choice opened.
  HWND unitChoiceReturn_ = nullptr;

  // --- engine --------------------------------------------------------------
  void btnStartStopClick(TControl& sender);
  void WMEngineState(WPARAM wParam);
  void ShowEngineState(bool running);

  // --- about, close, saving -------------------------------------------------
  void btnAboutClick();
  void btnExitClick();
  // What a save of settings and list left undone.
  struct TSaveOutcome {
    // Each names the key or file that could not be written and the reason.
    std::vector<std::wstring> Failures;
    // The start-up entry's message, when it could not follow its check box.
    std::wstring StartupFailure;
    bool Saved() const { return Failures.empty(); }
  };
  // Saves settings and list, in this order, as a close does; shows nothing.
  TSaveOutcome SaveEverything();
  // Settings and list are saved: Windows may end the session again.
  void NoteSaved();
  // Windows asks whether the session may end: true when everything is saved.
  bool QueryEndSession();

 protected:
  void CreateControls() override;
  void FormCreate() override;
  void FormShow() override;
  bool FormCloseQuery() override;
  void FormClose() override;
  void FormDestroy() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void BuildLayout();
  void BindHandlers();
  std::vector<std::unique_ptr<TControl>> components_;
  std::unique_ptr<IWallpaperList> wallpaperList_;
  TWallpaperIndex fileIndex_;
  // A reason why the session may not end has been given to Windows.
  bool shutdownBlocked_ = false;
};
