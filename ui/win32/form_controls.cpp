#include "form_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "accessible_control.h"
#include "control_ids.h"
#include "form_fonts.h"
#include "frame_box.h"
#include "picture_box.h"
#include "plinthar/form/screen_units.h"
#include "text_conversion.h"

namespace plinthar::win32 {

namespace {

// Far above a pasted million characters; the edit control's own default
// stops at 30,000.
constexpr WPARAM kTextLimit = 0x7FFFFFFE;

struct WindowKind {
  const wchar_t* className = nullptr;
  DWORD style = 0;
  DWORD extendedStyle = 0;
  // The form's own classes answer screen readers in their window procedures.
  bool ownClass = false;
};

DWORD EditAlignment(form::TextAlignment alignment) {
  switch (alignment) {
    case form::TextAlignment::Centre:
      return ES_CENTER;
    case form::TextAlignment::Right:
      return ES_RIGHT;
    case form::TextAlignment::Left:
      break;
  }
  return ES_LEFT;
}

DWORD LabelAlignment(form::TextAlignment alignment) {
  switch (alignment) {
    case form::TextAlignment::Centre:
      return SS_CENTER;
    case form::TextAlignment::Right:
      return SS_RIGHT;
    case form::TextAlignment::Left:
      break;
  }
  // The labels are single lines: a left-aligned one is never wrapped.
  return SS_LEFTNOWORDWRAP;
}

WindowKind KindOf(const form::ControlSpec& spec, HINSTANCE instance) {
  switch (spec.kind) {
    case form::ControlKind::TextBox:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | EditAlignment(spec.alignment),
              WS_EX_CLIENTEDGE};
    case form::ControlKind::Button:
      // BS_PUSHBUTTON, never BS_DEFPUSHBUTTON: the form has no default button.
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case form::ControlKind::Frame:
      // The dialog manager looks for tab stops inside a control parent.
      return {FrameBoxClass(instance), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, true};
    case form::ControlKind::CheckBox:
      // Not BS_AUTOCHECKBOX: the core flips the pin and the window shows it.
      return {WC_BUTTONW, WS_TABSTOP | BS_CHECKBOX, 0};
    case form::ControlKind::Label:
      return {WC_STATICW, SS_NOPREFIX | LabelAlignment(spec.alignment), 0};
    case form::ControlKind::PictureBox:
      return {PictureBoxClass(instance), WS_TABSTOP, WS_EX_CLIENTEDGE, true};
  }
  return {WC_STATICW, 0, 0};
}

HWND& WindowOf(ControlWindows& controls, const form::ControlSpec& spec) {
  return controls.at(form::ControlIndex(spec));
}

// The caption-less frame and the picture box draw no text, so they keep no
// font.
bool HasFont(const form::ControlSpec& spec) {
  return spec.kind != form::ControlKind::Frame && spec.kind != form::ControlKind::PictureBox;
}

}  // namespace

ControlWindows CreateControls(HWND window, HINSTANCE instance, int dotsPerInch, FormFonts& fonts) {
  std::array<const form::ControlSpec*, form::kControlCount> byTabIndex = form::kControls;
  std::ranges::sort(byTabIndex, {}, &form::ControlSpec::tabIndex);
  ControlWindows controls{};
  for (const form::ControlSpec* spec : byTabIndex) {
    const WindowKind kind = KindOf(*spec, instance);
    // Frame1 comes before the pin row: its tab index is lower.
    HWND parent =
        spec->container == form::Container::Frame1 ? WindowOf(controls, form::Frame1) : window;
    const form::PixelRect rect = form::ControlRect(*spec, dotsPerInch);
    // The window has no use for WM_PARENTNOTIFY: none is sent up the chain
    // as each control is made.
    HWND control = CreateWindowExW(
        kind.extendedStyle | WS_EX_NOPARENTNOTIFY, kind.className,
        Utf8ToWide(spec->caption).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
        rect.left, rect.top, rect.width, rect.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(*spec))), instance, nullptr);
    if (spec->kind == form::ControlKind::TextBox) {
      SendMessageW(control, EM_SETLIMITTEXT, kTextLimit, 0);
    }
    // The window is not shown yet: nothing to redraw.
    if (HasFont(*spec)) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.At(spec->pointSize)), FALSE);
    }
    if (!kind.ownClass) {
      AnswerAsInTable(control);
    }
    WindowOf(controls, *spec) = control;
  }
  return controls;
}

void LayOutControls(const ControlWindows& controls, int dotsPerInch, FormFonts& fonts) {
  for (std::size_t index = 0; index < form::kControls.size(); ++index) {
    const form::ControlSpec& spec = *form::kControls.at(index);
    HWND control = controls.at(index);
    const form::PixelRect rect = form::ControlRect(spec, dotsPerInch);
    MoveWindow(control, rect.left, rect.top, rect.width, rect.height, TRUE);
    if (HasFont(spec)) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.At(spec.pointSize)), TRUE);
    }
  }
}

}  // namespace plinthar::win32
