#include <gtest/gtest.h>

#include <vector>

#include "case_name.h"
#include "display_platform.h"

namespace plinthar {
namespace {

constexpr const char* kThroughX = "xcb;wayland";

struct PlatformCase {
  const char* name;
  DisplayEnvironment environment;
  std::vector<const char*> arguments;
  const char* platform;
};

// A Wayland session with XWayland beside it, on the given desktop.
DisplayEnvironment WaylandSession(const char* desktop) {
  return {.xdg_current_desktop = desktop, .wayland_display = "wayland-0", .display = ":0"};
}

// GNOME's Wayland session with QT_QPA_PLATFORM as given.
DisplayEnvironment Chosen(const char* platform) {
  DisplayEnvironment environment = WaylandSession("GNOME");
  environment.qt_qpa_platform = platform;
  return environment;
}

class DisplayPlatformTest : public ::testing::TestWithParam<PlatformCase> {};

TEST_P(DisplayPlatformTest, SendsOnlyGnomeWaylandWindowsThroughX) {
  std::vector<const char*> arguments{"plinthar"};
  arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  EXPECT_STREQ(DisplayPlatformFor(GetParam().environment, arguments), GetParam().platform);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, DisplayPlatformTest,
    ::testing::Values(
        PlatformCase{"Gnome", WaylandSession("GNOME"), {}, kThroughX},
        PlatformCase{"UbuntuGnome", WaylandSession("ubuntu:GNOME"), {}, kThroughX},
        PlatformCase{"KdePlasma", WaylandSession("KDE"), {}, nullptr},
        PlatformCase{"OnlyANameStartingWithGnome", WaylandSession("GNOME-Flashback"), {}, nullptr},
        PlatformCase{"GnomeOnX11", {.xdg_current_desktop = "GNOME", .display = ":0"}, {}, nullptr},
        PlatformCase{"GnomeWithoutXServer",
                     {.xdg_current_desktop = "GNOME", .wayland_display = "wayland-0"},
                     {},
                     nullptr},
        PlatformCase{"ChosenByEnvironment", Chosen("wayland"), {}, nullptr},
        PlatformCase{"EmptyChoiceIsNoChoice", Chosen(""), {}, kThroughX},
        PlatformCase{"ChosenByArgument", Chosen(nullptr), {"-platform", "wayland"}, nullptr},
        PlatformCase{"ChosenByDoubleDash", Chosen(nullptr), {"--platform", "wayland"}, nullptr}),
    testing::CaseName<PlatformCase>);

}  // namespace
}  // namespace plinthar
