#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "announced_names.h"
#include "plinthar/form/form_table.h"
#include "text_conversion.h"
#include "win32_window_test_support.h"

using plinthar::testing::AnnouncedNameOf;
using plinthar::testing::Form;

namespace {

// A control as a screen reader reads it: the object its client area answers
// WM_GETOBJECT with, asked inside this process (Wine cannot hand an
// IAccessible to another process).
struct Announced {
  std::wstring name;
  LONG role = 0;
  LONG state = 0;
};

Announced Announce(HWND control) {
  Announced announced;
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible)))) {
    ADD_FAILURE() << "no accessible object";
    return announced;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
    announced.name.assign(name, SysStringLen(name));
  }
  SysFreeString(name);
  VARIANT value{};
  if (SUCCEEDED(accessible->get_accRole(self, &value)) && value.vt == VT_I4) {
    announced.role = value.lVal;
  }
  VariantClear(&value);
  if (SUCCEEDED(accessible->get_accState(self, &value)) && value.vt == VT_I4) {
    announced.state = value.lVal;
  }
  VariantClear(&value);
  accessible->Release();
  return announced;
}

// The role each kind of control must have; ROLE_SYSTEM_CLIENT, which Wine
// gives every class but the edit box, says nothing to a user.
LONG ExpectedRole(plinthar::form::ControlKind kind) {
  using plinthar::form::ControlKind;
  switch (kind) {
    case ControlKind::TextBox:
      return ROLE_SYSTEM_TEXT;
    case ControlKind::Button:
      return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::Frame:
      return ROLE_SYSTEM_GROUPING;
    case ControlKind::CheckBox:
      return ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::Label:
      return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::PictureBox:
      break;
  }
  return ROLE_SYSTEM_GRAPHIC;
}

std::wstring Wide(std::string_view text) {
  return plinthar::win32::Utf8ToWide(text);
}

TEST(Accessibility, EveryControlHasItsNameAndRole) {
  const Form form;
  for (const plinthar::form::ControlSpec* spec : plinthar::form::kControls) {
    SCOPED_TRACE(spec->name);
    const std::string_view name = AnnouncedNameOf(spec->name);
    ASSERT_FALSE(name.empty()) << "every control of the table has its announced name";
    const Announced announced = Announce(form.Control(spec->name));
    EXPECT_EQ(announced.name, Wide(name));
    EXPECT_EQ(announced.role, ExpectedRole(spec->kind));
  }
}

// A clicked pin is announced as checked, the others as clear.
TEST(Accessibility, ClickedPinIsCheckedAndTheOthersAreNot) {
  for (int clicked = 0; clicked < 8; ++clicked) {
    SCOPED_TRACE("P" + std::to_string(clicked));
    const Form form;
    form.Click(form.Pin(clicked));
    for (int pin = 0; pin < 8; ++pin) {
      EXPECT_EQ((Announce(form.Pin(pin)).state & STATE_SYSTEM_CHECKED) != 0, pin == clicked)
          << "P" << pin;
    }
  }
}

// Command3 is announced by the caption it shows now, not the one it had.
TEST(Accessibility, ToggleButtonIsAnnouncedByItsCurrentCaption) {
  const Form form;
  form.Click(form.Control("Command3"));
  EXPECT_EQ(Announce(form.Control("Command3")).name, Wide(plinthar::testing::kClearCaption));
}

}  // namespace
