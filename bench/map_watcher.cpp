// map_watcher: starts one command and reports the wall time from the moment
// just before its exec until its first top-level window is mapped, and until
// the first drawing into that window (its first paint), with the process's
// resident memory read at each of those moments.
//
//   map_watcher [--timeout SECONDS] [--terminate] [--unmanaged] -- COMMAND [ARGUMENTS...]
//     prints "MAP_MS VMRSS_KIB VMHWM_KIB PAINT_MS VMRSS_KIB VMHWM_KIB" on
//     standard output, then kills the command (its whole process group). With
//     --terminate the command first gets SIGTERM and is waited for, so that a
//     profiler it runs under (valgrind) can write its data. The command's own
//     standard output goes to standard error, so that standard output carries
//     only the result. --unmanaged also takes override-redirect windows that
//     name the command's process in _NET_WM_PID: Wine makes its top-level
//     windows so when told that no window manager runs.
//   map_watcher --warm-up [COUNT]
//     maps and destroys a window of its own COUNT times (default 20), so that
//     the X server has paged in and set up what the first client would pay for.
//
// The display is the one in DISPLAY. The watcher waits for X events and for
// the child's exit on file descriptors (poll), never by sampling: the times
// are taken when the MapNotify event and the first DamageNotify event of the
// mapped window arrive. A damage object is attached to every top-level window
// at its CreateNotify, before the client can draw into it. The X server should
// run no other client while the watcher waits; a mapped window that names
// another process in _NET_WM_PID is skipped all the same.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kDefaultTimeoutSeconds = 30;
constexpr int kDefaultWarmUpCount = 20;
constexpr double kMillisecondsPerSecond = 1e3;
constexpr double kMillisecondsPerNanosecond = 1e-6;

struct Memory {
  long rssKib = -1;
  long hwmKib = -1;
};

struct Moment {
  double milliseconds = 0;
  Memory memory;
};

timespec Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now;
}

double MillisecondsBetween(const timespec& from, const timespec& to) {
  return static_cast<double>(to.tv_sec - from.tv_sec) * kMillisecondsPerSecond +
         static_cast<double>(to.tv_nsec - from.tv_nsec) * kMillisecondsPerNanosecond;
}

// VmRSS is the resident set now, VmHWM its peak so far; both in KiB.
Memory ReadMemory(pid_t pid) {
  Memory memory;
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    const std::string_view view(line);
    if (view.starts_with("VmRSS:")) {
      memory.rssKib = std::strtol(line.c_str() + 6, nullptr, 10);
    } else if (view.starts_with("VmHWM:")) {
      memory.hwmKib = std::strtol(line.c_str() + 6, nullptr, 10);
    }
  }
  return memory;
}

// The process that a window names as its owner, when it names one.
std::optional<long> WindowPid(Display* display, Window window) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
  if (pidAtom == None) {
    return std::nullopt;
  }
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type,
                                        &format, &count, &remaining, &data);
  std::optional<long> pid;
  if (status == Success && data != nullptr && format == 32 && count == 1) {
    // Xlib hands 32-bit properties back as longs.
    long value = 0;
    std::memcpy(&value, data, sizeof value);
    pid = value;
  }
  if (data != nullptr) {
    XFree(data);
  }
  return pid;
}

// Override-redirect windows are popups and tooltips, not the program's
// window, unless the program draws its windows unmanaged.
bool IsTopLevelMap(const XEvent& event, Window root, bool unmanaged = false) {
  return event.type == MapNotify && event.xmap.event == root &&
         (unmanaged || event.xmap.override_redirect == False);
}

// A window may be gone by the time the watcher asks about it (programs create
// and destroy helper windows at start-up); Xlib's default handler would exit.
int IgnoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
  return 0;
}

int WarmUp(Display* display, Window root, int count) {
  for (int round = 0; round < count; ++round) {
    const Window window = XCreateSimpleWindow(display, root, 0, 0, 274, 253, 0, 0, 0);
    XMapWindow(display, window);
    XEvent event{};
    do {
      XNextEvent(display, &event);
    } while (!(IsTopLevelMap(event, root) && event.xmap.window == window));
    XDestroyWindow(display, window);
    XSync(display, False);
  }
  return EXIT_SUCCESS;
}

[[noreturn]] void ExecChild(char** command, int reportFd, const sigset_t& previousMask) {
  setpgid(0, 0);
  sigprocmask(SIG_SETMASK, &previousMask, nullptr);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  // Start of the measured interval: the report pipe closes on a good exec.
  const timespec start = Now();
  if (write(reportFd, &start, sizeof start) != static_cast<ssize_t>(sizeof start)) {
    _exit(126);
  }
  execvp(command[0], command);
  const int error = errno;
  [[maybe_unused]] const ssize_t written = write(reportFd, &error, sizeof error);
  _exit(127);
}

void KillGroup(pid_t pid) {
  kill(-pid, SIGKILL);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
}

// Lets the command end on its own terms first; helpers it started still go
// with the group.
void TerminateGroup(pid_t pid) {
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  kill(-pid, SIGKILL);
}

int Watch(Display* display, Window root, int damageEventBase, char** command, int timeoutSeconds,
          bool terminate, bool unmanaged) {
  std::array<int, 2> report{};
  if (pipe2(report.data(), O_CLOEXEC) != 0) {
    std::perror("map_watcher: pipe2");
    return EXIT_FAILURE;
  }
  sigset_t childMask{};
  sigset_t previousMask{};
  sigemptyset(&childMask);
  sigaddset(&childMask, SIGCHLD);
  sigprocmask(SIG_BLOCK, &childMask, &previousMask);
  const int childExitFd = signalfd(-1, &childMask, SFD_CLOEXEC);
  const int xFd = XConnectionNumber(display);
  fcntl(xFd, F_SETFD, FD_CLOEXEC);

  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("map_watcher: fork");
    return EXIT_FAILURE;
  }
  if (pid == 0) {
    close(report[0]);
    ExecChild(command, report[1], previousMask);
  }
  setpgid(pid, pid);
  close(report[1]);
  timespec start{};
  int error = 0;
  if (read(report[0], &start, sizeof start) != static_cast<ssize_t>(sizeof start) ||
      read(report[0], &error, sizeof error) > 0) {
    std::fprintf(stderr, "map_watcher: cannot run %s: %s\n", command[0], std::strerror(error));
    KillGroup(pid);
    return EXIT_FAILURE;
  }
  close(report[0]);

  std::array<pollfd, 2> watched{{{xFd, POLLIN, 0}, {childExitFd, POLLIN, 0}}};
  std::map<Window, Damage> damages;
  std::optional<Window> shown;
  Moment mapped;
  XEvent event{};
  while (true) {
    while (XPending(display) > 0) {
      XNextEvent(display, &event);
      if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
          (unmanaged || event.xcreatewindow.override_redirect == False)) {
        damages[event.xcreatewindow.window] =
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        continue;
      }
      if (!shown.has_value() && IsTopLevelMap(event, root, unmanaged)) {
        const timespec now = Now();
        const Memory memory = ReadMemory(pid);
        const std::optional<long> owner = WindowPid(display, event.xmap.window);
        const bool popup = event.xmap.override_redirect != False;
        if (owner.has_value() ? *owner == pid : !popup) {
          shown = event.xmap.window;
          mapped = {MillisecondsBetween(start, now), memory};
        }
        continue;
      }
      if (shown.has_value() && event.type == damageEventBase + XDamageNotify) {
        const timespec now = Now();
        const Memory memory = ReadMemory(pid);
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): Xlib's event union
        const auto& damaged = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (damaged.drawable != *shown) {
          continue;
        }
        std::printf("%.3f %ld %ld %.3f %ld %ld\n", mapped.milliseconds, mapped.memory.rssKib,
                    mapped.memory.hwmKib, MillisecondsBetween(start, now), memory.rssKib,
                    memory.hwmKib);
        std::fflush(stdout);
        if (terminate) {
          TerminateGroup(pid);
        } else {
          KillGroup(pid);
        }
        return EXIT_SUCCESS;
      }
    }
    const double waited = MillisecondsBetween(start, Now());
    const double left = timeoutSeconds * kMillisecondsPerSecond - waited;
    if (left <= 0) {
      std::fprintf(stderr, "map_watcher: %s mapped and painted no window within %d s\n", command[0],
                   timeoutSeconds);
      KillGroup(pid);
      return EXIT_FAILURE;
    }
    if (poll(watched.data(), watched.size(), static_cast<int>(left) + 1) < 0 && errno != EINTR) {
      std::perror("map_watcher: poll");
      KillGroup(pid);
      return EXIT_FAILURE;
    }
    if ((watched[1].revents & POLLIN) != 0 && XPending(display) == 0) {
      signalfd_siginfo info{};
      [[maybe_unused]] const ssize_t drained = read(childExitFd, &info, sizeof info);
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        std::fprintf(stderr, "map_watcher: %s exited (status %d) before mapping a window\n",
                     command[0], status);
        kill(-pid, SIGKILL);
        return EXIT_FAILURE;
      }
    }
  }
}

int Usage() {
  std::fputs(
      "usage: map_watcher [--timeout SECONDS] [--terminate] [--unmanaged] -- COMMAND "
      "[ARGUMENTS...]\n"
      "       map_watcher --warm-up [COUNT]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  int timeoutSeconds = kDefaultTimeoutSeconds;
  bool terminate = false;
  bool unmanaged = false;
  std::optional<int> warmUpCount;
  int next = 1;
  while (next < argc) {
    const std::string_view option(argv[next]);
    if (option == "--") {
      ++next;
      break;
    }
    if (option == "--timeout" && next + 1 < argc) {
      timeoutSeconds = std::atoi(argv[next + 1]);
      next += 2;
    } else if (option == "--terminate") {
      terminate = true;
      ++next;
    } else if (option == "--unmanaged") {
      unmanaged = true;
      ++next;
    } else if (option == "--warm-up") {
      warmUpCount = next + 1 < argc ? std::atoi(argv[next + 1]) : kDefaultWarmUpCount;
      next = argc;
    } else {
      return Usage();
    }
  }
  if (!warmUpCount.has_value() && (next >= argc || timeoutSeconds <= 0)) {
    return Usage();
  }

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_watcher: cannot open display %s\n", XDisplayName(nullptr));
    return EXIT_FAILURE;
  }
  int damageEventBase = 0;
  int damageErrorBase = 0;
  if (XDamageQueryExtension(display, &damageEventBase, &damageErrorBase) == False) {
    std::fputs("map_watcher: the X server has no DAMAGE extension\n", stderr);
    return EXIT_FAILURE;
  }
  XSetErrorHandler(IgnoreXError);
  const Window root = XDefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  const int result = warmUpCount.has_value() ? WarmUp(display, root, *warmUpCount)
                                             : Watch(display, root, damageEventBase, argv + next,
                                                     timeoutSeconds, terminate, unmanaged);
  XCloseDisplay(display);
  return result;
}
