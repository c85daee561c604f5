#include "widgets/ColorBox.h"

#include <commctrl.h>
#include <commdlg.h>

#include <iterator>

#include "gui/StdCtrls.h"
#include "widgets/PaintBuffer.h"
#include "widgets/Underneath.h"

namespace {
struct TNamedColor {
  TColor Color;
  const wchar_t* Name;
};

const TNamedColor kColors[] = {
    {RGBColor(0, 0, 0), L"Black"},
    {RGBColor(128, 0, 0), L"Maroon"},
    {RGBColor(0, 128, 0), L"Green"},
    {RGBColor(128, 128, 0), L"Olive"},
    {RGBColor(0, 0, 128), L"Navy"},
    {RGBColor(128, 0, 128), L"Purple"},
    {RGBColor(0, 128, 128), L"Teal"},
    {RGBColor(128, 128, 128), L"Gray"},
    {RGBColor(192, 192, 192), L"Silver"},
    {RGBColor(255, 0, 0), L"Red"},
    {RGBColor(0, 255, 0), L"Lime"},
    {RGBColor(255, 255, 0), L"Yellow"},
    {RGBColor(0, 0, 255), L"Blue"},
    {RGBColor(255, 0, 255), L"Fuchsia"},
    {RGBColor(0, 255, 255), L"Aqua"},
    {RGBColor(255, 255, 255), L"White"},
    {RGBColor(192, 220, 192), L"Money Green"},
    {RGBColor(166, 202, 240), L"Sky Blue"},
    {RGBColor(255, 251, 240), L"Cream"},
    {RGBColor(160, 160, 164), L"Medium Gray"},
    {SystemColor(COLOR_SCROLLBAR), L"Scroll Bar"},
    {SystemColor(COLOR_BACKGROUND), L"Background"},
    {SystemColor(COLOR_ACTIVECAPTION), L"Active Caption"},
    {SystemColor(COLOR_INACTIVECAPTION), L"Inactive Caption"},
    {SystemColor(COLOR_MENU), L"Menu"},
    {SystemColor(COLOR_WINDOW), L"Window"},
    {SystemColor(COLOR_WINDOWFRAME), L"Window Frame"},
    {SystemColor(COLOR_MENUTEXT), L"Menu Text"},
    {SystemColor(COLOR_WINDOWTEXT), L"Window Text"},
    {SystemColor(COLOR_CAPTIONTEXT), L"Caption Text"},
    {SystemColor(COLOR_ACTIVEBORDER), L"Active Border"},
    {SystemColor(COLOR_INACTIVEBORDER), L"Inactive Border"},
    {SystemColor(COLOR_APPWORKSPACE), L"Application Workspace"},
    {SystemColor(COLOR_HIGHLIGHT), L"Highlight"},
    {SystemColor(COLOR_HIGHLIGHTTEXT), L"Highlight Text"},
    {SystemColor(COLOR_BTNFACE), L"Button Face"},
    {SystemColor(COLOR_BTNSHADOW), L"Button Shadow"},
    {SystemColor(COLOR_GRAYTEXT), L"Gray Text"},
    {SystemColor(COLOR_BTNTEXT), L"Button Text"},
    {SystemColor(COLOR_INACTIVECAPTIONTEXT), L"Inactive Caption Text"},
    {SystemColor(COLOR_BTNHIGHLIGHT), L"Button Highlight"},
    {SystemColor(COLOR_3DDKSHADOW), L"3D Dark Shadow"},
    {SystemColor(COLOR_3DLIGHT), L"3D Light"},
    {SystemColor(COLOR_INFOTEXT), L"Info Text"},
    {SystemColor(COLOR_INFOBK), L"Info Background"},
};

// Sent to itself so that the colour chooser opens after the list has closed.
constexpr UINT kPickCustom = WM_APP + 0x3C0;
// Posted to itself when made: the message loop takes it once the window
// is on the screen.
constexpr UINT kListAll = WM_APP + 0x3C1;

constexpr int kCount = 1 + static_cast<int>(std::size(kColors));
const wchar_t kCustomName[] = L"Custom...";

// Messages after which the system list must hold every entry: the user's
// (the keyboard selects in the closed box too) and the list's own.
bool NeedsEveryEntry(UINT msg) {
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case CB_GETCOUNT:
    case CB_GETCURSEL:
    case CB_SETCURSEL:
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case CB_GETITEMDATA:
    case CB_SETITEMDATA:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case CB_SHOWDROPDOWN:
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
    case CB_GETTOPINDEX:
    case CB_SETTOPINDEX:
      return true;
    default:
      return false;
  }
}
}  // namespace

TColorBox::TColorBox(HWND parent, const TBounds& bounds, int itemHeight)
    : itemHeight_(itemHeight < 1 ? 1 : itemHeight) {
  for (COLORREF& c : chooserColors_) c = RGB(255, 255, 255);
  CreateSystem(WC_COMBOBOXW, L"",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
               0, parent, bounds);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Scaled(itemHeight_));
  SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
  SetItemIndex(1);
  PostMessageW(Handle(), kListAll, 0, 0);
}

void TColorBox::SetBounds(int left, int top, int width, int height) {
  // Twelve items show when the list opens.
  PlaceDropDown(Handle(), TBounds{left, top, width, height}, Scaled(itemHeight_ * 12 + 8) - height);
}

void TColorBox::ChangeDpi(int dpi) {
  TControl::ChangeDpi(dpi);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Scaled(itemHeight_));
}

void TColorBox::ListAll() {
  if (listed_ || !Handle()) return;
  listing_ = true;
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < kCount; ++i)
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ColorNames(i).c_str()));
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
  listing_ = false;
  listed_ = true;
}

void TColorBox::ListSelected() {
  listing_ = true;
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  if (selected_ >= 0) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ColorNames(selected_).c_str()));
    SendMessageW(Handle(), CB_SETCURSEL, 0, 0);
  }
  listing_ = false;
}

int TColorBox::Count() const { return kCount; }

int TColorBox::ItemIndex() const {
  return listed_ ? static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : selected_;
}

void TColorBox::SetItemIndex(int index) {
  if (listed_) {
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    // As the system list does: an index outside the list selects nothing.
    selected_ = index >= 0 && index < kCount ? index : -1;
    ListSelected();
  }
  lastIndex_ = ItemIndex();
}

TColor TColorBox::Colors(int index) const {
  if (index == 0) return custom_;
  return index > 0 && index < kCount ? kColors[index - 1].Color : 0;
}

std::wstring TColorBox::ColorNames(int index) const {
  if (index == 0) return kCustomName;
  return index > 0 && index < kCount ? kColors[index - 1].Name : std::wstring();
}

TColor TColorBox::Selected() const {
  const int index = ItemIndex();
  return index < 0 ? 0 : Colors(index);
}

void TColorBox::SetSelected(TColor color) {
  const int count = Count();
  for (int i = 1; i < count; ++i)
    if (Colors(i) == color) {
      SetItemIndex(i);
      return;
    }
  custom_ = color;
  SetItemIndex(0);
  Invalidate();
}

bool TColorBox::PickCustomColor() {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = GetAncestor(Handle(), GA_ROOT);
  choose.rgbResult = ToColorRef(custom_);
  choose.lpCustColors = chooserColors_;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&choose)) return false;
  custom_ = static_cast<TColor>(choose.rgbResult);
  Invalidate();
  return true;
}

void TColorBox::Changed() {
  lastIndex_ = ItemIndex();
  if (OnChange) OnChange(*this);
}

bool TColorBox::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  if (ItemIndex() == 0) {
    // Not while the list is still open (or the chooser would open under it).
    PostMessageW(Handle(), kPickCustom, 0, 0);
    return true;
  }
  if (ItemIndex() != lastIndex_) Changed();
  return true;
}

bool TColorBox::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg == kListAll) {
    ListAll();
    result = 0;
    return true;
  }
  if (!listed_ && !listing_ && NeedsEveryEntry(msg)) ListAll();
  if (msg != kPickCustom) return false;
  if (ItemIndex() == 0) {
    const bool picked = PickCustomColor();
    if (picked || lastIndex_ != 0) Changed();
  }
  result = 0;
  return true;
}

bool TColorBox::HandleMeasureItem(MEASUREITEMSTRUCT* item) {
  item->itemHeight = static_cast<UINT>(Scaled(itemHeight_));
  return true;
}

bool TColorBox::HandleDrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool selected = item->itemState & ODS_SELECTED;
  const bool disabled = item->itemState & ODS_DISABLED;
  FillRect(dc, &r, GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item->itemID == static_cast<UINT>(-1)) return true;
  // Before the list holds every entry, its one item is the selected entry.
  const int index = listed_ ? static_cast<int>(item->itemID) : selected_;
  if (index < 0) return true;

  // The swatch: a square as high as the item, framed in black.
  const int side = r.bottom - r.top - 2;
  RECT swatch{r.left + 1, r.top + 1, r.left + 1 + side * 3 / 2, r.top + 1 + side};
  FillRect(dc, &swatch, SolidBrush(ToColorRef(Colors(index))).get());
  FrameRect(dc, &swatch, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));

  const std::wstring name = ColorNames(index);
  RECT text{swatch.right + Scaled(4), r.top, r.right, r.bottom};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetBkMode(dc, oldMode);
  if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &item->rcItem);
  return true;
}
