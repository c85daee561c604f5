// The About window in-process: its controls, the version line, the keys and
// buttons that close it, the hover colours and the addresses its labels open.
#include <gtest/gtest.h>

#include <utility>

#include "AboutTestKit.h"
#include "gui/Application.h"
#include "widgets/Bevel.h"
#include "widgets/EffectLabel.h"
#include "widgets/GlyphButton.h"
#include "widgets/GradientBand.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"
#include "widgets/ScrollBox.h"

namespace {

struct TOpened {
  HWND Owner;
  std::wstring Address;
};

HWND s_owner = nullptr;
HWND s_ok = nullptr;
bool s_ownerEnabled = true;

// Runs from the modal loop: notes whether the owner is enabled, presses OK.
void CALLBACK LookAtOwner(HWND, UINT, UINT_PTR, DWORD) {
  s_ownerEnabled = IsWindowEnabled(s_owner);
  PostMessageW(s_ok, BM_CLICK, 0, 0);
}

class AboutWindow : public ::testing::Test {
 protected:
  // A window over an empty program folder, with the shell replaced by a
  // record of what would be opened.
  std::unique_ptr<TfrmAbout> Open(HWND owner = nullptr) {
    auto form = std::make_unique<TfrmAbout>(folder_.Path());
    form->Create(owner);
    form->OpenAddress = [this](HWND ownerWindow, const std::wstring& address) {
      opened_.push_back({ownerWindow, address});
    };
    return form;
  }

  static void Click(TControl& control) {
    SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }

  TAboutFolder folder_;
  std::vector<TOpened> opened_;
};

TEST_F(AboutWindow, IsAFixedDialogWithTheWindowFont) {
  auto form = Open();
  EXPECT_EQ(form->Caption(), L"About Ombrelle");
  const RECT client = form->ClientRect();
  EXPECT_EQ(client.right, 370);
  EXPECT_EQ(client.bottom, 457);
  const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
  LOGFONTW font{};
  ASSERT_TRUE(GetObjectW(form->DefaultFont(), sizeof font, &font));
  EXPECT_EQ(font.lfHeight, -11);
  EXPECT_EQ(form->DefaultButton, form->btnOK);
  EXPECT_EQ(form->CancelButton, form->btnOK);
  EXPECT_TRUE(form->btnOK->Default());
}

TEST_F(AboutWindow, ControlsLieAtTheirPlaces) {
  auto form = Open();
  HWND window = form->Handle();
  HWND group = form->GroupBox1->Handle();
  struct TPlace {
    TControl* Control;
    HWND Parent;
    RECT Bounds;
  };
  const TPlace places[] = {
      {form->filAbout, window, {0, 0, 370, 89}},     {form->Image1, window, {8, 8, 81, 81}},
      {form->lblVersion, window, {88, 70, 365, 83}}, {form->Bevel1, window, {8, 80, 361, 89}},
      {form->Image3, window, {8, 121, 40, 153}},     {form->Label8, window, {16, 176, 361, 233}},
      {form->GroupBox1, window, {8, 232, 361, 419}}, {form->Panel1, window, {8, 426, 361, 451}},
      {form->Image2, group, {5, 10, 14, 21}},        {form->lblLinksError, group, {8, 40, 345, 53}},
      {form->scbLinks, group, {8, 32, 345, 171}},    {form->btnOK, form->Panel1->Handle(), {278, 0, 353, 25}},
  };
  for (const TPlace& place : places) {
    SCOPED_TRACE(::testing::PrintToString(place.Control->Name));
    EXPECT_EQ(GetParent(place.Control->Handle()), place.Parent);
    const RECT r = PlaceIn(place.Parent, place.Control->Handle());
    EXPECT_EQ(r.left, place.Bounds.left);
    EXPECT_EQ(r.top, place.Bounds.top);
    EXPECT_EQ(r.right, place.Bounds.right);
    EXPECT_EQ(r.bottom, place.Bounds.bottom);
  }
  // Labels sized to their captions: their top left corner, or their right
  // edge when right-aligned.
  const std::pair<TControl*, POINT> corners[] = {
      {form->Label3, {8, 96}},
      {form->Label4, {48, 122}},
      {form->Label5, {48, 138}},
      {form->lblWebsite, {144, 122}},
      {form->lblEmail, {144, 138}},
      {form->lblWarning, {8, 160}},
      {form->lblMoreWallpapers, {17, 7}},
      {form->lblUpdateLink, {6, 169}},
  };
  for (const auto& [control, corner] : corners) {
    SCOPED_TRACE(::testing::PrintToString(control->Name));
    EXPECT_EQ(control->Left(), corner.x);
    EXPECT_EQ(control->Top(), corner.y);
    EXPECT_GT(control->Width(), 0);
  }
  EXPECT_EQ(form->Label2->BoundsRect().right, 360);
  EXPECT_EQ(form->Label2->Top(), 12);
  EXPECT_EQ(form->lblAddLink->BoundsRect().right, 345);
  EXPECT_EQ(form->lblAddLink->Top(), 169);
  EXPECT_EQ(form->lblLinksDate->BoundsRect().right, 345);
  EXPECT_EQ(form->lblLinksDate->Top(), 10);

  // The gradient of the band.
  EXPECT_EQ(form->filAbout->ColorSteps(), 164);
  EXPECT_EQ(form->filAbout->Style(), gstDiagonalUp);
  EXPECT_EQ(form->filAbout->StartColor(), SystemColorFlag | COLOR_BTNSHADOW);
  EXPECT_EQ(form->filAbout->EndColor(), SystemColorFlag | COLOR_BTNFACE);
  // The link list lies over the error label.
  bool listAbove = false;
  for (HWND w = form->lblLinksError->Handle(); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == form->scbLinks->Handle()) listAbove = true;
  EXPECT_TRUE(listAbove);
}

TEST_F(AboutWindow, ShowsItsTextsAndPictures) {
  auto form = Open();
  EXPECT_EQ(form->lblVersion->Caption(), L"Version 1.00  (Build 762)");
  EXPECT_EQ(form->lblVersion->Alignment(), TAlignment::Center);
  EXPECT_EQ(form->Label4->Caption(), L"Quillon Website:");
  EXPECT_EQ(form->Label5->Caption(), L"Technical Support:");
  EXPECT_EQ(form->lblWebsite->Caption(), L"www.quillon.example");
  EXPECT_EQ(form->lblWebsite->Hint(), L"http://www.quillon.example");
  EXPECT_EQ(form->lblEmail->Caption(), L"support@quillon.example");
  EXPECT_EQ(form->lblEmail->Hint(), L"support@quillon.example");
  EXPECT_EQ(form->lblWarning->Caption(), L"Warning:");
  EXPECT_EQ(form->lblWarning->Effect(), TTextEffect::Raised);
  EXPECT_TRUE(form->Label8->WordWrap());
  EXPECT_NE(form->Label8->Caption().find(L"copyright"), std::wstring::npos);
  EXPECT_EQ(form->Label3->Caption().rfind(L"Copyright", 0), 0u);
  EXPECT_EQ(form->Label2->Caption(), L"Ombrelle");
  EXPECT_EQ(form->Label2->FontColor(), SystemColorFlag | COLOR_BTNFACE);
  EXPECT_EQ(form->lblMoreWallpapers->Caption(), L"Do you want more wallpapers?");
  EXPECT_TRUE(form->lblMoreWallpapers->Shadow());
  LOGFONTW heading{};
  ASSERT_TRUE(GetObjectW(form->lblMoreWallpapers->Font(), sizeof heading, &heading));
  EXPECT_EQ(heading.lfHeight, -13);
  EXPECT_EQ(heading.lfWeight, FW_BOLD);
  EXPECT_EQ(form->lblAddLink->Caption(), L"Add my website here!");
  EXPECT_EQ(form->lblUpdateLink->Caption(), L"Update links");
  EXPECT_EQ(form->btnOK->Caption(), L"OK");
  EXPECT_NE(form->btnOK->Glyph(), nullptr);
  for (TLabel* link : {form->lblWebsite, form->lblEmail, form->lblAddLink, form->lblUpdateLink}) {
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(link->Font(), sizeof font, &font));
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_TRUE(link->HandCursor());
  }
  EXPECT_EQ(form->lblWebsite->FontColor(), RGBColor(0, 0, 255));
  EXPECT_EQ(form->lblAddLink->FontColor(), RGBColor(0, 128, 0));
  EXPECT_EQ(form->lblLinksDate->FontColor(), SystemColorFlag | COLOR_GRAYTEXT);
  // The pictures come from the program's resources.
  EXPECT_EQ(form->Image4->Width(), 270);
  EXPECT_EQ(form->Image4->Height(), 50);
  EXPECT_FALSE(form->Image4->Picture().Empty());
  EXPECT_FALSE(form->Image1->Picture().Empty());
  EXPECT_FALSE(form->Image3->Picture().Empty());
  EXPECT_EQ(form->Image2->Picture().Width(), 9);
}

TEST_F(AboutWindow, OkEnterEscapeAndCloseBoxEndTheModalLoop) {
  const std::pair<const char*, std::function<void(TfrmAbout&)>> ways[] = {
      {"OK", [](TfrmAbout& f) { PostMessageW(f.btnOK->Handle(), BM_CLICK, 0, 0); }},
      {"Enter", [](TfrmAbout& f) { PostMessageW(f.Handle(), WM_KEYDOWN, VK_RETURN, 0); }},
      {"Escape", [](TfrmAbout& f) { PostMessageW(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }},
  };
  for (const auto& [name, press] : ways) {
    SCOPED_TRACE(name);
    auto form = Open();
    EXPECT_EQ(RunModal(*form, [&] { press(*form); }), mrOk);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
  }
  auto form = Open();
  EXPECT_EQ(RunModal(*form, [&] { PostMessageW(form->Handle(), WM_CLOSE, 0, 0); }), mrCancel);
}

TEST_F(AboutWindow, IsCentredOnItsOwnerAndDisablesItWhileOpen) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 40, 30, 660, 520, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  {
    auto form = Open(owner);
    RECT mine{}, theirs{};
    GetWindowRect(form->Handle(), &mine);
    GetWindowRect(owner, &theirs);
    EXPECT_NEAR((mine.left + mine.right) / 2, (theirs.left + theirs.right) / 2, 1);
    EXPECT_NEAR((mine.top + mine.bottom) / 2, (theirs.top + theirs.bottom) / 2, 1);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), owner);
    // Looked at from inside the modal loop, then OK is pressed.
    s_owner = owner;
    s_ok = form->btnOK->Handle();
    s_ownerEnabled = true;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, LookAtOwner);
    EXPECT_EQ(RunModal(*form, [] {}), mrOk);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(s_ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  DestroyWindow(owner);
}

TEST_F(AboutWindow, ContactLinesChangeColourUnderThePointer) {
  auto form = Open();
  for (TLabel* link : {form->lblWebsite, form->lblEmail}) {
    SCOPED_TRACE(::testing::PrintToString(link->Name));
    SendMessageW(link->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(link->FontColor(), RGBColor(80, 80, 255));
    link->SetFontColor(RGBColor(255, 0, 0));
    SendMessageW(link->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link->FontColor(), RGBColor(0, 0, 255));
  }
  for (TLabel* link : {form->lblAddLink, form->lblUpdateLink}) {
    SCOPED_TRACE(::testing::PrintToString(link->Name));
    SendMessageW(link->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(link->FontColor(), RGBColor(128, 128, 0));
    SendMessageW(link->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link->FontColor(), RGBColor(0, 128, 0));
  }
  // The handlers serve any label they are given.
  form->lblLinksMouseEnter(*form->Label4);
  EXPECT_EQ(form->Label4->FontColor(), RGBColor(80, 80, 255));
}

TEST_F(AboutWindow, LinkLabelsOpenTheirAddresses) {
  auto form = Open();
  Click(*form->lblWebsite);
  Click(*form->lblEmail);
  Click(*form->lblAddLink);
  Click(*form->lblUpdateLink);
  ASSERT_EQ(opened_.size(), 4u);
  EXPECT_EQ(opened_[0].Address, L"http://www.quillon.example");
  EXPECT_EQ(opened_[0].Owner, Application().Handle());
  EXPECT_EQ(opened_[1].Address, L"mailto:support@quillon.example?subject=Support for Ombrelle");
  EXPECT_EQ(opened_[1].Owner, Application().Handle());
  EXPECT_EQ(opened_[2].Address, L"http://www.quillon.example/dorvane/addwp.asp");
  EXPECT_EQ(opened_[2].Owner, nullptr);
  EXPECT_EQ(opened_[3].Address, L"http://www.quillon.example/dorvane/download.asp");
  EXPECT_EQ(opened_[3].Owner, nullptr);
  // Any sender but the web site label gets the mail link.
  for (TControl* other : std::initializer_list<TControl*>{form->Label4, form->lblAddLink, form->btnOK})
    EXPECT_EQ(form->WebsiteClickAddress(*other), L"mailto:support@quillon.example?subject=Support for Ombrelle");
  opened_.clear();
  form->lblWebsiteClick(*form->Label5);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0].Address.rfind(L"mailto:", 0), 0u);
  // A press that ends outside the label is no click.
  opened_.clear();
  SendMessageW(form->lblEmail->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageW(form->lblEmail->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
