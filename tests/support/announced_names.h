#pragma once

#include <array>
#include <string_view>

#include "form_operations.h"

// What a screen reader must call each control of the form when the window
// opens, written out here rather than read from the form's table, so that a
// wrong name in the table fails the window tests of both systems.
namespace plinthar::testing {

struct AnnouncedName {
  std::string_view control;
  std::string_view name;  // UTF-8
};

inline constexpr std::array<AnnouncedName, 27> kAnnouncedNames{{
    // Each number box as the label in front of it; the binary box has none.
    {"Text3", "十制制数"},
    {"Text2", "十六进制"},
    {"Text1", "二进制"},
    // Each pin by its name under the box and its segment letter above it.
    {"Check1", "P0 A"},
    {"Check2", "P1 B"},
    {"Check3", "P2 C"},
    {"Check4", "P3 D"},
    {"Check5", "P4 E"},
    {"Check6", "P5 F"},
    {"Check7", "P6 G"},
    {"Check8", "P7 DP"},
    {"Frame1", "端口引脚 P7 至 P0"},
    {"Picture1", "七段数码管及段名 A 至 G、DP"},
    // The buttons and labels as their captions.
    {"Command1", "十六进制转二制"},
    {"Command2", "十进制转二进制"},
    {"Command3", kSelectAllCaption},
    {"Label1", "A"},
    {"Label2", "B"},
    {"Label3", "C"},
    {"Label4", "D"},
    {"Label5", "E"},
    {"Label6", "F"},
    {"Label7", "G"},
    {"Label8", "DP"},
    {"Label9", "P7  P6  P5  P4  P3  P2  P1  P0"},
    {"Label10", "十六进制"},
    {"Label11", "十制制数"},
}};

// The name the control must be announced with, empty for a control not
// listed above.
constexpr std::string_view AnnouncedNameOf(std::string_view control) {
  for (const AnnouncedName& entry : kAnnouncedNames) {
    if (entry.control == control) {
      return entry.name;
    }
  }
  return {};
}

}  // namespace plinthar::testing
