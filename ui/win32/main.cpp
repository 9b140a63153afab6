#include <windows.h>

#include <filesystem>
#include <string>

#include "main_window.h"
#include "message_loop.h"
#include "plinthar/form/form_table.h"

namespace {

// The folder of the running program, however long its path.
std::filesystem::path ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

// The parameters are named as the Windows headers declare them.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  // The display picture is shipped beside the program.
  plinthar::win32::MainWindow window(
      hInstance, ProgramFolder() / std::filesystem::path(plinthar::form::kDisplayPictureFileName));
  ShowWindow(window.Handle(), nShowCmd);
  return plinthar::win32::RunMessageLoop(window.Handle());
}
