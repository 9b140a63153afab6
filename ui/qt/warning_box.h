#pragma once

#include <QWidget>

#include <string>

namespace plinthar {

// The warning the core asks for: a modal box with the warning icon and one
// OK button, owned by the given window so that it stays above it.
void ShowWarningBox(QWidget& owner, const std::string& message, const std::string& title);

}  // namespace plinthar
