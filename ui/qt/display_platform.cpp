#include "display_platform.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace plinthar {

namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

// XDG_CURRENT_DESKTOP is a colon-separated list, as in "ubuntu:GNOME".
bool NamesGnome(const char* current_desktop) {
  std::string_view desktops = IsSet(current_desktop) ? current_desktop : "";
  while (true) {
    const auto colon = desktops.find(':');
    if (desktops.substr(0, colon) == "GNOME") {
      return true;
    }
    if (colon == std::string_view::npos) {
      return false;
    }
    desktops.remove_prefix(colon + 1);
  }
}

// Qt takes "-platform NAME" and "--platform NAME" from the command line.
bool NamesPlatform(std::span<const char* const> arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const char* argument) {
    return std::strcmp(argument, "-platform") == 0 || std::strcmp(argument, "--platform") == 0;
  });
}

}  // namespace

const char* DisplayPlatformFor(const DisplayEnvironment& environment,
                               std::span<const char* const> arguments) {
  if (IsSet(environment.qt_qpa_platform) || NamesPlatform(arguments)) {
    return nullptr;
  }
  // Without an X server to go to, Wayland is the only way and Qt takes it.
  if (!IsSet(environment.wayland_display) || !IsSet(environment.display) ||
      !NamesGnome(environment.xdg_current_desktop)) {
    return nullptr;
  }
  return "xcb;wayland";
}

}  // namespace plinthar
