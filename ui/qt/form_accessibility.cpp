#include "form_accessibility.h"

#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

#include "plinthar/form/form_table.h"

namespace plinthar {

namespace {

QAccessible::Role QtRole(form::AccessibleRole role) {
  switch (role) {
    case form::AccessibleRole::Text:
      return QAccessible::EditableText;
    case form::AccessibleRole::PushButton:
      return QAccessible::PushButton;
    case form::AccessibleRole::Grouping:
      return QAccessible::Grouping;
    case form::AccessibleRole::CheckBox:
      return QAccessible::CheckBox;
    case form::AccessibleRole::StaticText:
      return QAccessible::StaticText;
    case form::AccessibleRole::Graphic:
      break;
  }
  return QAccessible::Graphic;
}

bool IsForm(const QWidget& widget) {
  return widget.isWindow() && widget.objectName() == QString::fromUtf8(form::kFormName);
}

// The control of the form's table that the widget shows, nullptr for none.
const form::ControlSpec* ControlOf(const QWidget& widget) {
  const QWidget* window = widget.window();
  if (&widget == window || !IsForm(*window)) {
    return nullptr;
  }
  for (const form::ControlSpec* spec : form::kControls) {
    if (widget.objectName() == QString::fromUtf8(spec->name)) {
      return spec;
    }
  }
  return nullptr;
}

// Qt describes the text boxes, buttons, pin boxes and labels itself, with
// their values, states and actions; only the frame and the picture box need
// their role from the table.
QAccessibleInterface* FormInterface(const QString& /*className*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) {
    return nullptr;
  }
  if (IsForm(*widget)) {
    // Named with the window title, as Qt names every window.
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  const form::ControlSpec* spec = ControlOf(*widget);
  if (spec == nullptr ||
      (spec->kind != form::ControlKind::Frame && spec->kind != form::ControlKind::PictureBox)) {
    return nullptr;
  }
  // Named, as every control, by its accessible name from the table.
  return new QAccessibleWidget(widget, QtRole(form::RoleOf(spec->kind)));
}

}  // namespace

void InstallFormAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(FormInterface);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace plinthar
