#pragma once
// The main window of the commander, frmDorvane: the wallpaper list, the
// engine's settings and the engine's start and stop. Its controls are built
// from the window description in MainWindowLayout.cpp and handed to three
// panels (wallpapers, settings, engine), which wire them to the models; the
// window owns models and panels, saves both models and is the only code that
// knows them all.
#include <memory>
#include <string>
#include <vector>

#include "app/OneInstance.h"
#include "gui/Form.h"
#include "gui/OleSession.h"
#include "gui/WindowBuilder.h"
#include "list/WallpaperList.h"
#include "settings/ListFileSession.h"
#include "settings/Settings.h"

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
class TVirtualGrid;
class TWallpaperPanel;
class TSettingsPanel;
class TEnginePanel;

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
  TVirtualGrid* lstFiles = nullptr;
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

  // --- the single-instance guard --------------------------------------------
  TOneInstance Dorvane;

  // --- models and panels ---------------------------------------------------
  TWallpaperList& Wallpapers() { return wallpapers_; }
  TSettings& Settings() { return settings_; }
  TWallpaperPanel& WallpaperPanel() { return *wallpaperPanel_; }
  TSettingsPanel& SettingsPanel() { return *settingsPanel_; }
  TEnginePanel& EnginePanel() { return *enginePanel_; }
  // The list file: the program folder followed by "WPapers.ini".
  const std::wstring& ListFile() const { return settings_.SettingsFile; }

  // --- saving ----------------------------------------------------------------
  // What a save of settings and list left undone.
  struct TSaveOutcome {
    // Each names the key or file that could not be written and the reason.
    std::vector<std::wstring> Failures;
    bool SettingsFailed = false;
    bool ListFailed = false;
    // The start-up entry's message, when it could not follow its check box.
    std::wstring StartupFailure;
    bool Saved() const { return Failures.empty(); }
  };
  // Saves settings and list, in this order, as a close does; shows nothing.
  // A window that has not finished loading saves nothing: its controls do
  // not hold what the stores hold.
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
  void NameForScreenReaders();
  void ScaleLayout() override;
  void MakePanels();
  // The panels' state into the settings model, ready to be saved.
  void CollectSettings();
  // Saves before the engine starts: a list that cannot be written stops
  // the start (the exception reaches the user), failed settings do not.
  void SaveBeforeEngineStarts();
  // What the window needs only once it is on the screen: OLE and the
  // grid's drop target.
  void AfterShown();

  // Started once the window is shown, ended after the panels (the drop
  // target) are gone.
  TOleSession ole_;
  TWallpaperList wallpapers_;
  TSettings settings_;
  TListFileSession listFile_;
  // The creation handler has loaded both stores into the window.
  bool loaded_ = false;
  // The controls go before the panels that point to them.
  TBuiltControls controls_;
  std::unique_ptr<TWallpaperPanel> wallpaperPanel_;
  std::unique_ptr<TSettingsPanel> settingsPanel_;
  std::unique_ptr<TEnginePanel> enginePanel_;
  // A reason why the session may not end has been given to Windows.
  bool shutdownBlocked_ = false;
};
