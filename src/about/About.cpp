#include "about/About.h"

#include "about/AboutLinks.h"
#include "about/VerInfo.h"
#include "gui/AnsiText.h"
#include "gui/Application.h"
#include "widgets/GlyphButton.h"
#include "widgets/Label.h"
#include "widgets/ScrollBox.h"

namespace {

const wchar_t kFindLinksError[] = L"Unable to find the external links file!";
const wchar_t kShowLinksError[] = L"Unable to load links!";

constexpr TColor kWebLinkHot = RGBColor(80, 80, 255);
constexpr TColor kWebLinkColor = RGBColor(0, 0, 255);
constexpr TColor kPageLinkHot = RGBColor(128, 128, 0);
constexpr TColor kPageLinkColor = RGBColor(0, 128, 0);

void SetLabelColor(TControl& sender, TColor color) {
  if (auto* label = dynamic_cast<TLabel*>(&sender)) label->SetFontColor(color);
}

}  // namespace

TfrmAbout::TfrmAbout(std::wstring programFolder)
    : OpenAddress(ShellOpenAddress), programFolder_(std::move(programFolder)) {
  if (!programFolder_.empty() && programFolder_.back() != L'\\' && programFolder_.back() != L'/')
    programFolder_ += L'\\';
  linksFile_ = programFolder_ + LinksFileName;
}

TfrmAbout::~TfrmAbout() {
  // The library goes before the controls it filled, whichever way the
  // window ends (also when its modal loop never reached FormClose).
  ReleaseLinks();
}

void TfrmAbout::Create(HWND owner) {
  static const TFormDesc desc{
      L"TfrmAbout", L"About Ombrelle", 370, 457, TBorderStyle::Dialog, TFormPosition::OwnerFormCenter, false};
  TForm::Create(desc, owner);
}

void TfrmAbout::CreateControls() {
  BuildLayout();
  BindHandlers();
}

void TfrmAbout::FormCreate() {
  ShowVersion();
  LoadLinks();
  ShowLinksDate();
  // The links are tab stops before OK, but the window opens on OK: Enter
  // and Escape close it at once.
  RememberFocus(btnOK->Handle());
}

bool TfrmAbout::KeyPreview(MSG& msg) {
  // The links library's link controls open on Enter themselves.
  return msg.message == WM_KEYDOWN && msg.wParam == VK_SPACE && scbLinks && scbLinks->ActivateLink(msg.hwnd);
}

void TfrmAbout::FormClose() { ReleaseLinks(); }

void TfrmAbout::ShowVersion() {
  std::wstring version;
  std::wstring build;
  {
    TVersionInfo info;
    version = AnsiToWide(info.GetVersionString(9));
    build = std::to_wstring(info.GetVersionNumber(3));
  }
  lblVersion->SetCaption(version.empty() ? std::wstring() : L"Version " + version + L"  (Build " + build + L")");
}

void TfrmAbout::LoadLinks() {
  linksHandle_ = LoadLinksLibrary(linksFile_);
  if (!linksHandle_) {
    lblLinksError->SetCaption(kFindLinksError);
    scbLinks->SetVisible(false);
    return;
  }
  // Through a plain function pointer type: the export's real type is only
  // known from the contract.
  auto entry = reinterpret_cast<void (*)()>(GetProcAddress(linksHandle_.get(), ShowLinksExportName));
  showLinksProc_ = reinterpret_cast<TShowLinksProc>(entry);
  if (!showLinksProc_) {
    // The library stays loaded until the window closes.
    lblLinksError->SetCaption(kShowLinksError);
    scbLinks->SetVisible(false);
    return;
  }
  showLinksProc_(Handle(), scbLinks->Handle());
  scbLinks->Realign();
}

void TfrmAbout::ShowLinksDate() {
  const std::wstring date = FileDateText(linksFile_);
  lblLinksDate->SetCaption(date.empty() ? std::wstring() : std::wstring(LinksFileName) + L" - " + date);
}

void TfrmAbout::ReleaseLinks() {
  showLinksProc_ = nullptr;
  if (!linksHandle_) return;
  // The library's controls are of system classes and outlive it; a window
  // that still runs the library's own code would not, so it goes first.
  if (scbLinks && scbLinks->Handle()) DestroyWindowsOfModule(scbLinks->Handle(), linksHandle_.get());
  linksHandle_.reset();
}

void TfrmAbout::lblLinksMouseEnter(TControl& sender) { SetLabelColor(sender, kWebLinkHot); }

void TfrmAbout::lblLinksMouseLeave(TControl& sender) { SetLabelColor(sender, kWebLinkColor); }

void TfrmAbout::lblAddLinkMouseEnter(TControl& sender) { SetLabelColor(sender, kPageLinkHot); }

void TfrmAbout::lblAddLinkMouseLeave(TControl& sender) { SetLabelColor(sender, kPageLinkColor); }

std::wstring TfrmAbout::WebsiteClickAddress(const TControl& sender) const {
  return &sender == lblWebsite ? MakerHomeAddress() : SupportMailAddress();
}

void TfrmAbout::lblWebsiteClick(TControl& sender) {
  if (OpenAddress) OpenAddress(Application().Handle(), WebsiteClickAddress(sender));
}

void TfrmAbout::lblAddLinkClick(TControl&) {
  if (OpenAddress) OpenAddress(nullptr, MakerPageAddress(L"/dorvane/addwp.asp"));
}

void TfrmAbout::lblUpdateLinkClick(TControl&) {
  if (OpenAddress) OpenAddress(nullptr, MakerPageAddress(L"/dorvane/download.asp"));
}

void ShowAboutWindow(HWND owner) {
  auto about = std::make_unique<TfrmAbout>();
  about->Create(owner);
  about->ShowModal();
}
