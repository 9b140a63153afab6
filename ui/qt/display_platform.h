#pragma once

#include <span>

namespace plinthar {

// What the choice of display connection looks at, as the environment holds
// it: a null pointer or an empty text for a variable that is not set.
struct DisplayEnvironment {
  const char* qt_qpa_platform = nullptr;
  const char* xdg_current_desktop = nullptr;
  const char* wayland_display = nullptr;
  const char* display = nullptr;
};

// The platform list for QT_QPA_PLATFORM, or nullptr to leave Qt's own choice.
// GNOME's compositor draws no title bars for Wayland clients, so there Qt's
// drawn one (with a clipped title and a maximise button for a fixed-size
// window) gives way to GNOME's own, through XWayland; Wayland stays the
// fallback for when no X server answers. A platform the user names wins.
const char* DisplayPlatformFor(const DisplayEnvironment& environment,
                               std::span<const char* const> arguments);

}  // namespace plinthar
