// Whole user operations through the window, off screen: put a text into a
// box as a paste would, press the button, and let the window handle every
// event that follows (the pin cascade, the three boxes redrawn). Beside them,
// Qt's own line edit taking the same texts, to tell the window's cost from
// the toolkit's.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "main_window.h"
#include "plinthar/converter_state.h"

namespace {

constexpr std::array<std::int64_t, 4> kSizes = {10, 1'000, 100'000, 1'000'000};

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

// The refused decimal answers with a modal warning box; the "user" closes it
// as soon as its event loop runs.
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
  // sets run the cascade, whose last step rewrites the boxes with short texts.
  Cleared,
  // Right after the same operation: the pins already show the result, so no
  // cascade runs and the boxes keep the long texts, which Qt lays out and draws.
  Repeated,
};

// Back to the opening state through the select-all / clear button, which
// clears pins and boxes on the press that follows a select-all.
void ClearWindow(QPushButton& toggle) {
  toggle.click();
  if (toggle.text() != QString::fromUtf8(plinthar::kSelectAllCaption)) {
    toggle.click();
  }
  QApplication::processEvents();
}

// One user operation, kept out of line so that a profiler can count exactly
// this: valgrind --tool=callgrind --toggle-collect='*PerformOperation*'.
[[gnu::noinline]] void PerformOperation(QLineEdit& input, const QString& text, QPushButton& command,
                                        bool warns) {
  Paste(input, text);
  if (warns) {
    CloseWarningWhenShown();
  }
  command.click();
  QApplication::processEvents();
}

template <typename MakeInput>
void RunOperation(benchmark::State& bench, const char* box, const char* button, MakeInput makeInput,
                  Start start, bool warns = false) {
  plinthar::MainWindow window{QString()};
  window.show();
  QApplication::processEvents();
  auto* input = window.findChild<QLineEdit*>(QString::fromLatin1(box));
  auto* command = window.findChild<QPushButton*>(QString::fromLatin1(button));
  auto* toggle = window.findChild<QPushButton*>(QStringLiteral("Command3"));
  if (input == nullptr || command == nullptr || toggle == nullptr) {
    bench.SkipWithError("the window has no such control");
    return;
  }
  const QString text = makeInput(static_cast<std::size_t>(bench.range(0)));
  if (start == Start::Repeated) {
    // The operation that the timed ones repeat, leaving its results in place.
    Paste(*input, text);
    command->click();
    QApplication::processEvents();
  }
  for (auto _ : bench) {
    if (start == Start::Cleared) {
      bench.PauseTiming();
      ClearWindow(*toggle);
      bench.ResumeTiming();
    }
    PerformOperation(*input, text, *command, warns);
  }
  bench.SetComplexityN(bench.range(0));
}

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

void HexLeadingZeros(benchmark::State& bench) {
  RunOperation(bench, "Text2", "Command1", HexWithLeadingZeros, Start::Cleared);
}

void HexBeyondRange(benchmark::State& bench) {
  RunOperation(bench, "Text2", "Command1", HexBeyondRangeText, Start::Cleared);
}

void HexBeyondRangeRepeated(benchmark::State& bench) {
  RunOperation(bench, "Text2", "Command1", HexBeyondRangeText, Start::Repeated);
}

void DecimalLeadingZeros(benchmark::State& bench) {
  RunOperation(bench, "Text3", "Command2", DecimalWithLeadingZeros, Start::Cleared);
}

// Refused: nothing changes, so the long text stays in the box and is drawn.
void DecimalRefusedBeyondRange(benchmark::State& bench) {
  RunOperation(bench, "Text3", "Command2", DecimalBeyondRangeText, Start::Cleared, true);
}

// Qt alone: a line edit of the window's settings taking a text and drawing it.
void QtLineEditSetText(benchmark::State& bench) {
  QLineEdit box;
  box.setMaxLength(std::numeric_limits<int>::max());
  box.setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  box.resize(41, 25);
  box.show();
  QApplication::processEvents();
  const QString text = HexBeyondRangeText(static_cast<std::size_t>(bench.range(0)));
  const QString other = RepeatedTo(static_cast<std::size_t>(bench.range(0)), "E1C6A3F9");
  bool flip = false;
  for (auto _ : bench) {
    // Alternate two texts: the same text again would be no change at all.
    box.setText(flip ? other : text);
    flip = !flip;
    QApplication::processEvents();
  }
  bench.SetComplexityN(bench.range(0));
}

void Sizes(benchmark::internal::Benchmark* bench) {
  for (const std::int64_t size : kSizes) {
    bench->Arg(size);
  }
  bench->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

// The off-screen platform says for every warning box that it cannot pass size
// hints on; that line, repeated thousands of times, would bury the results.
QtMessageHandler qtHandler = nullptr;

void DropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!message.contains(QStringLiteral("propagateSizeHints"))) {
    qtHandler(type, context, message);
  }
}

}  // namespace

BENCHMARK(HexLeadingZeros)->Apply(Sizes);
BENCHMARK(HexBeyondRange)->Apply(Sizes);
BENCHMARK(HexBeyondRangeRepeated)->Apply(Sizes);
BENCHMARK(DecimalLeadingZeros)->Apply(Sizes);
BENCHMARK(DecimalRefusedBeyondRange)->Apply(Sizes);
BENCHMARK(QtLineEditSetText)->Apply(Sizes);

int main(int argc, char* argv[]) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  // No display is needed: the window draws into an off-screen surface.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qtHandler = qInstallMessageHandler(DropSizeHintNotes);
  const QApplication application(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
