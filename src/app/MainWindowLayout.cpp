// The window description of the main window: every control with its kind,
// parent, caption, place and size. Within one parent the rows stand in tab
// order; the builder creates them in this order.
#include <map>

#include "app/MainWindow.h"
#include "app/PictureTypes.h"
#include "controls/PixelFont.h"
#include "gui/OpenPictureDialog.h"
#include "gui/Application.h"
#include "gui/Picture.h"
#include "gui/ResourcePicture.h"
#include "gui/StdCtrls.h"
#include "resource.h"
#include "widgets/Bevel.h"
#include "widgets/ColorBox.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/Font.h"
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

struct TControlDesc {
  const wchar_t* name;
  TKind kind;
  const wchar_t* parent;  // nullptr: the window itself
  const wchar_t* caption;
  int left, top, width, height;
  int resource;  // picture or glyph, 0 for none
};

// clang-format off
const TControlDesc kLayout[] = {
  {L"pnlWallpaper",        TKind::Panel,        nullptr, L"", 0, 8, 641, 203, 0},
  {L"filWallpaper",        TKind::HeaderBand,   L"pnlWallpaper", L"", 0, 0, 641, 41, 0},
  {L"imgWallpaper",        TKind::HeaderImage,  L"pnlWallpaper", L"", 0, 0, 41, 41, IDR_GIF_WALLPAPER},
  {L"lblWallpaper",        TKind::Title,        L"pnlWallpaper", L"Wallpapers", 40, 0, 122, 30, 0},
  {L"lblWallpaperDesc",    TKind::Description,  L"pnlWallpaper",
     L"Add your favorite wallpapers to the list to be displayed whenever you want.", 40, 26, 354, 16, 0},
  {L"lstFiles",            TKind::Grid,         L"pnlWallpaper", L"", 8, 48, 551, 135, 0},
  {L"lblFileCount",        TKind::CountLabel,   L"pnlWallpaper", L"FileCount", 8, 186, 551, 15, 0},
  {L"pnlWallpaperButtons", TKind::Panel,        L"pnlWallpaper", L"", 566, 48, 75, 89, 0},
  {L"btnAdd",              TKind::MarginButton, L"pnlWallpaperButtons", L"&Add...", 0, 0, 75, 25, IDB_ADD},
  {L"btnRemove",           TKind::MarginButton, L"pnlWallpaperButtons", L"&Remove", 0, 29, 75, 25, IDB_REMOVE},
  {L"btnClear",            TKind::MarginButton, L"pnlWallpaperButtons", L"&Clear", 0, 58, 75, 25, IDB_CLEAR},

  {L"pnlSettings",          TKind::Panel,       nullptr, L"", 0, 210, 641, 169, 0},
  {L"filSettings",          TKind::HeaderBand,  L"pnlSettings", L"", 0, 0, 641, 41, 0},
  {L"imgSettings",          TKind::HeaderImage, L"pnlSettings", L"", 0, 0, 41, 41, IDR_GIF_SETTINGS},
  {L"lblSettings",          TKind::Title,       L"pnlSettings", L"Settings", 40, 0, 85, 30, 0},
  {L"lblSettingsDesc",      TKind::Description, L"pnlSettings",
     L"Change the Ombrelle settings to your precise needs.", 40, 26, 288, 16, 0},
  {L"pnlDesktopSettings",   TKind::Panel,       L"pnlSettings", L"", 8, 48, 217, 65, 0},
  {L"lblDesktopSettings",   TKind::GroupLabel,  L"pnlDesktopSettings", L"Desktop Settings:", 8, 0, 102, 13, 0},
  {L"bvlDesktopSettings",   TKind::GroupEdge,   L"pnlDesktopSettings", L"", 8, 16, 204, 5, 0},
  {L"chkRandomPointer",     TKind::Check,       L"pnlDesktopSettings", L"Random &mouse pointers", 16, 24, 144, 17, 0},
  {L"btnPointerSettings",   TKind::FlatButton,  L"pnlDesktopSettings", L"Settings...", 160, 24, 52, 17, 0},
  {L"chkRandomSSaver",      TKind::Check,       L"pnlDesktopSettings", L"Random &screen saver", 16, 44, 144, 17, 0},
  {L"btnSSaverSettings",    TKind::FlatButton,  L"pnlDesktopSettings", L"Settings...", 160, 44, 52, 17, 0},
  {L"pnlEngineSettings",    TKind::Panel,       L"pnlSettings", L"", 248, 48, 193, 73, 0},
  {L"lblEngineSettings",    TKind::GroupLabel,  L"pnlEngineSettings", L"Engine Settings:", 8, 0, 94, 13, 0},
  {L"bvlEngineSettings",    TKind::GroupEdge,   L"pnlEngineSettings", L"", 8, 16, 177, 5, 0},
  {L"chkTimer",             TKind::Check,       L"pnlEngineSettings", L"&Use random timer", 16, 24, 109, 17, 0},
  {L"pnlTimerStyle",        TKind::Panel,       L"pnlEngineSettings", L"", 16, 24, 169, 17, 0},
  {L"rdoTimerSecond",       TKind::Radio,       L"pnlTimerStyle", L"Second", 0, 0, 57, 17, 0},
  {L"rdoTimerMinute",       TKind::RadioChecked, L"pnlTimerStyle", L"Minute", 64, 0, 57, 17, 0},
  {L"rdoTimerHour",         TKind::Radio,       L"pnlTimerStyle", L"Hour", 128, 0, 41, 17, 0},
  {L"lblTimer",             TKind::TimerLabel,  L"pnlEngineSettings", L"minutes", 149, 25, 36, 13, 0},
  {L"trkTimer",             TKind::TrackBar,    L"pnlEngineSettings", L"", 6, 41, 190, 20, IDB_TRACK_THUMB},
  {L"Label1",               TKind::PixelFont,   L"pnlEngineSettings", L"1", 15, 62, 4, 5, 0},
  {L"Label2",               TKind::PixelFont,   L"pnlEngineSettings", L"60", 179, 62, 9, 5, 0},
  {L"pnlSystemSettings",    TKind::Panel,       L"pnlSettings", L"", 464, 48, 177, 65, 0},
  {L"lblSystemSettings",    TKind::GroupLabel,  L"pnlSystemSettings", L"System Settings:", 8, 0, 95, 13, 0},
  {L"bvlSystemSettings",    TKind::GroupEdge,   L"pnlSystemSettings", L"", 8, 16, 161, 5, 0},
  {L"chkRunAtStartup",      TKind::CheckOff,    L"pnlSystemSettings", L"Run at &Windows startup", 16, 24, 153, 17, 0},
  {L"chkTrayIcon",          TKind::Check,       L"pnlSystemSettings", L"Show system &tray icon", 16, 44, 153, 17, 0},
  {L"pnlWallpaperSettings", TKind::Panel,       L"pnlSettings", L"", 8, 116, 433, 53, 0},
  {L"lblWallpaperSettings", TKind::GroupLabel,  L"pnlWallpaperSettings", L"Wallpaper Settings:", 8, 0, 112, 13, 0},
  {L"bvlWallpaperSettings", TKind::GroupEdge,   L"pnlWallpaperSettings", L"", 8, 16, 417, 5, 0},
  {L"lblStretchMode",       TKind::Label,       L"pnlWallpaperSettings", L"&Stretch Mode:", 16, 28, 67, 13, 0},
  {L"cboStretchMode",       TKind::StretchCombo, L"pnlWallpaperSettings", L"", 88, 24, 109, 21, 0},
  {L"btnStretchModeHelp",   TKind::FlatButton,  L"pnlWallpaperSettings", L"?", 198, 24, 19, 21, 0},
  {L"lblBGColor",           TKind::Label,       L"pnlWallpaperSettings", L"&Background:", 226, 28, 61, 13, 0},
  {L"cboBGColor",           TKind::ColorCombo,  L"pnlWallpaperSettings", L"", 290, 23, 135, 22, 0},

  {L"pnlEngine",      TKind::Panel,          nullptr, L"", 0, 378, 641, 78, 0},
  {L"filEngine",      TKind::HeaderBand,     L"pnlEngine", L"", 0, 0, 641, 41, 0},
  {L"imgEngine",      TKind::HeaderImage,    L"pnlEngine", L"", 0, 0, 41, 41, IDR_GIF_ENGINE},
  {L"lblEngine",      TKind::Title,          L"pnlEngine", L"ZP Engine", 40, 0, 116, 30, 0},
  {L"lblEngineDesc",  TKind::Description,    L"pnlEngine", L"Start/Stop the Ombrelle engine.", 40, 26, 192, 16, 0},
  {L"btnAbout",       TKind::GlyphButton,    L"pnlEngine", L"", 8, 48, 25, 25, IDB_ABOUT},
  {L"imgDorvane",     TKind::Logo,           L"pnlEngine", L"", 34, 48, 60, 25, IDR_GIF_LOGO},
  {L"btnStart",       TKind::TwoGlyphButton, L"pnlEngine", L"Start", 128, 48, 75, 25, IDB_START},
  {L"btnStop",        TKind::TwoGlyphButton, L"pnlEngine", L"Stop", 203, 48, 75, 25, IDB_STOP},
  {L"lblNewSettings", TKind::HintLabel,      L"pnlEngine",
     L"For new settings to take\r\neffect, restart the engine.", 280, 47, 137, 27, 0},
  {L"btnExit",        TKind::GlyphButton,    L"pnlEngine", L"Close", 566, 48, 75, 25, IDB_CLOSE},
};
// clang-format on

const TColor kButtonFace = SystemColorFlag | COLOR_BTNFACE;
const TColor kButtonShadow = SystemColorFlag | COLOR_BTNSHADOW;

}  // namespace

void TfrmDorvane::BuildLayout() {
  std::map<std::wstring, TControl*> built;
  const HFONT windowFont = DefaultFont();
  TControl* previous = nullptr;
  for (const TControlDesc& d : kLayout) {
    HWND parent = d.parent ? built.at(d.parent)->Handle() : Handle();
    std::unique_ptr<TControl> control;
    switch (d.kind) {
      case TKind::Panel:
        control = std::make_unique<TPanel>(parent, d.left, d.top, d.width, d.height);
        break;
      case TKind::HeaderBand:
        control = std::make_unique<TGradientBand>(parent, d.left, d.top, d.width, d.height, kButtonFace, kButtonShadow,
                                                  126, gstHorizontal);
        break;
      case TKind::HeaderImage:
      case TKind::Logo: {
        auto box = std::make_unique<TPictureBox>(parent, d.left, d.top, d.width, d.height);
        if (d.kind == TKind::Logo) box->SetAutoSize(true);
        LoadGifResource(box->Picture(), d.resource);
        control = std::move(box);
        break;
      }
      case TKind::Title: {
        auto label = std::make_unique<TEffectLabel>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                    TTextEffect::Raised, true);
        TFontSpec title;
        title.Face = L"Times New Roman";
        title.Height = 24;
        title.Bold = true;
        title.CharSet = ANSI_CHARSET;
        label->SetOwnedFont(MakeFont(title));
        label->SetFontColor(RGBColor(128, 128, 255));
        label->SetGradient(true, RGBColor(0, 0, 128));
        control = std::move(label);
        break;
      }
      case TKind::Description:
        control = std::make_unique<TEffectLabel>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                 TTextEffect::Raised, false);
        break;
      case TKind::CountLabel: {
        auto label = std::make_unique<TEffectLabel>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                    TTextEffect::Raised, false);
        label->SetEndEllipsis(true);
        control = std::move(label);
        break;
      }
      case TKind::HintLabel: {
        auto label = std::make_unique<TEffectLabel>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                    TTextEffect::Sunken, true);
        label->SetVisible(false);
        control = std::move(label);
        break;
      }
      case TKind::Grid: {
        auto grid = std::make_unique<TFileGrid>(parent, d.left, d.top, d.width, d.height);
        grid->AddColumn(L"File name", 180, 50);
        grid->AddColumn(L"Path", 277, 50);
        grid->AddColumn(L"Position", 90, 80);
        control = std::move(grid);
        break;
      }
      case TKind::GlyphButton:
      case TKind::MarginButton:
      case TKind::TwoGlyphButton: {
        auto button = std::make_unique<TGlyphButton>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                     LoadGlyphResource(d.resource), d.kind == TKind::TwoGlyphButton ? 2 : 1);
        if (d.kind == TKind::MarginButton) button->SetMargin(5);
        control = std::move(button);
        break;
      }
      case TKind::GroupLabel: {
        auto label = std::make_unique<TLabel>(parent, d.left, d.top, d.width, d.height, d.caption);
        label->SetOwnedFont(DeriveFont(windowFont, true, false));
        control = std::move(label);
        break;
      }
      case TKind::GroupEdge: {
        auto edge = std::make_unique<TDrawnEdge>(parent, d.left, d.top, d.width, d.height);
        edge->SetEdge(BDR_SUNKENOUTER, BF_TOP);
        control = std::move(edge);
        break;
      }
      case TKind::Check:
      case TKind::CheckOff:
        control = std::make_unique<TCheckBox>(parent, d.caption, d.left, d.top, d.width, d.height,
                                              d.kind == TKind::Check);
        break;
      case TKind::FlatButton:
        control = std::make_unique<TFlatSpeedButton>(parent, d.left, d.top, d.width, d.height, d.caption);
        // A flat button belongs to the control made just before it and
        // follows it in tab order.
        if (previous && GetParent(previous->Handle()) == parent)
          SetWindowPos(control->Handle(), previous->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
      case TKind::Radio:
      case TKind::RadioChecked:
        control = std::make_unique<TRadioButton>(parent, d.caption, d.left, d.top, d.width, d.height,
                                                 d.kind == TKind::RadioChecked, std::wstring(d.name) == L"rdoTimerSecond");
        break;
      case TKind::TimerLabel: {
        auto label = std::make_unique<TLabel>(parent, d.left, d.top, d.width, d.height, d.caption);
        label->SetAlignment(TAlignment::Right);
        // "10 hours" must fit in any substitute font: the label grows to
        // the left from its right edge.
        label->SetAutoSize(true);
        label->SetFontColor(SystemColorFlag | COLOR_3DDKSHADOW);
        label->SetHandCursor(true);
        control = std::move(label);
        break;
      }
      case TKind::TrackBar: {
        auto track = std::make_unique<TTrackBar>(parent, d.left, d.top, d.width, d.height, 1, 60, 10);
        track->SetPageSize(5);
        track->SetTicks(29, 2);
        track->SetTrackWidth(6);
        track->SetTrackColor(RGBColor(0, 255, 0));
        track->SetThumb(LoadGlyphResource(d.resource));
        control = std::move(track);
        break;
      }
      case TKind::PixelFont: {
        auto label = std::make_unique<TPixelFont>(parent, d.left, d.top);
        label->SetSizeFactor(1);
        label->SetCaption(std::wstring(d.caption));
        control = std::move(label);
        break;
      }
      case TKind::Label:
        control = std::make_unique<TLabel>(parent, d.left, d.top, d.width, d.height, d.caption);
        break;
      case TKind::StretchCombo: {
        auto combo = std::make_unique<TComboBox>(parent, d.left, d.top, d.width, d.height,
                                                 std::vector<std::wstring>{L"Default Method", L"Dorvane Method"}, 13);
        combo->SetItemIndex(1);
        control = std::move(combo);
        break;
      }
      case TKind::ColorCombo:
        control = std::make_unique<TColorBox>(parent, d.left, d.top, d.width, d.height);
        break;
    }
    control->Name = d.name;
    built[d.name] = control.get();
    previous = control.get();
    components_.push_back(std::move(control));
  }

  auto find = [&](const wchar_t* name) { return built.at(name); };
  pnlWallpaper = static_cast<TPanel*>(find(L"pnlWallpaper"));
  filWallpaper = static_cast<TGradientBand*>(find(L"filWallpaper"));
  imgWallpaper = static_cast<TPictureBox*>(find(L"imgWallpaper"));
  lblWallpaper = static_cast<TEffectLabel*>(find(L"lblWallpaper"));
  lblWallpaperDesc = static_cast<TEffectLabel*>(find(L"lblWallpaperDesc"));
  lstFiles = static_cast<TFileGrid*>(find(L"lstFiles"));
  lblFileCount = static_cast<TEffectLabel*>(find(L"lblFileCount"));
  pnlWallpaperButtons = static_cast<TPanel*>(find(L"pnlWallpaperButtons"));
  btnAdd = static_cast<TGlyphButton*>(find(L"btnAdd"));
  btnRemove = static_cast<TGlyphButton*>(find(L"btnRemove"));
  btnClear = static_cast<TGlyphButton*>(find(L"btnClear"));
  pnlSettings = static_cast<TPanel*>(find(L"pnlSettings"));
  filSettings = static_cast<TGradientBand*>(find(L"filSettings"));
  imgSettings = static_cast<TPictureBox*>(find(L"imgSettings"));
  lblSettings = static_cast<TEffectLabel*>(find(L"lblSettings"));
  lblSettingsDesc = static_cast<TEffectLabel*>(find(L"lblSettingsDesc"));
  pnlDesktopSettings = static_cast<TPanel*>(find(L"pnlDesktopSettings"));
  lblDesktopSettings = static_cast<TLabel*>(find(L"lblDesktopSettings"));
  bvlDesktopSettings = static_cast<TDrawnEdge*>(find(L"bvlDesktopSettings"));
  chkRandomPointer = static_cast<TCheckBox*>(find(L"chkRandomPointer"));
  chkRandomSSaver = static_cast<TCheckBox*>(find(L"chkRandomSSaver"));
  btnPointerSettings = static_cast<TFlatSpeedButton*>(find(L"btnPointerSettings"));
  btnSSaverSettings = static_cast<TFlatSpeedButton*>(find(L"btnSSaverSettings"));
  pnlEngineSettings = static_cast<TPanel*>(find(L"pnlEngineSettings"));
  lblEngineSettings = static_cast<TLabel*>(find(L"lblEngineSettings"));
  bvlEngineSettings = static_cast<TDrawnEdge*>(find(L"bvlEngineSettings"));
  chkTimer = static_cast<TCheckBox*>(find(L"chkTimer"));
  pnlTimerStyle = static_cast<TPanel*>(find(L"pnlTimerStyle"));
  rdoTimerSecond = static_cast<TRadioButton*>(find(L"rdoTimerSecond"));
  rdoTimerMinute = static_cast<TRadioButton*>(find(L"rdoTimerMinute"));
  rdoTimerHour = static_cast<TRadioButton*>(find(L"rdoTimerHour"));
  lblTimer = static_cast<TLabel*>(find(L"lblTimer"));
  trkTimer = static_cast<TTrackBar*>(find(L"trkTimer"));
  Label1 = static_cast<TPixelFont*>(find(L"Label1"));
  Label2 = static_cast<TPixelFont*>(find(L"Label2"));
  pnlSystemSettings = static_cast<TPanel*>(find(L"pnlSystemSettings"));
  lblSystemSettings = static_cast<TLabel*>(find(L"lblSystemSettings"));
  bvlSystemSettings = static_cast<TDrawnEdge*>(find(L"bvlSystemSettings"));
  chkRunAtStartup = static_cast<TCheckBox*>(find(L"chkRunAtStartup"));
  chkTrayIcon = static_cast<TCheckBox*>(find(L"chkTrayIcon"));
  pnlWallpaperSettings = static_cast<TPanel*>(find(L"pnlWallpaperSettings"));
  lblWallpaperSettings = static_cast<TLabel*>(find(L"lblWallpaperSettings"));
  bvlWallpaperSettings = static_cast<TDrawnEdge*>(find(L"bvlWallpaperSettings"));
  lblStretchMode = static_cast<TLabel*>(find(L"lblStretchMode"));
  cboStretchMode = static_cast<TComboBox*>(find(L"cboStretchMode"));
  btnStretchModeHelp = static_cast<TFlatSpeedButton*>(find(L"btnStretchModeHelp"));
  lblBGColor = static_cast<TLabel*>(find(L"lblBGColor"));
  cboBGColor = static_cast<TColorBox*>(find(L"cboBGColor"));
  pnlEngine = static_cast<TPanel*>(find(L"pnlEngine"));
  filEngine = static_cast<TGradientBand*>(find(L"filEngine"));
  imgEngine = static_cast<TPictureBox*>(find(L"imgEngine"));
  lblEngine = static_cast<TEffectLabel*>(find(L"lblEngine"));
  lblEngineDesc = static_cast<TEffectLabel*>(find(L"lblEngineDesc"));
  btnAbout = static_cast<TGlyphButton*>(find(L"btnAbout"));
  imgDorvane = static_cast<TPictureBox*>(find(L"imgDorvane"));
  btnStart = static_cast<TGlyphButton*>(find(L"btnStart"));
  btnStop = static_cast<TGlyphButton*>(find(L"btnStop"));
  lblNewSettings = static_cast<TEffectLabel*>(find(L"lblNewSettings"));
  btnExit = static_cast<TGlyphButton*>(find(L"btnExit"));

  // The labels' mnemonics lead to their controls; the timer unit panel
  // starts hidden over the check box.
  lblStretchMode->SetFocusControl(cboStretchMode->Handle());
  lblBGColor->SetFocusControl(cboBGColor->Handle());
  pnlTimerStyle->SetVisible(false);

  dlgAddFile = std::make_unique<TOpenPictureDialog>();
  dlgAddFile->Title = L"Add Wallpaper";
  dlgAddFile->OnPreviewLoaded = FitPreview;
  dlgAddFile->Filters = {
      {L"All Supported Files", L"*.bmp;*.jpg;*.jpeg;*.jpe;*.jfif;*.gif"},
      {L"Bitmap Files (*.bmp)", L"*.bmp"},
      {L"JPEG Image Files (*.jpg; *.jpeg; *.jpe; *.jfif)", L"*.jpg;*.jpeg;*.jpe;*.jfif"},
      {L"GIF Images (*.gif)", L"*.gif"},
      {L"All Files (*.*)", L"*.*"},
  };
}

void TfrmDorvane::BindHandlers() {
  lstFiles->OnGetText = [this](int row, int column) {
    std::wstring text;
    lstFilesGetText(row, column, text);
    return text;
  };
  lstFiles->OnBeforeCellPaint = [this](HDC dc, int row, int column, const RECT& cell) {
    lstFilesBeforeCellPaint(dc, row, column, cell);
  };
  lstFiles->OnDblClick = [this] { lstFilesDblClick(); };
  lstFiles->OnKeyDown = [this](WORD& key, TGridShiftState shift) { lstFilesKeyDown(key, shift); };
  lstFiles->OnColumnClick = [this](int column, TGridShiftState shift) { lstFilesColumnClick(column, shift); };
  lstFiles->OnChange = [this](int row) { lstFilesChange(row); };
  lstFiles->OnEditing = [this](int row, int column, bool& allowed) { lstFilesEditing(row, column, allowed); };
  lstFiles->OnCreateEditor = [this](int row, int column, TEditLinkPtr& link) {
    lstFilesCreateEditor(row, column, link);
  };

  btnAdd->OnClick = [this](TControl&) { btnAddClick(); };
  btnRemove->OnClick = [this](TControl&) { btnRemoveClick(); };
  btnClear->OnClick = [this](TControl&) { btnClearClick(); };

  chkRandomPointer->OnClick = [this](TControl&) { chkRandomPointerClick(); };
  chkRandomSSaver->OnClick = [this](TControl&) { chkRandomSSaverClick(); };
  btnPointerSettings->OnClick = [this](TControl&) { btnPointerSettingsClick(); };
  btnSSaverSettings->OnClick = [this](TControl&) { btnSSaverSettingsClick(); };
  chkTimer->OnClick = [this](TControl&) { chkTimerClick(); };
  trkTimer->OnChange = [this](TTrackBar&) { trkTimerChange(); };
  lblTimer->OnClick = [this](TControl&) { lblTimerClick(); };
  for (TControl* unit : std::initializer_list<TControl*>{pnlTimerStyle, rdoTimerSecond, rdoTimerMinute, rdoTimerHour})
    unit->OnMouseDown = [this](TControl& sender, TMouseButton button, int, int) { rdoTimerMouseDown(sender, button); };
  cboStretchMode->OnChange = [this](TComboBox&) { cboStretchModeChange(); };
  btnStretchModeHelp->OnClick = [this](TControl&) { btnStretchModeHelpClick(); };

  btnAbout->OnClick = [this](TControl&) { btnAboutClick(); };
  btnStart->OnClick = [this](TControl& sender) { btnStartStopClick(sender); };
  btnStop->OnClick = [this](TControl& sender) { btnStartStopClick(sender); };
  btnExit->OnClick = [this](TControl&) { btnExitClick(); };

  // The application-wide message hook ("ApplicationEvents").
  Application().OnMessage = [this](MSG& msg, bool& handled) { ApplicationEventsMessage(msg, handled); };
}
