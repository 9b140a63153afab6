#include "plinthar/form/window_placement.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "case_name.h"

namespace plinthar::form {
void PrintTo(const ScreenRect& rect, std::ostream* out) {
  *out << rect.left << ", " << rect.top << " to " << rect.right << ", " << rect.bottom;
}
}  // namespace plinthar::form

namespace plinthar::testing {
namespace {

using form::ScreenRect;

struct PlacementCase {
  const char* name;
  ScreenRect window;
  ScreenRect workArea;
  ScreenRect placed;
};

// The windows are the form's client area, which opens at 408, 293 px at
// 96 dpi, 612, 440 at 150 % and 816, 586 at 200 %, with a title bar and a
// border.
constexpr auto kPlacements = std::to_array<PlacementCase>({
    {"FitsAndStays", {400, 262, 690, 554}, {0, 0, 1920, 1040}, {400, 262, 690, 554}},
    {"FillsItExactly", {0, 0, 1280, 860}, {0, 0, 1280, 860}, {0, 0, 1280, 860}},
    {"At200PercentOn1280x900", {808, 555, 1364, 1100}, {0, 0, 1280, 860}, {724, 315, 1280, 860}},
    {"At150PercentOn1366x768", {604, 409, 1023, 828}, {0, 0, 1366, 728}, {604, 309, 1023, 728}},
    {"TaskBarOnTheLeft", {20, 300, 320, 600}, {48, 0, 1920, 1080}, {48, 300, 348, 600}},
    {"TaskBarAtTheTop", {400, 10, 700, 300}, {0, 40, 1920, 1080}, {400, 40, 700, 330}},
    {"MonitorLeftOfThePrimary", {-300, 900, 0, 1200}, {-1920, 0, 0, 1040}, {-300, 740, 0, 1040}},
    {"WiderThanTheWorkArea", {600, 100, 1600, 400}, {0, 0, 800, 600}, {0, 100, 1000, 400}},
    {"LargerThanTheWorkArea", {808, 555, 1364, 1100}, {100, 50, 500, 450}, {100, 50, 656, 595}},
});

class WindowPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacement, KeepsTheSizeAndMovesOnlyAsFarAsNeeded) {
  EXPECT_EQ(form::PlaceInWorkArea(GetParam().window, GetParam().workArea), GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowPlacement, ::testing::ValuesIn(kPlacements),
                         CaseName<PlacementCase>);

}  // namespace
}  // namespace plinthar::testing
