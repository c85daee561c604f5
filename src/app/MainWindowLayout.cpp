// The window description of the main window: every control with its kind,
// parent, caption, place and size, and the field that receives it. Within
// one parent the rows stand in tab order; the builder creates them in this
// order.
#include "app/MainWindow.h"
#include "controls/PixelFont.h"
#include "grid/VirtualGrid.h"
#include "gui/Application.h"
#include "gui/Picture.h"
#include "gui/ResourcePicture.h"
#include "gui/StdCtrls.h"
#include "gui/WindowBuilder.h"
#include "resource.h"
#include "widgets/Bevel.h"
#include "widgets/ColorBox.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/GlyphButton.h"
#include "widgets/GradientBand.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"
#include "widgets/TrackBar.h"

namespace {

enum class TKind {
  Panel,        // a container without bevel
  HeaderBand,   // gradient from button face to button shadow, 126 steps
  HeaderImage,  // 41 x 41 GIF picture
  Title,        // gradient-lettered panel title
  Description,  // raised text in the window font
  Grid,
  CountLabel,    // fixed size, end ellipsis
  GlyphButton,   // 18 x 18 glyph
  MarginButton,  // 18 x 18 glyph 5 pixels from the left edge
  TwoGlyphButton,
  GroupLabel,  // bold heading of a settings group
  GroupEdge,   // sunken line along the top
  Check,
  CheckOff,
  FlatButton,
  Radio,
  RadioChecked,
  TimerLabel,
  TrackBar,
  PixelFont,
  Label,
  StretchCombo,
  ColorCombo,
  Logo,
  HintLabel,
};

const TRowFont kTitleFont{L"Times New Roman", 24, true, false, ANSI_CHARSET};
const TRowFont kBoldFont{nullptr, 0, true};

// The engine group is 3 pixels wider than its edge line, so that the track
// bar it holds loses no edge, and "Hour" takes 3 pixels more than the
// system's fonts of old needed.
// clang-format off
const TControlRow<TfrmDorvane, TKind> kLayout[] = {
  {L"pnlWallpaper", TKind::Panel, nullptr, L"", {0, 8, 641, 203}, 0, &TfrmDorvane::pnlWallpaper},
  {L"filWallpaper", TKind::HeaderBand, L"pnlWallpaper", L"", {0, 0, 641, 41}, 0, &TfrmDorvane::filWallpaper},
  {L"imgWallpaper", TKind::HeaderImage, L"pnlWallpaper", L"", {0, 0, 41, 41}, IDR_GIF_WALLPAPER, &TfrmDorvane::imgWallpaper},
  {L"lblWallpaper", TKind::Title, L"pnlWallpaper", L"Wallpapers", {40, 0, 122, 30}, 0, &TfrmDorvane::lblWallpaper, &kTitleFont},
  {L"lblWallpaperDesc", TKind::Description, L"pnlWallpaper", L"Add your favorite wallpapers to the list to be displayed whenever you want.", {40, 26, 354, 16}, 0, &TfrmDorvane::lblWallpaperDesc},
  {L"lstFiles", TKind::Grid, L"pnlWallpaper", L"", {8, 48, 551, 135}, 0, &TfrmDorvane::lstFiles},
  {L"lblFileCount", TKind::CountLabel, L"pnlWallpaper", L"FileCount", {8, 186, 551, 15}, 0, &TfrmDorvane::lblFileCount},
  {L"pnlWallpaperButtons", TKind::Panel, L"pnlWallpaper", L"", {566, 48, 75, 89}, 0, &TfrmDorvane::pnlWallpaperButtons},
  {L"btnAdd", TKind::MarginButton, L"pnlWallpaperButtons", L"&Add...", {0, 0, 75, 25}, IDB_ADD, &TfrmDorvane::btnAdd},
  {L"btnRemove", TKind::MarginButton, L"pnlWallpaperButtons", L"&Remove", {0, 29, 75, 25}, IDB_REMOVE, &TfrmDorvane::btnRemove},
  {L"btnClear", TKind::MarginButton, L"pnlWallpaperButtons", L"&Clear", {0, 58, 75, 25}, IDB_CLEAR, &TfrmDorvane::btnClear},

  {L"pnlSettings", TKind::Panel, nullptr, L"", {0, 210, 641, 169}, 0, &TfrmDorvane::pnlSettings},
  {L"filSettings", TKind::HeaderBand, L"pnlSettings", L"", {0, 0, 641, 41}, 0, &TfrmDorvane::filSettings},
  {L"imgSettings", TKind::HeaderImage, L"pnlSettings", L"", {0, 0, 41, 41}, IDR_GIF_SETTINGS, &TfrmDorvane::imgSettings},
  {L"lblSettings", TKind::Title, L"pnlSettings", L"Settings", {40, 0, 85, 30}, 0, &TfrmDorvane::lblSettings, &kTitleFont},
  {L"lblSettingsDesc", TKind::Description, L"pnlSettings", L"Change the Ombrelle settings to your precise needs.", {40, 26, 288, 16}, 0, &TfrmDorvane::lblSettingsDesc},
  {L"pnlDesktopSettings", TKind::Panel, L"pnlSettings", L"", {8, 48, 217, 65}, 0, &TfrmDorvane::pnlDesktopSettings},
  {L"lblDesktopSettings", TKind::GroupLabel, L"pnlDesktopSettings", L"Desktop Settings:", {8, 0, 102, 13}, 0, &TfrmDorvane::lblDesktopSettings, &kBoldFont},
  {L"bvlDesktopSettings", TKind::GroupEdge, L"pnlDesktopSettings", L"", {8, 16, 204, 5}, 0, &TfrmDorvane::bvlDesktopSettings},
  {L"chkRandomPointer", TKind::Check, L"pnlDesktopSettings", L"Random &mouse pointers", {16, 24, 144, 17}, 0, &TfrmDorvane::chkRandomPointer},
  {L"btnPointerSettings", TKind::FlatButton, L"pnlDesktopSettings", L"Settings...", {160, 24, 52, 17}, 0, &TfrmDorvane::btnPointerSettings, nullptr, rfAfterPrevious},
  {L"chkRandomSSaver", TKind::Check, L"pnlDesktopSettings", L"Random &screen saver", {16, 44, 144, 17}, 0, &TfrmDorvane::chkRandomSSaver},
  {L"btnSSaverSettings", TKind::FlatButton, L"pnlDesktopSettings", L"Settings...", {160, 44, 52, 17}, 0, &TfrmDorvane::btnSSaverSettings, nullptr, rfAfterPrevious},
  {L"pnlEngineSettings", TKind::Panel, L"pnlSettings", L"", {248, 48, 196, 73}, 0, &TfrmDorvane::pnlEngineSettings},
  {L"lblEngineSettings", TKind::GroupLabel, L"pnlEngineSettings", L"Engine Settings:", {8, 0, 94, 13}, 0, &TfrmDorvane::lblEngineSettings, &kBoldFont},
  {L"bvlEngineSettings", TKind::GroupEdge, L"pnlEngineSettings", L"", {8, 16, 177, 5}, 0, &TfrmDorvane::bvlEngineSettings},
  {L"chkTimer", TKind::Check, L"pnlEngineSettings", L"&Use random timer", {16, 24, 109, 17}, 0, &TfrmDorvane::chkTimer},
  {L"pnlTimerStyle", TKind::Panel, L"pnlEngineSettings", L"", {16, 24, 172, 17}, 0, &TfrmDorvane::pnlTimerStyle, nullptr, rfHidden},
  {L"rdoTimerSecond", TKind::Radio, L"pnlTimerStyle", L"Second", {0, 0, 57, 17}, 0, &TfrmDorvane::rdoTimerSecond, nullptr, rfGroupStart},
  {L"rdoTimerMinute", TKind::RadioChecked, L"pnlTimerStyle", L"Minute", {64, 0, 57, 17}, 0, &TfrmDorvane::rdoTimerMinute},
  {L"rdoTimerHour", TKind::Radio, L"pnlTimerStyle", L"Hour", {128, 0, 44, 17}, 0, &TfrmDorvane::rdoTimerHour},
  {L"lblTimer", TKind::TimerLabel, L"pnlEngineSettings", L"minutes", {149, 25, 36, 13}, 0, &TfrmDorvane::lblTimer},
  {L"trkTimer", TKind::TrackBar, L"pnlEngineSettings", L"", {6, 41, 190, 20}, IDB_TRACK_THUMB, &TfrmDorvane::trkTimer},
  {L"Label1", TKind::PixelFont, L"pnlEngineSettings", L"1", {15, 62, 4, 5}, 0, &TfrmDorvane::Label1},
  {L"Label2", TKind::PixelFont, L"pnlEngineSettings", L"60", {179, 62, 9, 5}, 0, &TfrmDorvane::Label2},
  {L"pnlSystemSettings", TKind::Panel, L"pnlSettings", L"", {464, 48, 177, 65}, 0, &TfrmDorvane::pnlSystemSettings},
  {L"lblSystemSettings", TKind::GroupLabel, L"pnlSystemSettings", L"System Settings:", {8, 0, 95, 13}, 0, &TfrmDorvane::lblSystemSettings, &kBoldFont},
  {L"bvlSystemSettings", TKind::GroupEdge, L"pnlSystemSettings", L"", {8, 16, 161, 5}, 0, &TfrmDorvane::bvlSystemSettings},
  {L"chkRunAtStartup", TKind::CheckOff, L"pnlSystemSettings", L"Run at &Windows startup", {16, 24, 153, 17}, 0, &TfrmDorvane::chkRunAtStartup},
  {L"chkTrayIcon", TKind::Check, L"pnlSystemSettings", L"Show system &tray icon", {16, 44, 153, 17}, 0, &TfrmDorvane::chkTrayIcon},
  {L"pnlWallpaperSettings", TKind::Panel, L"pnlSettings", L"", {8, 116, 433, 53}, 0, &TfrmDorvane::pnlWallpaperSettings},
  {L"lblWallpaperSettings", TKind::GroupLabel, L"pnlWallpaperSettings", L"Wallpaper Settings:", {8, 0, 112, 13}, 0, &TfrmDorvane::lblWallpaperSettings, &kBoldFont},
  {L"bvlWallpaperSettings", TKind::GroupEdge, L"pnlWallpaperSettings", L"", {8, 16, 417, 5}, 0, &TfrmDorvane::bvlWallpaperSettings},
  {L"lblStretchMode", TKind::Label, L"pnlWallpaperSettings", L"&Stretch Mode:", {16, 28, 67, 13}, 0, &TfrmDorvane::lblStretchMode},
  {L"cboStretchMode", TKind::StretchCombo, L"pnlWallpaperSettings", L"", {88, 24, 109, 21}, 0, &TfrmDorvane::cboStretchMode},
  {L"btnStretchModeHelp", TKind::FlatButton, L"pnlWallpaperSettings", L"?", {198, 24, 19, 21}, 0, &TfrmDorvane::btnStretchModeHelp, nullptr, rfAfterPrevious},
  {L"lblBGColor", TKind::Label, L"pnlWallpaperSettings", L"&Background:", {226, 28, 61, 13}, 0, &TfrmDorvane::lblBGColor},
  {L"cboBGColor", TKind::ColorCombo, L"pnlWallpaperSettings", L"", {290, 23, 135, 22}, 0, &TfrmDorvane::cboBGColor},

  {L"pnlEngine", TKind::Panel, nullptr, L"", {0, 378, 641, 78}, 0, &TfrmDorvane::pnlEngine},
  {L"filEngine", TKind::HeaderBand, L"pnlEngine", L"", {0, 0, 641, 41}, 0, &TfrmDorvane::filEngine},
  {L"imgEngine", TKind::HeaderImage, L"pnlEngine", L"", {0, 0, 41, 41}, IDR_GIF_ENGINE, &TfrmDorvane::imgEngine},
  {L"lblEngine", TKind::Title, L"pnlEngine", L"ZP Engine", {40, 0, 116, 30}, 0, &TfrmDorvane::lblEngine, &kTitleFont},
  {L"lblEngineDesc", TKind::Description, L"pnlEngine", L"Start/Stop the Ombrelle engine.", {40, 26, 192, 16}, 0, &TfrmDorvane::lblEngineDesc},
  {L"btnAbout", TKind::GlyphButton, L"pnlEngine", L"", {8, 48, 25, 25}, IDB_ABOUT, &TfrmDorvane::btnAbout},
  {L"imgDorvane", TKind::Logo, L"pnlEngine", L"", {34, 48, 60, 25}, IDR_GIF_LOGO, &TfrmDorvane::imgDorvane},
  {L"btnStart", TKind::TwoGlyphButton, L"pnlEngine", L"Start", {128, 48, 75, 25}, IDB_START, &TfrmDorvane::btnStart},
  {L"btnStop", TKind::TwoGlyphButton, L"pnlEngine", L"Stop", {203, 48, 75, 25}, IDB_STOP, &TfrmDorvane::btnStop},
  {L"lblNewSettings", TKind::HintLabel, L"pnlEngine", L"For new settings to take\r\neffect, restart the engine.", {280, 47, 137, 27}, 0, &TfrmDorvane::lblNewSettings, nullptr, rfHidden},
  {L"btnExit", TKind::GlyphButton, L"pnlEngine", L"Close", {566, 48, 75, 25}, IDB_CLOSE, &TfrmDorvane::btnExit},
};
// clang-format on

const TColor kButtonFace = SystemColorFlag | COLOR_BTNFACE;
const TColor kButtonShadow = SystemColorFlag | COLOR_BTNSHADOW;

std::unique_ptr<TControl> MakeControl(TKind kind, const TMakeRequest& r) {
  const HWND parent = r.Parent;
  switch (kind) {
    case TKind::Panel:
      return std::make_unique<TPanel>(parent, r.Bounds);
    case TKind::HeaderBand:
      return std::make_unique<TGradientBand>(parent, r.Bounds, kButtonFace, kButtonShadow, 126, gstHorizontal);
    case TKind::HeaderImage:
    case TKind::Logo: {
      auto box = std::make_unique<TPictureBox>(parent, r.Bounds);
      if (kind == TKind::Logo) box->SetAutoSize(true);
      LoadGifResource(box->Picture(), r.Resource);
      return box;
    }
    case TKind::Title: {
      auto label = std::make_unique<TEffectLabel>(parent, r.Bounds, r.Caption, TTextEffect::Raised, true);
      label->SetFontColor(RGBColor(128, 128, 255));
      label->SetGradient(true, RGBColor(0, 0, 128));
      return label;
    }
    case TKind::Description:
      return std::make_unique<TEffectLabel>(parent, r.Bounds, r.Caption, TTextEffect::Raised, false);
    case TKind::CountLabel: {
      auto label = std::make_unique<TEffectLabel>(parent, r.Bounds, r.Caption, TTextEffect::Raised, false);
      label->SetEndEllipsis(true);
      return label;
    }
    case TKind::HintLabel:
      return std::make_unique<TEffectLabel>(parent, r.Bounds, r.Caption, TTextEffect::Sunken, true);
    case TKind::Grid:
      return std::make_unique<TVirtualGrid>(parent, r.Bounds);
    case TKind::GlyphButton:
    case TKind::MarginButton:
    case TKind::TwoGlyphButton: {
      auto button = std::make_unique<TGlyphButton>(parent, r.Bounds, r.Caption, LoadGlyphResource(r.Resource),
                                                   kind == TKind::TwoGlyphButton ? 2 : 1);
      if (kind == TKind::MarginButton) button->SetMargin(5);
      return button;
    }
    case TKind::GroupLabel:
    case TKind::Label:
      return std::make_unique<TLabel>(parent, r.Bounds, r.Caption);
    case TKind::GroupEdge: {
      auto edge = std::make_unique<TDrawnEdge>(parent, r.Bounds);
      edge->SetEdge(BDR_SUNKENOUTER, BF_TOP);
      return edge;
    }
    case TKind::Check:
    case TKind::CheckOff:
      return std::make_unique<TCheckBox>(parent, r.Bounds, r.Caption, kind == TKind::Check);
    case TKind::FlatButton:
      return std::make_unique<TFlatSpeedButton>(parent, r.Bounds, r.Caption);
    case TKind::Radio:
    case TKind::RadioChecked:
      return std::make_unique<TRadioButton>(parent, r.Bounds, r.Caption, kind == TKind::RadioChecked, r.GroupStart);
    case TKind::TimerLabel: {
      auto label = std::make_unique<TLabel>(parent, r.Bounds, r.Caption);
      label->SetAlignment(TAlignment::Right);
      // "10 hours" must fit in any substitute font: the label grows to
      // the left from its right edge.
      label->SetAutoSize(true);
      label->SetFontColor(SystemColorFlag | COLOR_3DDKSHADOW);
      label->SetHandCursor(true);
      return label;
    }
    case TKind::TrackBar: {
      auto track = std::make_unique<TTrackBar>(parent, r.Bounds, 1, 60, 10);
      track->SetPageSize(5);
      track->SetTicks(29, 2);
      track->SetTrackWidth(6);
      track->SetTrackColor(RGBColor(0, 255, 0));
      track->SetThumb(LoadGlyphResource(r.Resource));
      return track;
    }
    case TKind::PixelFont: {
      // A pixel-font label sizes itself to its caption.
      auto label = std::make_unique<TPixelFont>(parent, TBounds{r.Bounds.Left, r.Bounds.Top});
      label->SetSizeFactor(1);
      label->SetCaption(r.Caption);
      return label;
    }
    case TKind::StretchCombo: {
      auto combo = std::make_unique<TComboBox>(parent, r.Bounds,
                                               std::vector<std::wstring>{L"Default Method", L"Dorvane Method"}, 13);
      combo->SetItemIndex(1);
      return combo;
    }
    case TKind::ColorCombo:
      return std::make_unique<TColorBox>(parent, r.Bounds);
  }
  return nullptr;
}

}  // namespace

void TfrmDorvane::NameForScreenReaders() {
  // What a screen reader reads for controls whose caption does not tell
  // them apart, or that have none.
  const std::pair<TControl*, const wchar_t*> names[] = {
      {lstFiles, L"Wallpapers"},
      {btnPointerSettings, L"Mouse pointer settings"},
      {btnSSaverSettings, L"Screen saver settings"},
      {btnStretchModeHelp, L"Stretch mode help"},
      {btnAbout, L"About"},
  };
  for (const auto& [control, name] : names) control->AccessibleName = name;
  // The slider is the random timer's: its check box names it.
  trkTimer->SetAccessibleLabel(chkTimer->Handle());
}

namespace {

TBuildSteps<TKind> Steps(HFONT windowFont, int dpi) {
  TBuildSteps<TKind> steps;
  steps.Make = MakeControl;
  steps.WindowFont = windowFont;
  steps.Dpi = dpi;
  return steps;
}

}  // namespace

void TfrmDorvane::BuildLayout() {
  BuildControls<TfrmDorvane, TKind>(*this, Handle(), kLayout, Steps(DefaultFont(), Dpi()), controls_);
  // The labels' mnemonics lead to their controls.
  lblStretchMode->SetFocusControl(cboStretchMode->Handle());
  lblBGColor->SetFocusControl(cboBGColor->Handle());
  NameForScreenReaders();
}

void TfrmDorvane::ScaleLayout() { ScaleControls<TfrmDorvane, TKind>(kLayout, Steps(DefaultFont(), Dpi()), controls_); }
