#pragma once

namespace plinthar {

// Makes screen readers announce the form as its table says where Qt's own
// accessible interfaces do not: the window as a window named with its title
// (a plain QWidget is a nameless "filler" to AT-SPI), Frame1 as a named group
// of the pins and Picture1 as a named picture, with or without its picture.
// Installs the interface factory on the first call; needs the QApplication.
void InstallFormAccessibility();

}  // namespace plinthar
