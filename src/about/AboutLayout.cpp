// The window description of the About window: every control with its kind,
// parent, caption, place and size, in the order they are created.
#include "about/About.h"
#include "gui/Bitmap.h"
#include "gui/GraphicError.h"
#include "gui/Picture.h"
#include "gui/ResourcePicture.h"
#include "gui/Stream.h"
#include "gui/WindowBuilder.h"
#include "maker.h"
#include "resource.h"
#include "widgets/Bevel.h"
#include "widgets/EffectLabel.h"
#include "widgets/GlyphButton.h"
#include "widgets/GradientBand.h"
#include "widgets/Label.h"
#include "widgets/LinkLabel.h"
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
  WebLink,       // blue, underlined, hand cursor, a tab stop
  PageLink,      // green, underlined, hand cursor, a tab stop
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
const TRowFont kLinkFont{nullptr, 0, false, true};
const TRowFont kHeadingFont{nullptr, 13, true};

// clang-format off
const TControlRow<TfrmAbout, TKind> kLayout[] = {
  {L"filAbout", TKind::Band, nullptr, L"", {0, 0, 370, 89}, 0, &TfrmAbout::filAbout},
  {L"Image4", TKind::Gif, nullptr, L"", {91, 22, 270, 50}, IDR_GIF_ABOUT_LOGO, &TfrmAbout::Image4},
  {L"Image1", TKind::Gif, nullptr, L"", {8, 8, 73, 73}, IDR_GIF_ABOUT_ICON, &TfrmAbout::Image1},
  {L"lblVersion", TKind::CentredLabel, nullptr, L"", {88, 70, 277, 13}, 0, &TfrmAbout::lblVersion},
  {L"Label3", TKind::Label, nullptr, kLegalNotice, {8, 96, 0, 0}, 0, &TfrmAbout::Label3},
  {L"Bevel1", TKind::BottomLine, nullptr, L"", {8, 80, 353, 9}, 0, &TfrmAbout::Bevel1},
  {L"Image3", TKind::Gif, nullptr, L"", {8, 121, 32, 32}, IDR_GIF_ABOUT_SMALL, &TfrmAbout::Image3},
  {L"Label4", TKind::Label, nullptr, L"Quillon Website:", {48, 122, 0, 0}, 0, &TfrmAbout::Label4},
  {L"Label5", TKind::Label, nullptr, L"Technical Support:", {48, 138, 0, 0}, 0, &TfrmAbout::Label5},
  {L"lblWebsite", TKind::WebLink, nullptr, kMakerHost, {144, 122, 0, 0}, 0, &TfrmAbout::lblWebsite, &kLinkFont},
  {L"lblEmail", TKind::WebLink, nullptr, kSupportMail, {144, 138, 0, 0}, 0, &TfrmAbout::lblEmail, &kLinkFont},
  {L"lblWarning", TKind::Warning, nullptr, L"Warning:", {8, 160, 0, 0}, 0, &TfrmAbout::lblWarning},
  {L"Label8", TKind::WrapLabel, nullptr, kWarningText, {16, 176, 345, 57}, 0, &TfrmAbout::Label8},
  {L"Label2", TKind::BandTitle, nullptr, L"Ombrelle", {300, 12, 60, 13}, 0, &TfrmAbout::Label2},
  {L"GroupBox1", TKind::GroupBox, nullptr, L"", {8, 232, 353, 187}, 0, &TfrmAbout::GroupBox1},
  {L"Panel1", TKind::Panel, nullptr, L"", {8, 426, 353, 25}, 0, &TfrmAbout::Panel1},

  {L"Image2", TKind::Bullet, L"GroupBox1", L"", {5, 10, 9, 11}, IDB_BULLET, &TfrmAbout::Image2},
  {L"lblMoreWallpapers", TKind::Heading, L"GroupBox1", L"Do you want more wallpapers?", {17, 7, 0, 0}, 0, &TfrmAbout::lblMoreWallpapers, &kHeadingFont},
  {L"lblAddLink", TKind::PageLinkRight, L"GroupBox1", L"Add my website here!", {244, 169, 101, 13}, 0, &TfrmAbout::lblAddLink, &kLinkFont},
  {L"lblLinksError", TKind::ErrorLabel, L"GroupBox1", L"", {8, 40, 337, 13}, 0, &TfrmAbout::lblLinksError},
  {L"lblUpdateLink", TKind::PageLink, L"GroupBox1", L"Update links", {6, 169, 0, 0}, 0, &TfrmAbout::lblUpdateLink, &kLinkFont},
  {L"lblLinksDate", TKind::DateLabel, L"GroupBox1", L"", {294, 10, 51, 13}, 0, &TfrmAbout::lblLinksDate},
  {L"scbLinks", TKind::ScrollBox, L"GroupBox1", L"", {8, 32, 337, 139}, 0, &TfrmAbout::scbLinks},

  {L"btnOK", TKind::OkButton, L"Panel1", L"OK", {278, 0, 75, 25}, IDB_OK, &TfrmAbout::btnOK},
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

std::unique_ptr<TLabel> MakeLabel(const TMakeRequest& r) {
  return std::make_unique<TLabel>(r.Parent, r.Bounds, r.Caption);
}

// A label sized to its caption whose right edge stays where the description
// puts it, also when the caption changes later.
void AlignRight(TLabel& label, const TBounds& box) {
  label.SetAutoSize(true);
  label.SetAlignment(TAlignment::Right);
  const int right = box.Left + box.Width;
  label.SetBounds(right - label.Width(), box.Top, label.Width(), label.Height());
}

std::unique_ptr<TControl> MakeControl(TKind kind, const TMakeRequest& r) {
  const HWND parent = r.Parent;
  switch (kind) {
    case TKind::Band:
      return std::make_unique<TGradientBand>(parent, r.Bounds, kButtonShadow, kButtonFace, 164, gstDiagonalUp);
    case TKind::Gif: {
      auto box = std::make_unique<TPictureBox>(parent, r.Bounds);
      box->SetAutoSize(true);
      LoadGifResource(box->Picture(), r.Resource);
      return box;
    }
    case TKind::Bullet: {
      auto box = std::make_unique<TPictureBox>(parent, r.Bounds);
      LoadBitmapResource(*box, r.Resource);
      return box;
    }
    case TKind::Label:
      return MakeLabel(r);
    case TKind::CentredLabel:
    case TKind::ErrorLabel: {
      auto label = MakeLabel(r);
      label->SetAlignment(TAlignment::Center);
      label->SetWordWrap(kind == TKind::ErrorLabel);
      return label;
    }
    case TKind::WrapLabel: {
      auto label = MakeLabel(r);
      label->SetWordWrap(true);
      return label;
    }
    case TKind::BandTitle: {
      auto label = MakeLabel(r);
      label->SetFontColor(kButtonFace);
      return label;
    }
    case TKind::WebLink:
    case TKind::PageLink:
    case TKind::PageLinkRight: {
      auto label = std::make_unique<TLinkLabel>(r.Parent, r.Bounds, r.Caption);
      label->SetFontColor(kind == TKind::WebLink ? RGBColor(0, 0, 255) : RGBColor(0, 128, 0));
      label->SetHandCursor(true);
      return label;
    }
    case TKind::DateLabel: {
      auto label = MakeLabel(r);
      label->SetFontColor(SystemColorFlag | COLOR_GRAYTEXT);
      return label;
    }
    case TKind::Warning:
      return std::make_unique<TEffectLabel>(parent, r.Bounds, r.Caption, TTextEffect::Raised, false);
    case TKind::Heading:
      return std::make_unique<TEffectLabel>(parent, r.Bounds, r.Caption, TTextEffect::None, true);
    case TKind::BottomLine:
      return std::make_unique<TBevel>(parent, r.Bounds, bsBottomLine, bsLowered);
    case TKind::GroupBox:
      return std::make_unique<TGroupBox>(parent, r.Bounds);
    case TKind::Panel:
      return std::make_unique<TPanel>(parent, r.Bounds);
    case TKind::ScrollBox: {
      auto box = std::make_unique<TScrollBox>(parent, r.Bounds);
      // The list lies over the error label, which shows only when the
      // list is hidden.
      SetWindowPos(box->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return box;
    }
    case TKind::OkButton: {
      auto button = std::make_unique<TGlyphButton>(parent, r.Bounds, r.Caption, LoadGlyphResource(r.Resource), 1, true);
      // The dialog manager finds the default button by its identifier
      // when Enter is pressed.
      SetWindowLongPtrW(button->Handle(), GWLP_ID, IDOK);
      return button;
    }
  }
  return nullptr;
}

// Sizes that depend on the font: right-aligned labels fit their caption.
void AfterFont(TKind kind, const TMakeRequest& r, TControl& control) {
  if (kind == TKind::BandTitle || kind == TKind::PageLinkRight || kind == TKind::DateLabel)
    AlignRight(static_cast<TLabel&>(control), r.Bounds);
}

TBuildSteps<TKind> Steps(HFONT windowFont, int dpi) {
  TBuildSteps<TKind> steps;
  steps.Make = MakeControl;
  steps.AfterFont = AfterFont;
  steps.WindowFont = windowFont;
  steps.WindowFontOnAll = true;
  steps.Dpi = dpi;
  return steps;
}

}  // namespace

void TfrmAbout::BuildLayout() {
  BuildControls<TfrmAbout, TKind>(*this, Handle(), kLayout, Steps(DefaultFont(), Dpi()), controls_);
  // Hovering a contact line shows the full address behind it.
  lblWebsite->SetHint(kMakerSite);
  lblEmail->SetHint(kSupportMail);
  // The tab order follows the z-order, which labels take from the top as
  // they are made: the web site comes before the mail.
  SetWindowPos(lblEmail->Handle(), lblWebsite->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmAbout::ScaleLayout() { ScaleControls<TfrmAbout, TKind>(kLayout, Steps(DefaultFont(), Dpi()), controls_); }

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
