// Whole user operations through the window, off screen: the text is already in
// its box, as after a paste; the timed part is the button press and every
// event that follows until the controls are drawn. Beside each, its floor:
// the same core operation on a state of its own plus one update of each
// control whose field it changed (setText of a box, setChecked of a pin box,
// the caption of the select-all button) on controls of the window's settings;
// and the core operation alone. The window should cost little more than its
// floor.
//
//   window_bench [benchmark flags]       the operations, then a table of ratios
//   window_bench --peak window|floor     one 1,000,000-digit hexadecimal
//                                        conversion, then the process's VmHWM

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control_placement.h"
#include "main_window.h"
#include "plinthar/conversion_commands.h"
#include "plinthar/converter_state.h"
#include "plinthar/form/form_table.h"
#include "plinthar/form/screen_units.h"
#include "warning_box.h"

namespace {

constexpr std::array<std::int64_t, 4> kSizes = {10, 1'000, 100'000, 1'000'000};
constexpr std::size_t kPeakDigits = 1'000'000;

QString LeadingZeros(std::size_t length, const char* tail) {
  const QString end = QString::fromLatin1(tail);
  return QString(static_cast<qsizetype>(length) - end.size(), u'0') + end;
}

QString RepeatedTo(std::size_t length, const char* pattern) {
  const QString unit = QString::fromLatin1(pattern);
  QString text;
  text.reserve(static_cast<qsizetype>(length));
  while (static_cast<std::size_t>(text.size()) < length) {
    text.append(unit.at(text.size() % unit.size()));
  }
  return text;
}

// The user pastes the text: the box shows it and raises textEdited, which is
// how the window stores what is typed.
void Paste(QLineEdit& box, const QString& text) {
  box.setText(text);
  Q_EMIT box.textEdited(text);
}

// A refused decimal answers with a modal warning box; the "user" closes it as
// soon as its event loop runs.
void CloseWarningWhenShown() {
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget(); box != nullptr) {
      box->close();
    }
  });
}

// Where each timed operation starts from.
enum class Start : std::uint8_t {
  // The window as it opens: empty boxes, clear pins. The pins the operation
  // sets run the cascade, whose last step leaves short texts.
  Cleared,
  // Right after the same operation: the pins already show the result, so no
  // cascade runs and the boxes keep the long texts.
  Repeated,
};

struct Operation {
  const char* name;
  plinthar::TextField input;
  const char* box;
  const char* button;
  QString (*makeInput)(std::size_t);
  void (*command)(plinthar::ConverterState&);
  Start start;
  bool warns;
};

QString HexWithLeadingZeros(std::size_t n) {
  return LeadingZeros(n, "3F");
}

QString HexBeyondRangeText(std::size_t n) {
  return RepeatedTo(n, "9F3A6C1E");
}

QString DecimalWithLeadingZeros(std::size_t n) {
  return LeadingZeros(n, "200");
}

QString DecimalBeyondRangeText(std::size_t n) {
  return RepeatedTo(n, "9876543210");
}

using plinthar::ConvertDecimal;
using plinthar::ConvertHex;
using plinthar::TextField;

const std::array<Operation, 5> kOperations{{
    {"HexLeadingZeros", TextField::HexText, "Text2", "Command1", HexWithLeadingZeros, ConvertHex,
     Start::Cleared, false},
    {"HexBeyondRange", TextField::HexText, "Text2", "Command1", HexBeyondRangeText, ConvertHex,
     Start::Cleared, false},
    {"HexBeyondRangeRepeated", TextField::HexText, "Text2", "Command1", HexBeyondRangeText,
     ConvertHex, Start::Repeated, false},
    {"DecimalLeadingZeros", TextField::DecimalText, "Text3", "Command2", DecimalWithLeadingZeros,
     ConvertDecimal, Start::Cleared, false},
    // Refused: nothing changes, so the long text stays in its box.
    {"DecimalRefusedBeyondRange", TextField::DecimalText, "Text3", "Command2",
     DecimalBeyondRangeText, ConvertDecimal, Start::Cleared, true},
}};

// --- Through the window ----------------------------------------------------

class WindowUnderTest {
 public:
  explicit WindowUnderTest(const Operation& operation)
      : window_(QString()),
        input_(window_.findChild<QLineEdit*>(QString::fromLatin1(operation.box))),
        command_(window_.findChild<QPushButton*>(QString::fromLatin1(operation.button))),
        toggle_(window_.findChild<QPushButton*>(QStringLiteral("Command3"))),
        warns_(operation.warns) {
    window_.show();
    QApplication::processEvents();
  }

  [[nodiscard]] bool Complete() const {
    return input_ != nullptr && command_ != nullptr && toggle_ != nullptr;
  }

  // Back to the opening state through the select-all / clear button, which
  // clears pins and boxes on the press that follows a select-all.
  void Clear() {
    toggle_->click();
    if (toggle_->text() != QString::fromUtf8(plinthar::kSelectAllCaption)) {
      toggle_->click();
    }
    QApplication::processEvents();
  }

  void Paste(const QString& text) { ::Paste(*input_, text); }

  // One press, kept out of line so that a profiler can count exactly this:
  // valgrind --tool=callgrind --toggle-collect='*Press*'.
  [[gnu::noinline]] void Press() {
    if (warns_) {
      CloseWarningWhenShown();
    }
    command_->click();
    QApplication::processEvents();
  }

 private:
  plinthar::MainWindow window_;
  QLineEdit* input_;
  QPushButton* command_;
  QPushButton* toggle_;
  bool warns_;
};

// --- The floor ---------------------------------------------------------------

// The window's warning box, modal to a window of the form's size as the
// window's own is, without the window's controls.
class BoxPlatform : public plinthar::Platform {
 public:
  explicit BoxPlatform(QWidget& owner) : owner_(owner) {}
  void ShowWarning(const std::string& message, const std::string& title) override {
    plinthar::ShowWarningBox(owner_, message, title);
  }

 private:
  QWidget& owner_;
};

constexpr std::array<TextField, 3> kBoxFields{TextField::BinaryText, TextField::HexText,
                                              TextField::DecimalText};

// A state of its own and the controls that show fields, with the window's
// settings and places: the three line edits, the eight pin boxes and the
// select-all button. Nothing else of the window.
class Floor {
 public:
  explicit Floor(const Operation& operation) : operation_(operation) {
    namespace form = plinthar::form;
    parent_.resize(form::TwipsToPixels(form::kClientWidth),
                   form::TwipsToPixels(form::kClientHeight));
    for (std::size_t i = 0; i < kBoxFields.size(); ++i) {
      const form::ControlSpec& spec = form::ControlShowing(kBoxFields.at(i));
      auto* box = new QLineEdit(&parent_);
      plinthar::PlaceControl(*box, spec);
      box->setMaxLength(std::numeric_limits<int>::max());
      box->setAlignment(
          (spec.alignment == form::TextAlignment::Right ? Qt::AlignRight : Qt::AlignHCenter) |
          Qt::AlignVCenter);
      boxes_.at(i) = box;
    }
    auto* frame = new QWidget(&parent_);
    plinthar::PlaceControl(*frame, form::Frame1);
    for (int pin = 0; pin < plinthar::kPinCount; ++pin) {
      auto* box = new QCheckBox(frame);
      plinthar::PlaceControl(*box, *form::kPinBoxes.at(static_cast<std::size_t>(pin)));
      pins_.at(static_cast<std::size_t>(pin)) = box;
    }
    caption_ = new QPushButton(&parent_);
    plinthar::PlaceControl(*caption_, form::Command3);
    parent_.show();
    QApplication::processEvents();
  }

  // Untimed: a fresh state and controls as the window would show them just
  // before the press.
  void Prepare(const std::string& input) {
    state_ = std::make_unique<plinthar::ConverterState>(platform_);
    if (operation_.start == Start::Cleared) {
      // As the window is cleared before each press: empty boxes and pins,
      // then the input pasted afresh, so that both start equally warm.
      Show();
      QApplication::processEvents();
    }
    if (operation_.start == Start::Repeated) {
      // The first run sets the pins, whose cascade leaves short texts; the
      // second changes no pin and leaves the long texts that the window's
      // boxes hold between its repeated presses.
      for (int run = 0; run < 2; ++run) {
        state_->SetText(operation_.input, input);
        Command();
      }
    }
    state_->SetText(operation_.input, input);
    Show();
    QApplication::processEvents();
  }

  void Command() {
    if (operation_.warns) {
      CloseWarningWhenShown();
    }
    operation_.command(*state_);
  }

  // The core operation, then each changed field shown once and drawn.
  [[gnu::noinline]] void Run(bool showFields) {
    Command();
    if (showFields) {
      Show();
      QApplication::processEvents();
    }
  }

 private:
  void Show() {
    for (std::size_t i = 0; i < kBoxFields.size(); ++i) {
      const QString text = QString::fromStdString(state_->Text(kBoxFields.at(i)));
      if (boxes_.at(i)->text() != text) {
        boxes_.at(i)->setText(text);
      }
    }
    for (int pin = 0; pin < plinthar::kPinCount; ++pin) {
      QCheckBox* box = pins_.at(static_cast<std::size_t>(pin));
      if (box->isChecked() != state_->Pin(pin)) {
        box->setChecked(state_->Pin(pin));
      }
    }
    const QString caption = QString::fromStdString(state_->ToggleCaption());
    if (caption_->text() != caption) {
      caption_->setText(caption);
    }
  }

  const Operation& operation_;
  QWidget parent_;
  BoxPlatform platform_{parent_};
  std::unique_ptr<plinthar::ConverterState> state_;
  std::array<QLineEdit*, 3> boxes_{};
  std::array<QCheckBox*, plinthar::kPinCount> pins_{};
  QPushButton* caption_ = nullptr;
};

enum class Measured : std::uint8_t { Window, Floor, Core };

void RunOperation(benchmark::State& bench, const Operation& operation, Measured measured) {
  const QString text = operation.makeInput(static_cast<std::size_t>(bench.range(0)));
  if (measured == Measured::Window) {
    WindowUnderTest window(operation);
    if (!window.Complete()) {
      bench.SkipWithError("the window has no such control");
      return;
    }
    if (operation.start == Start::Repeated) {
      // As for the floor: the second press leaves the long texts in place.
      for (int run = 0; run < 2; ++run) {
        window.Paste(text);
        window.Press();
      }
    }
    for (auto _ : bench) {
      bench.PauseTiming();
      if (operation.start == Start::Cleared) {
        window.Clear();
      }
      window.Paste(text);
      QApplication::processEvents();
      bench.ResumeTiming();
      window.Press();
    }
  } else {
    Floor floor(operation);
    const std::string input = text.toStdString();
    for (auto _ : bench) {
      bench.PauseTiming();
      floor.Prepare(input);
      bench.ResumeTiming();
      floor.Run(measured == Measured::Floor);
    }
  }
  bench.SetComplexityN(bench.range(0));
}

// --- The table of ratios -----------------------------------------------------

// Collects the wall time of every run while the console reporter prints them,
// for the table printed at the end. With --benchmark_repetitions it keeps the
// fastest repetition: on a shared machine the others measure the neighbours.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        const double milliseconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        const auto [entry, added] = milliseconds_.try_emplace(run.benchmark_name(), milliseconds);
        entry->second = std::min(entry->second, milliseconds);
      }
    }
  }

  void PrintRatios() const {
    std::printf("\n%-28s %9s %11s %11s %11s %8s %8s\n", "operation", "chars", "window ms",
                "floor ms", "core ms", "/floor", "/core");
    for (const Operation& operation : kOperations) {
      for (const std::int64_t size : kSizes) {
        const auto time = [&](const char* suffix) -> std::optional<double> {
          const auto found =
              milliseconds_.find(std::string(operation.name) + suffix + "/" + std::to_string(size));
          return found == milliseconds_.end() ? std::nullopt : std::optional(found->second);
        };
        const auto window = time("");
        const auto floor = time("_Floor");
        const auto core = time("_Core");
        if (!window || !floor || !core) {
          continue;
        }
        std::printf("%-28s %9lld %11.4g %11.4g %11.4g %8.2f %8.2f\n", operation.name,
                    static_cast<long long>(size), *window, *floor, *core, *window / *floor,
                    *window / *core);
      }
    }
  }

 private:
  std::map<std::string, double> milliseconds_;
};

// --- Peak memory of one conversion ------------------------------------------

long PeakResidentKibibytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return -1;
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) {
      return line.mid(6).trimmed().split(' ').first().toLong();
    }
  }
  return -1;
}

int MeasurePeak(const char* what) {
  const Operation& operation = kOperations.at(1);  // hexadecimal beyond 32 bits
  const QString text = operation.makeInput(kPeakDigits);
  if (std::strcmp(what, "window") == 0) {
    WindowUnderTest window(operation);
    window.Paste(text);
    window.Press();
  } else if (std::strcmp(what, "floor") == 0) {
    Floor floor(operation);
    floor.Prepare(text.toStdString());
    floor.Run(true);
  } else {
    std::fprintf(stderr, "window_bench: --peak takes window or floor\n");
    return 2;
  }
  std::printf("%s VmHWM %ld KiB\n", what, PeakResidentKibibytes());
  return 0;
}

// The off-screen platform says for every warning box that it cannot pass size
// hints on; that line, repeated thousands of times, would bury the results.
QtMessageHandler qtHandler = nullptr;

void DropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!message.contains(QStringLiteral("propagateSizeHints"))) {
    qtHandler(type, context, message);
  }
}

void RegisterBenchmarks() {
  const std::array<std::pair<Measured, const char*>, 3> kinds{
      {{Measured::Window, ""}, {Measured::Floor, "_Floor"}, {Measured::Core, "_Core"}}};
  for (const Operation& operation : kOperations) {
    for (const auto& [measured, suffix] : kinds) {
      auto* bench =
          benchmark::RegisterBenchmark((std::string(operation.name) + suffix).c_str(),
                                       [&operation, measured = measured](benchmark::State& state) {
                                         RunOperation(state, operation, measured);
                                       });
      for (const std::int64_t size : kSizes) {
        bench->Arg(size);
      }
      bench->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
    }
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  // No display is needed: the window draws into an off-screen surface.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::strcmp(argv[1], "--peak") == 0) {
    const QApplication application(argc, argv);
    return MeasurePeak(argv[2]);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  qtHandler = qInstallMessageHandler(DropSizeHintNotes);
  const QApplication application(argc, argv);
  RegisterBenchmarks();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
