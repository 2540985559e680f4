// In-process timings of the window (offscreen): a keypad-plus keystroke to the new total, and the
// O key's repetition on long pasted texts, each beside a plain QLineEdit doing the same typing as
// the toolkit's own baseline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdint>

#include "form2_widget.h"

namespace {

using orindel::Form2Widget;

struct Window {
  Form2Widget form;
  QLineEdit* box[4] = {};
  QLabel* total = nullptr;

  Window() {
    form.setMessageHandler([](const QString&) {});
    form.show();
    for (int n = 1; n <= 3; ++n)
      box[n] = form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    total = form.findChild<QLabel*>(QStringLiteral("Label4"));
  }
};

// From the keypad-plus key event in Text3 to Label4 showing the new total. Adds and subtracts in
// turn, so the count never reaches its limit however long the run.
void BM_KeypadSignToTotal(benchmark::State& state) {
  Window w;
  bool add = true;
  for (auto _ : state) {
    state.PauseTiming();
    w.box[1]->setText(QStringLiteral("0"));
    w.box[2]->setText(QStringLiteral("1"));
    w.box[3]->setText(QStringLiteral("30"));
    state.ResumeTiming();
    QTest::keyClick(w.box[3], add ? Qt::Key_Plus : Qt::Key_Minus, Qt::KeypadModifier);
    benchmark::DoNotOptimize(w.total->text());
    add = !add;
  }
  if (w.total->text() != QStringLiteral(" 0: 0: 0") &&
      w.total->text() != QStringLiteral(" 0: 1: 30")) {
    state.SkipWithError("the total is wrong");
  }
}
BENCHMARK(BM_KeypadSignToTotal)->Unit(benchmark::kMicrosecond);

// Baseline: the same keystroke typed into a plain QLineEdit.
void BM_Baseline_KeyIntoLineEdit(benchmark::State& state) {
  QLineEdit edit;
  edit.show();
  for (auto _ : state) {
    state.PauseTiming();
    edit.setText(QStringLiteral("30"));
    state.ResumeTiming();
    QTest::keyClick(&edit, Qt::Key_Plus, Qt::KeypadModifier);
    benchmark::DoNotOptimize(edit.text());
  }
}
BENCHMARK(BM_Baseline_KeyIntoLineEdit)->Unit(benchmark::kMicrosecond);

// The deepest stack seen in any change event, below the frame that started the paste.
struct StackProbe {
  std::uintptr_t top = 0;
  std::uintptr_t lowest = UINTPTR_MAX;
  void watch(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textChanged, box, [this] {
      volatile char here = 0;
      lowest = std::min(lowest, reinterpret_cast<std::uintptr_t>(&here));
    });
  }
  std::int64_t depth() const { return static_cast<std::int64_t>(top - lowest); }
};

// A paste of state.range(0) characters into Text2 after an O: the panel toggles once per
// character and the box ends empty.
void BM_ORepetitionOnPaste(benchmark::State& state) {
  Window w;
  StackProbe probe;
  probe.watch(w.box[2]);
  QTest::keyClick(w.box[1], Qt::Key_O);  // leaves the O key pending
  const QString text(static_cast<qsizetype>(state.range(0)), QLatin1Char('7'));
  QApplication::clipboard()->setText(text);
  for (auto _ : state) {
    volatile char top = 0;
    probe.top = reinterpret_cast<std::uintptr_t>(&top);
    w.box[2]->paste();
  }
  if (!w.box[2]->text().isEmpty()) state.SkipWithError("the box was not emptied");
  state.counters["stack_bytes"] = static_cast<double>(probe.depth());
}
BENCHMARK(BM_ORepetitionOnPaste)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// Baseline: the same paste into a plain QLineEdit, which keeps the text.
void BM_Baseline_PasteIntoLineEdit(benchmark::State& state) {
  QLineEdit edit;
  edit.setMaxLength(std::numeric_limits<int>::max());
  edit.show();
  const QString text(static_cast<qsizetype>(state.range(0)), QLatin1Char('7'));
  QApplication::clipboard()->setText(text);
  for (auto _ : state) {
    state.PauseTiming();
    edit.clear();
    state.ResumeTiming();
    edit.paste();
  }
}
BENCHMARK(BM_Baseline_PasteIntoLineEdit)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
