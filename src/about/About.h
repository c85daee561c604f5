#pragma once
// The About window, frmAbout: the product logo and version line, the maker's
// web site and support mail links, the legal warning, and the "Do you want
// more wallpapers?" panel whose list of links is drawn by the links library
// (Links.dat beside the program, see LinksContract.h). The window holds the
// library from its creation until it closes.
//
//   ShowAboutWindow(mainWindow);        // modal, freed when it closes
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "about/LinksContract.h"
#include "gui/Form.h"
#include "gui/GdiObject.h"
#include "gui/ProgramPath.h"
#include "gui/WindowBuilder.h"

class TGradientBand;
class TPictureBox;
class TLabel;
class TEffectLabel;
class TBevel;
class TGroupBox;
class TPanel;
class TScrollBox;
class TGlyphButton;

class TfrmAbout : public TForm {
 public:
  // programFolder (with a trailing backslash) is where Links.dat is looked
  // for: the running program's own folder unless told otherwise.
  explicit TfrmAbout(std::wstring programFolder = ProgramFolder());
  ~TfrmAbout() override;

  // Builds the window over its owner (hidden; ShowModal shows it).
  void Create(HWND owner);

  // --- the window description's controls ---------------------------------
  TGradientBand* filAbout = nullptr;
  TPictureBox* Image4 = nullptr;  // product lettering
  TPictureBox* Image1 = nullptr;  // product picture
  TLabel* lblVersion = nullptr;
  TLabel* Label3 = nullptr;  // legal notice
  TBevel* Bevel1 = nullptr;
  TPictureBox* Image3 = nullptr;  // beside the contact lines
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* lblWebsite = nullptr;
  TLabel* lblEmail = nullptr;
  TEffectLabel* lblWarning = nullptr;
  TLabel* Label8 = nullptr;  // warning paragraph
  TLabel* Label2 = nullptr;  // product name on the band
  TGroupBox* GroupBox1 = nullptr;
  TPanel* Panel1 = nullptr;
  TPictureBox* Image2 = nullptr;  // bullet
  TEffectLabel* lblMoreWallpapers = nullptr;
  TLabel* lblAddLink = nullptr;
  TLabel* lblLinksError = nullptr;
  TLabel* lblUpdateLink = nullptr;
  TLabel* lblLinksDate = nullptr;
  TScrollBox* scbLinks = nullptr;
  TGlyphButton* btnOK = nullptr;

  // --- handlers ------------------------------------------------------------
  void lblLinksMouseEnter(TControl& sender);
  void lblLinksMouseLeave(TControl& sender);
  void lblAddLinkMouseEnter(TControl& sender);
  void lblAddLinkMouseLeave(TControl& sender);
  void lblWebsiteClick(TControl& sender);
  void lblAddLinkClick(TControl& sender);
  void lblUpdateLinkClick(TControl& sender);

  // What lblWebsiteClick opens for a sender: the home page for lblWebsite,
  // the support mail for anything else.
  std::wstring WebsiteClickAddress(const TControl& sender) const;

  // Opens an address for the link labels; the shell's "open" by default.
  // owner is the window that the shell may show its messages over.
  std::function<void(HWND owner, const std::wstring& address)> OpenAddress;

  // --- the links library ---------------------------------------------------
  const std::wstring& LinksFile() const { return linksFile_; }
  HMODULE LinksHandle() const { return linksHandle_.get(); }
  TShowLinksProc ShowLinksProc() const { return showLinksProc_; }

 protected:
  void CreateControls() override;
  void FormCreate() override;
  void FormClose() override;
  // Space opens the focused link of the links panel, as Enter does.
  bool KeyPreview(MSG& msg) override;

 private:
  void BuildLayout();
  void ScaleLayout() override;
  void BindHandlers();
  void ShowVersion();
  void LoadLinks();
  void ShowLinksDate();
  void ReleaseLinks();

  TBuiltControls controls_;
  std::wstring programFolder_;
  std::wstring linksFile_;
  TModuleOwner linksHandle_;
  TShowLinksProc showLinksProc_ = nullptr;
};

// Opens the About window modally over owner and frees it when it closes,
// whichever way its modal loop ends.
void ShowAboutWindow(HWND owner);
