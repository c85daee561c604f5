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
#include "gui/GdiHandles.h"
#include "gui/GdiObject.h"

// A font for a row, made from the window's font: face and height replace the
// window font's when given.
struct TRowFont {
  const wchar_t* Face = nullptr;
  int Height = 0;  // character height in pixels; 0 keeps the window font's
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
  TBounds Bounds;
  int Resource = 0;  // picture or glyph, 0 for none
  TFieldBind<Form> Field = {};
  const TRowFont* Font = nullptr;  // nullptr: the control keeps the font it has
  unsigned Flags = rfNone;
};

// What a build made: the controls and the fonts they use. Fonts outlive the
// controls that draw with them.
struct TBuiltControls {
  ~TBuiltControls() { Controls.clear(); }
  std::vector<TFontOwner> Fonts;
  std::vector<std::unique_ptr<TControl>> Controls;
};

// A font made from the window font by the row's description.
TFontOwner MakeRowFont(HFONT windowFont, const TRowFont& font);

// What a window's kind needs to make a control: its row (through these
// plain fields), its parent and the place.
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
};

// Builds every row in order into built, and each control into its field.
template <class Form, class Kind>
void BuildControls(Form& form, HWND window, std::span<const TControlRow<Form, Kind>> rows,
                   const TBuildSteps<Kind>& steps, TBuiltControls& built) {
  std::map<std::wstring, TControl*> byName;
  TControl* previous = nullptr;
  for (const auto& row : rows) {
    const TMakeRequest request{row.Parent ? byName.at(row.Parent)->Handle() : window, row.Name, row.Caption,
                               row.Bounds, row.Resource, (row.Flags & rfGroupStart) != 0};
    std::unique_ptr<TControl> control = steps.Make(row.Type, request);
    control->Name = row.Name;
    if (steps.WindowFontOnAll) control->SetFont(steps.WindowFont);
    if (row.Font) {
      built.Fonts.push_back(MakeRowFont(steps.WindowFont, *row.Font));
      control->SetFont(built.Fonts.back().get());
    }
    if (steps.AfterFont) steps.AfterFont(row.Type, request, *control);
    if ((row.Flags & rfAfterPrevious) && previous && GetParent(previous->Handle()) == request.Parent)
      SetWindowPos(control->Handle(), previous->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (row.Flags & rfHidden) control->SetVisible(false);
    row.Field(form, *control);
    byName[row.Name] = control.get();
    previous = control.get();
    built.Controls.push_back(std::move(control));
  }
}
