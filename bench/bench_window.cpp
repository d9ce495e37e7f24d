// The window's table with a million primers loaded: a full repaint of its
// viewport in the middle of the list and at its end, and a page down with its
// repaint (rows drawn for the first time). One frame at 60 Hz is 16.7 ms.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include <memory>

#include "ContentView.h"
#include "MainWindow.h"
#include "PrimerTable.h"
#include "PrimerTableModel.h"
#include "app/ProcessMemory.h"
#include "common/SyntheticPrimers.h"

namespace tamsel::bench {
namespace {

constexpr int kPrimers = 1'000'000;
constexpr int kWindowWidth = 1200;
constexpr int kWindowHeight = 800;

std::unique_ptr<MainWindow> theWindow;

// Made on first use, so that a filtered run that needs none builds no list.
PrimerTable& table() {
  if (!theWindow) {
    theWindow = std::make_unique<MainWindow>();
    theWindow->resize(kWindowWidth, kWindowHeight);
    ContentView& content = theWindow->content();
    content.tableModel().replacePrimers(syntheticPrimers(kPrimers));
    // The check would otherwise run on a timer between two benchmarks and
    // change what the rows show.
    content.checkList();
    theWindow->show();
    QCoreApplication::processEvents();
  }
  return theWindow->content().table();
}

void scrollToRow(int row) {
  PrimerTable& view = table();
  view.scrollTo(view.model()->index(row, PrimerTableModel::NameColumn), QAbstractItemView::PositionAtCenter);
  QCoreApplication::processEvents();
}

void countRowsShown(benchmark::State& state) {
  const PrimerTable& view = table();
  const int first = view.rowAt(0);
  int last = view.rowAt(view.viewport()->height() - 1);
  if (last < 0) last = view.model()->rowCount() - 1;
  state.counters["rows"] = first < 0 ? 0 : last - first + 1;
  state.counters["first_row"] = first;
}

void repaintInPlace(benchmark::State& state) {
  QWidget* viewport = table().viewport();
  viewport->repaint();  // the first paint of these rows builds their annotations
  for (auto _ : state) viewport->repaint();
  countRowsShown(state);
}

void BM_RepaintMiddle(benchmark::State& state) {
  scrollToRow(kPrimers / 2);
  repaintInPlace(state);
}

void BM_RepaintEnd(benchmark::State& state) {
  table().scrollToBottom();
  QCoreApplication::processEvents();
  repaintInPlace(state);
}

// Each page is new to the row caches, so every cell is laid out afresh.
void BM_PageDownRepaint(benchmark::State& state) {
  scrollToRow(kPrimers / 2);
  QScrollBar* scrollBar = table().verticalScrollBar();
  QWidget* viewport = table().viewport();
  for (auto _ : state) {
    scrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    viewport->repaint();
  }
  countRowsShown(state);
}

// Fixed counts: a page down per iteration must stay inside the list.
BENCHMARK(BM_RepaintMiddle)->Iterations(100)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintEnd)->Iterations(100)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownRepaint)->Iterations(100)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamsel::bench

int main(int argc, char** argv) {
  tamsel::returnLargeBuffersWhenFreed();  // as the application does
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tamsel::bench::theWindow.reset();
  return 0;
}
