#pragma once
// Builds a window's controls from its description: one row per control with
// its name, kind, parent, caption, place, picture, font and the field of the
// window that receives it. Within one parent the rows stand in tab order and
// are created in that order. The kinds, and how each is made, belong to the
// window; parents, fonts, groups, fields and ownership are the builder's.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/Control.h"
#include "gui/Dpi.h"
#include "gui/GdiHandles.h"
#include "gui/GdiObject.h"

// A font for a row, made from the window's font: face and height replace the
// window font's when given.
struct TRowFont {
  const wchar_t* Face = nullptr;
  int Height = 0;  // character height in pixels at 96 DPI; 0 keeps the window font's
  bool Bold = false;
  bool Underline = false;
  BYTE CharSet = DEFAULT_CHARSET;  // kept from the window font when DEFAULT_CHARSET
};

enum TRowFlag : unsigned {
  rfNone = 0,
  rfGroupStart = 1,     // starts a group of radio buttons (arrow keys stay inside)
  rfAfterPrevious = 2,  // follows the row before it in tab order (a flat button after its check box)
  rfHidden = 4,         // starts hidden
};

// Puts a built control into a field of the window. A field of another kind
// than the row makes fails loudly when the window is built.
template <class Form>
class TFieldBind {
 public:
  TFieldBind() = default;
  template <class T>
  TFieldBind(T* Form::*field)  // NOLINT: rows convert from a plain member pointer
      : bind_([field](Form& form, TControl& control) {
          T* typed = dynamic_cast<T*>(&control);
          if (!typed)
            throw std::logic_error("The window description binds \"" + std::string(control.Name.begin(), control.Name.end()) +
                                   "\" to a field of another kind.");
          form.*field = typed;
        }) {}
  void operator()(Form& form, TControl& control) const {
    if (bind_) bind_(form, control);
  }

 private:
  std::function<void(Form&, TControl&)> bind_;
};

template <class Form, class Kind>
struct TControlRow {
  const wchar_t* Name;
  Kind Type;
  const wchar_t* Parent;  // nullptr: the window itself
  const wchar_t* Caption;
  TBounds Bounds;    // at 96 DPI
  int Resource = 0;  // picture or glyph, 0 for none
  TFieldBind<Form> Field = {};
  const TRowFont* Font = nullptr;  // nullptr: the control keeps the font it has
  unsigned Flags = rfNone;
};

// What a build made: the controls, one per row, and the fonts of their rows
// (empty for a row without one). Fonts outlive the controls that draw with
// them.
struct TBuiltControls {
  ~TBuiltControls() { Controls.clear(); }
  std::vector<TFontOwner> Fonts;
  std::vector<std::unique_ptr<TControl>> Controls;
};

// A font made from the window font by the row's description, for the DPI
// given (the window font is made for it already).
TFontOwner MakeRowFont(HFONT windowFont, const TRowFont& font, int dpi);

// What a window's kind needs to make a control: its row (through these
// plain fields), its parent and the place at the window's DPI.
struct TMakeRequest {
  HWND Parent;
  const wchar_t* Name;
  const wchar_t* Caption;
  TBounds Bounds;
  int Resource;
  bool GroupStart;
};

// How a window's rows become controls.
template <class Kind>
struct TBuildSteps {
  // Creates the control of a row's kind.
  std::function<std::unique_ptr<TControl>(Kind, const TMakeRequest&)> Make;
  // Runs once the control has its font, for settings that depend on it
  // (sizes fitted to the caption); optional.
  std::function<void(Kind, const TMakeRequest&, TControl&)> AfterFont;
  // The rows' fonts are made from it.
  HFONT WindowFont = nullptr;
  // Every control gets the window font before its row's own.
  bool WindowFontOnAll = false;
  // The window's DPI: places and row fonts are scaled to it.
  int Dpi = kDesignDpi;
};

namespace window_builder {
// Where each row's parent starts in the window's 96-DPI layout (the
// window's own client area at 0, 0). A parent's row comes before its
// children's.
template <class Form, class Kind>
std::vector<POINT> ParentOrigins(std::span<const TControlRow<Form, Kind>> rows) {
  std::map<std::wstring, POINT> clientOf;
  std::vector<POINT> origins;
  for (const auto& row : rows) {
    const POINT parent = row.Parent ? clientOf.at(row.Parent) : POINT{0, 0};
    origins.push_back(parent);
    clientOf[row.Name] = POINT{parent.x + row.Bounds.Left, parent.y + row.Bounds.Top};
  }
  return origins;
}

// Lets every control take the room its neighbours leave it, now that all
// of them stand at their places.
inline void LayoutDone(TBuiltControls& built) {
  for (const auto& control : built.Controls) control->AfterLayout();
}

template <class Kind>
void ApplyFont(const TRowFont* rowFont, const TBuildSteps<Kind>& steps, TControl& control, TFontOwner& owned) {
  if (steps.WindowFontOnAll) control.SetFont(steps.WindowFont);
  if (!rowFont) return;
  TFontOwner font = MakeRowFont(steps.WindowFont, *rowFont, steps.Dpi);
  control.SetFont(font.get());
  owned = std::move(font);  // the one it replaces goes once the control no longer draws with it
}
}  // namespace window_builder

// Builds every row in order into built, and each control into its field.
template <class Form, class Kind>
void BuildControls(Form& form, HWND window, std::span<const TControlRow<Form, Kind>> rows,
                   const TBuildSteps<Kind>& steps, TBuiltControls& built) {
  std::map<std::wstring, TControl*> byName;
  const std::vector<POINT> origins = window_builder::ParentOrigins(rows);
  TControl* previous = nullptr;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    const TBounds bounds = ScaleToDpi(row.Bounds, steps.Dpi, origins[i]);
    const TMakeRequest request{row.Parent ? byName.at(row.Parent)->Handle() : window, row.Name, row.Caption, bounds,
                               row.Resource, (row.Flags & rfGroupStart) != 0};
    std::unique_ptr<TControl> control = steps.Make(row.Type, request);
    control->Name = row.Name;
    built.Fonts.emplace_back();
    window_builder::ApplyFont(row.Font, steps, *control, built.Fonts.back());
    if (steps.AfterFont) steps.AfterFont(row.Type, request, *control);
    if ((row.Flags & rfAfterPrevious) && previous && GetParent(previous->Handle()) == request.Parent)
      SetWindowPos(control->Handle(), previous->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (row.Flags & rfHidden) control->SetVisible(false);
    row.Field(form, *control);
    byName[row.Name] = control.get();
    previous = control.get();
    built.Controls.push_back(std::move(control));
  }
  window_builder::LayoutDone(built);
}

// Lays the controls built from rows out again for the DPI of steps, whose
// window font is made for it: every control is placed and sized from its
// row, tells its own sizes the DPI and gets its font anew. A window that
// moves to a screen of another DPI does this.
template <class Form, class Kind>
void ScaleControls(std::span<const TControlRow<Form, Kind>> rows, const TBuildSteps<Kind>& steps,
                   TBuiltControls& built) {
  const std::vector<POINT> origins = window_builder::ParentOrigins(rows);
  for (size_t i = 0; i < rows.size() && i < built.Controls.size(); ++i) {
    const auto& row = rows[i];
    TControl& control = *built.Controls[i];
    const TBounds bounds = ScaleToDpi(row.Bounds, steps.Dpi, origins[i]);
    control.ChangeDpi(steps.Dpi);
    // The font first: some controls (drop-down lists) size parts of
    // themselves by it, and the place then sets them right.
    if (!row.Font && !steps.WindowFontOnAll) control.SetFont(steps.WindowFont);
    window_builder::ApplyFont(row.Font, steps, control, built.Fonts[i]);
    control.SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    if (steps.AfterFont) {
      const TMakeRequest request{control.ParentHandle(), row.Name, row.Caption, bounds, row.Resource,
                                 (row.Flags & rfGroupStart) != 0};
      steps.AfterFont(row.Type, request, control);
    }
  }
  window_builder::LayoutDone(built);
}
