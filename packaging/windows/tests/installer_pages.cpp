// Drives an NSIS installer's or uninstaller's window as a user would, for the
// installer tests under Wine:
//   installer_pages walk TITLE_PREFIX
//     waits for the wizard whose caption starts with TITLE_PREFIX and prints
//     each page's visible texts as UTF-8, read through WM_GETTEXT (a check
//     box with its state), then presses the page's default button (Next,
//     Install, Finish, Close) until the wizard is gone;
//   installer_pages hold CLASS SECONDS
//     shows a window of class CLASS that refuses WM_CLOSE for SECONDS: a
//     program that will not close when the installer asks it to.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Pages that take longer than this to finish count as a hung installer.
constexpr DWORD kPageTimeoutMs = 60000;
constexpr DWORD kPollMs = 100;
// Texts may be set just after a page's controls appear.
constexpr DWORD kSettleMs = 500;
constexpr UINT kMessageTimeoutMs = 5000;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

std::wstring ClassOf(HWND window) {
  std::array<wchar_t, 256> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return {name.data(), static_cast<std::size_t>(length)};
}

// Through WM_GETTEXT rather than GetWindowText, which reads another
// process's controls only from the system's copy of their captions.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                          &length) == 0) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

struct WizardSearch {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWizard(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<WizardSearch*>(search);
  if (IsWindowVisible(window) != FALSE && ClassOf(window) == L"#32770" &&
      TextOf(window).starts_with(wanted.prefix)) {
    wanted.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindWizard(const std::wstring& prefix) {
  WizardSearch search{prefix};
  EnumWindows(MatchWizard, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(window);
  return TRUE;
}

// The dialog that NSIS puts inside its window for the current page.
HWND PageOf(HWND wizard) {
  std::vector<HWND> children;
  EnumChildWindows(wizard, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (GetParent(child) == wizard && ClassOf(child) == L"#32770" &&
        IsWindowVisible(child) != FALSE) {
      return child;
    }
  }
  return nullptr;
}

// One text on one line: a text's own line breaks become blanks.
std::string OneLine(const std::wstring& text) {
  std::wstring line;
  for (wchar_t letter : text) {
    if (letter == L'\n') {
      line += L' ';
    } else if (letter != L'\r') {
      line += letter;
    }
  }
  return Utf8(line);
}

// A static control that shows an icon or a bitmap: its text is a resource
// number, not words.
bool ShowsPicture(HWND window, DWORD style) {
  const DWORD kind = style & SS_TYPEMASK;
  return ClassOf(window) == L"Static" && (kind == SS_ICON || kind == SS_BITMAP);
}

void PrintPage(int number, HWND wizard) {
  std::printf("page %d\n", number);
  std::printf("  caption: %s\n", OneLine(TextOf(wizard)).c_str());
  std::vector<HWND> children;
  EnumChildWindows(wizard, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    const std::wstring text = TextOf(child);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    if (IsWindowVisible(child) == FALSE || text.empty() || ShowsPicture(child, style)) {
      continue;
    }
    const DWORD kind = style & BS_TYPEMASK;
    const bool checkBox =
        ClassOf(child) == L"Button" && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX);
    if (checkBox) {
      const bool checked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
      std::printf("  check %s: %s\n", checked ? "on" : "off", OneLine(text).c_str());
    } else {
      std::printf("  text: %s\n", OneLine(text).c_str());
    }
  }
  std::fflush(stdout);
}

int Walk(const std::wstring& prefix) {
  HWND wizard = nullptr;
  for (DWORD waited = 0; wizard == nullptr; waited += kPollMs) {
    if (waited > kPageTimeoutMs) {
      std::fprintf(stderr, "no window whose caption starts with %s\n", Utf8(prefix).c_str());
      return 1;
    }
    Sleep(kPollMs);
    wizard = FindWizard(prefix);
  }
  HWND shown = nullptr;
  for (int number = 1; IsWindow(wizard) != FALSE; ++number) {
    // The next page is there once its dialog has replaced the last one and
    // its default button may be pressed (on the progress page: once done).
    HWND page = nullptr;
    for (DWORD waited = 0;; waited += kPollMs) {
      if (IsWindow(wizard) == FALSE) {
        return 0;
      }
      page = PageOf(wizard);
      if (page != nullptr && page != shown && IsWindowEnabled(GetDlgItem(wizard, IDOK)) != FALSE) {
        break;
      }
      if (waited > kPageTimeoutMs) {
        std::fprintf(stderr, "page %d did not finish\n", number);
        return 1;
      }
      Sleep(kPollMs);
    }
    Sleep(kSettleMs);
    PrintPage(number, wizard);
    shown = page;
    PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(wizard, IDOK)));
  }
  return 0;
}

LRESULT CALLBACK RefuseToClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int Hold(const std::wstring& className, int seconds) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = RefuseToClose;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);
  HWND window = CreateWindowExW(0, className.c_str(), L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  std::printf("holding\n");
  std::fflush(stdout);
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000U;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
  DestroyWindow(window);
  return 0;
}

}  // namespace

int main() {
  // Lines end in \n alone, as the test script reads them.
  _setmode(_fileno(stdout), _O_BINARY);
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::vector<std::wstring> words(arguments, arguments + count);
  LocalFree(static_cast<HLOCAL>(arguments));
  if (words.size() == 3 && words[1] == L"walk") {
    return Walk(words[2]);
  }
  if (words.size() == 4 && words[1] == L"hold") {
    return Hold(words[2], std::stoi(words[3]));
  }
  std::fprintf(stderr,
               "usage: installer_pages walk TITLE_PREFIX | installer_pages hold CLASS SECONDS\n");
  return 2;
}
