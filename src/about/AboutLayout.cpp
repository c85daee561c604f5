// The window description of the About window: every control with its kind,
// parent, caption, place and size, in the order they are created.
#include <map>

#include "about/About.h"
#include "gui/Bitmap.h"
#include "gui/GraphicError.h"
#include "gui/Picture.h"
#include "gui/ResourcePicture.h"
#include "gui/Stream.h"
#include "maker.h"
#include "resource.h"
#include "widgets/Bevel.h"
#include "widgets/EffectLabel.h"
#include "widgets/Font.h"
#include "widgets/GlyphButton.h"
#include "widgets/GradientBand.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"
#include "widgets/ScrollBox.h"

namespace {

enum class TKind {
  Band,          // diagonal gradient from button shadow to button face
  Gif,           // GIF picture from the resources, sized to the picture
  Bullet,        // transparent bitmap from the resources
  Label,         // sized to its caption
  CentredLabel,  // fixed size, centred, transparent over the band
  WrapLabel,     // fixed size, word-wrapped
  ErrorLabel,    // fixed size, centred, word-wrapped
  BandTitle,     // button-face lettering, right-aligned
  WebLink,       // blue, underlined, hand cursor
  PageLink,      // green, underlined, hand cursor
  PageLinkRight,
  DateLabel,  // grey text, right-aligned
  Warning,    // raised lettering
  Heading,    // bold 10 point with a shadow
  BottomLine,
  GroupBox,
  Panel,
  ScrollBox,
  OkButton,
};

// Right-aligned labels are sized to their caption and keep the right edge
// of their box (left + width).
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
  {L"filAbout",   TKind::Band,         nullptr, L"", 0, 0, 370, 89, 0},
  {L"Image4",     TKind::Gif,          nullptr, L"", 91, 22, 270, 50, IDR_GIF_ABOUT_LOGO},
  {L"Image1",     TKind::Gif,          nullptr, L"", 8, 8, 73, 73, IDR_GIF_ABOUT_ICON},
  {L"lblVersion", TKind::CentredLabel, nullptr, L"", 88, 70, 277, 13, 0},
  {L"Label3",     TKind::Label,        nullptr, kLegalNotice, 8, 96, 0, 0, 0},
  {L"Bevel1",     TKind::BottomLine,   nullptr, L"", 8, 80, 353, 9, 0},
  {L"Image3",     TKind::Gif,          nullptr, L"", 8, 121, 32, 32, IDR_GIF_ABOUT_SMALL},
  {L"Label4",     TKind::Label,        nullptr, L"Quillon Website:", 48, 122, 0, 0, 0},
  {L"Label5",     TKind::Label,        nullptr, L"Technical Support:", 48, 138, 0, 0, 0},
  {L"lblWebsite", TKind::WebLink,      nullptr, kMakerHost, 144, 122, 0, 0, 0},
  {L"lblEmail",   TKind::WebLink,      nullptr, kSupportMail, 144, 138, 0, 0, 0},
  {L"lblWarning", TKind::Warning,      nullptr, L"Warning:", 8, 160, 0, 0, 0},
  {L"Label8",     TKind::WrapLabel,    nullptr, kWarningText, 16, 176, 345, 57, 0},
  {L"Label2",     TKind::BandTitle,    nullptr, L"Ombrelle", 300, 12, 60, 13, 0},
  {L"GroupBox1",  TKind::GroupBox,     nullptr, L"", 8, 232, 353, 187, 0},
  {L"Panel1",     TKind::Panel,        nullptr, L"", 8, 426, 353, 25, 0},

  {L"Image2",            TKind::Bullet,        L"GroupBox1", L"", 5, 10, 9, 11, IDB_BULLET},
  {L"lblMoreWallpapers", TKind::Heading,       L"GroupBox1", L"Do you want more wallpapers?", 17, 7, 0, 0, 0},
  {L"lblAddLink",        TKind::PageLinkRight, L"GroupBox1", L"Add my website here!", 244, 169, 101, 13, 0},
  {L"lblLinksError",     TKind::ErrorLabel,    L"GroupBox1", L"", 8, 40, 337, 13, 0},
  {L"lblUpdateLink",     TKind::PageLink,      L"GroupBox1", L"Update links", 6, 169, 0, 0, 0},
  {L"lblLinksDate",      TKind::DateLabel,     L"GroupBox1", L"", 294, 10, 51, 13, 0},
  {L"scbLinks",          TKind::ScrollBox,     L"GroupBox1", L"", 8, 32, 337, 139, 0},

  {L"btnOK", TKind::OkButton, L"Panel1", L"OK", 278, 0, 75, 25, IDB_OK},
};
// clang-format on

const TColor kButtonFace = SystemColorFlag | COLOR_BTNFACE;
const TColor kButtonShadow = SystemColorFlag | COLOR_BTNSHADOW;

void LoadBitmapResource(TPictureBox& box, int id) {
  auto bitmap = std::make_unique<TBitmap>();
  try {
    bitmap->LoadFromResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
  } catch (const EInvalidGraphic&) {
    return;
  }
  bitmap->SetTransparent(true);
  box.SetGraphic(std::move(bitmap));
}

// The window font in another size and weight.
TFontOwner ResizeFont(HFONT base, int height, bool bold) {
  LOGFONTW lf{};
  if (!base || !GetObjectW(base, sizeof lf, &lf)) GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfHeight = -height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return TFontOwner(CreateFontIndirectW(&lf));
}

std::unique_ptr<TLabel> MakeLabel(HWND parent, const TControlDesc& d) {
  return std::make_unique<TLabel>(parent, d.left, d.top, d.width, d.height, d.caption);
}

// A label sized to its caption whose right edge stays where the description
// puts it, also when the caption changes later.
template <class T>
void AlignRight(T& label, const TControlDesc& d) {
  label.SetAutoSize(true);
  label.SetAlignment(TAlignment::Right);
  const int right = d.left + d.width;
  label.SetBounds(right - label.Width(), d.top, label.Width(), label.Height());
}

}  // namespace

void TfrmAbout::BuildLayout() {
  std::map<std::wstring, TControl*> built;
  const HFONT windowFont = DefaultFont();
  for (const TControlDesc& d : kLayout) {
    HWND parent = d.parent ? built.at(d.parent)->Handle() : Handle();
    std::unique_ptr<TControl> control;
    // Settings that depend on the font (sizes, right edges) wait until the
    // font is set below.
    std::function<void()> afterFont;
    switch (d.kind) {
      case TKind::Band:
        control = std::make_unique<TGradientBand>(parent, d.left, d.top, d.width, d.height, kButtonShadow, kButtonFace,
                                                  164, gstDiagonalUp);
        break;
      case TKind::Gif: {
        auto box = std::make_unique<TPictureBox>(parent, d.left, d.top, d.width, d.height);
        box->SetAutoSize(true);
        LoadGifResource(box->Picture(), d.resource);
        control = std::move(box);
        break;
      }
      case TKind::Bullet: {
        auto box = std::make_unique<TPictureBox>(parent, d.left, d.top, d.width, d.height);
        LoadBitmapResource(*box, d.resource);
        control = std::move(box);
        break;
      }
      case TKind::Label:
        control = MakeLabel(parent, d);
        break;
      case TKind::CentredLabel:
      case TKind::ErrorLabel: {
        auto label = MakeLabel(parent, d);
        label->SetAlignment(TAlignment::Center);
        label->SetWordWrap(d.kind == TKind::ErrorLabel);
        control = std::move(label);
        break;
      }
      case TKind::WrapLabel: {
        auto label = MakeLabel(parent, d);
        label->SetWordWrap(true);
        control = std::move(label);
        break;
      }
      case TKind::BandTitle: {
        auto label = MakeLabel(parent, d);
        label->SetFontColor(kButtonFace);
        TLabel* raw = label.get();
        afterFont = [raw, &d] { AlignRight(*raw, d); };
        control = std::move(label);
        break;
      }
      case TKind::WebLink:
      case TKind::PageLink:
      case TKind::PageLinkRight: {
        auto label = MakeLabel(parent, d);
        label->SetFontColor(d.kind == TKind::WebLink ? RGBColor(0, 0, 255) : RGBColor(0, 128, 0));
        label->SetHandCursor(true);
        TLabel* raw = label.get();
        const bool right = d.kind == TKind::PageLinkRight;
        afterFont = [raw, &d, windowFont, right] {
          raw->SetOwnedFont(DeriveFont(windowFont, false, true));
          if (right) AlignRight(*raw, d);
        };
        control = std::move(label);
        break;
      }
      case TKind::DateLabel: {
        auto label = MakeLabel(parent, d);
        label->SetFontColor(SystemColorFlag | COLOR_GRAYTEXT);
        TLabel* raw = label.get();
        afterFont = [raw, &d] { AlignRight(*raw, d); };
        control = std::move(label);
        break;
      }
      case TKind::Warning:
        control = std::make_unique<TEffectLabel>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                 TTextEffect::Raised, false);
        break;
      case TKind::Heading: {
        auto label = std::make_unique<TEffectLabel>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                    TTextEffect::None, true);
        TEffectLabel* raw = label.get();
        afterFont = [raw, windowFont] { raw->SetOwnedFont(ResizeFont(windowFont, 13, true)); };
        control = std::move(label);
        break;
      }
      case TKind::BottomLine:
        control = std::make_unique<TBevel>(parent, d.left, d.top, d.width, d.height, bsBottomLine, bsLowered);
        break;
      case TKind::GroupBox:
        control = std::make_unique<TGroupBox>(parent, d.left, d.top, d.width, d.height);
        break;
      case TKind::Panel:
        control = std::make_unique<TPanel>(parent, d.left, d.top, d.width, d.height);
        break;
      case TKind::ScrollBox: {
        auto box = std::make_unique<TScrollBox>(parent, d.left, d.top, d.width, d.height);
        // The list lies over the error label, which shows only when the
        // list is hidden.
        SetWindowPos(box->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        control = std::move(box);
        break;
      }
      case TKind::OkButton:
        control = std::make_unique<TGlyphButton>(parent, d.left, d.top, d.width, d.height, d.caption,
                                                 LoadGlyphResource(d.resource), 1, true);
        // The dialog manager finds the default button by its identifier
        // when Enter is pressed.
        SetWindowLongPtrW(control->Handle(), GWLP_ID, IDOK);
        break;
    }
    control->Name = d.name;
    control->SetFont(windowFont);
    if (afterFont) afterFont();
    built[d.name] = control.get();
    components_.push_back(std::move(control));
  }

  auto find = [&](const wchar_t* name) { return built.at(name); };
  filAbout = static_cast<TGradientBand*>(find(L"filAbout"));
  Image4 = static_cast<TPictureBox*>(find(L"Image4"));
  Image1 = static_cast<TPictureBox*>(find(L"Image1"));
  lblVersion = static_cast<TLabel*>(find(L"lblVersion"));
  Label3 = static_cast<TLabel*>(find(L"Label3"));
  Bevel1 = static_cast<TBevel*>(find(L"Bevel1"));
  Image3 = static_cast<TPictureBox*>(find(L"Image3"));
  Label4 = static_cast<TLabel*>(find(L"Label4"));
  Label5 = static_cast<TLabel*>(find(L"Label5"));
  lblWebsite = static_cast<TLabel*>(find(L"lblWebsite"));
  lblEmail = static_cast<TLabel*>(find(L"lblEmail"));
  lblWarning = static_cast<TEffectLabel*>(find(L"lblWarning"));
  Label8 = static_cast<TLabel*>(find(L"Label8"));
  Label2 = static_cast<TLabel*>(find(L"Label2"));
  GroupBox1 = static_cast<TGroupBox*>(find(L"GroupBox1"));
  Panel1 = static_cast<TPanel*>(find(L"Panel1"));
  Image2 = static_cast<TPictureBox*>(find(L"Image2"));
  lblMoreWallpapers = static_cast<TEffectLabel*>(find(L"lblMoreWallpapers"));
  lblAddLink = static_cast<TLabel*>(find(L"lblAddLink"));
  lblLinksError = static_cast<TLabel*>(find(L"lblLinksError"));
  lblUpdateLink = static_cast<TLabel*>(find(L"lblUpdateLink"));
  lblLinksDate = static_cast<TLabel*>(find(L"lblLinksDate"));
  scbLinks = static_cast<TScrollBox*>(find(L"scbLinks"));
  btnOK = static_cast<TGlyphButton*>(find(L"btnOK"));

  // Hovering a contact line shows the full address behind it.
  lblWebsite->SetHint(kMakerSite);
  lblEmail->SetHint(kSupportMail);
}

void TfrmAbout::BindHandlers() {
  for (TLabel* link : {lblWebsite, lblEmail}) {
    link->OnClick = [this](TControl& sender) { lblWebsiteClick(sender); };
    link->OnMouseEnter = [this](TControl& sender) { lblLinksMouseEnter(sender); };
    link->OnMouseLeave = [this](TControl& sender) { lblLinksMouseLeave(sender); };
  }
  for (TLabel* link : {lblAddLink, lblUpdateLink}) {
    link->OnMouseEnter = [this](TControl& sender) { lblAddLinkMouseEnter(sender); };
    link->OnMouseLeave = [this](TControl& sender) { lblAddLinkMouseLeave(sender); };
  }
  lblAddLink->OnClick = [this](TControl& sender) { lblAddLinkClick(sender); };
  lblUpdateLink->OnClick = [this](TControl& sender) { lblUpdateLinkClick(sender); };

  btnOK->OnClick = [this](TControl&) { SetModalResult(mrOk); };
  DefaultButton = btnOK;
  CancelButton = btnOK;
}
