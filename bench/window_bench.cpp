// Speed of the window: repainting after a tick, rebuilding and repainting a
// whole board, and sustained play at the shortest interval with drawing on.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise:
//   ./window_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <ctime>

#include "pilot.h"
#include "qt/game_clock.h"
#include "qt/main_window.h"

namespace zv {

// The benchmark's view of the window's inside: the Screen, the game behind
// it, and the board.
class WindowBenchPeer {
public:
    static Screen& screen(MainWindow& window) { return window.screen_; }
    static QWidget* board(MainWindow& window) { return window.parts_.board; }
    static QPushButton* gameover(MainWindow& window) {
        return static_cast<QPushButton*>(window.parts_.of(Button::GameOver));
    }
};

}  // namespace zv

namespace {

using bench::Pilot;
using zv::WindowBenchPeer;
using zv::Integer;
using zv::MainWindow;
using Time = zv::Alarm::Time;

// An alarm that goes off only when the benchmark says: one tick at a time.
class StepAlarm final : public zv::Alarm {
public:
    Time now() const override { return now_; }
    void wakeAt(std::optional<Time> due) override { due_ = due; }
    void fire() {
        if (!due_) return;
        now_ = *due_;
        onWake(now_);
    }

private:
    Time now_{};
    std::optional<Time> due_;
};

constexpr Integer largestBoard = 102;

// An arrow key as the keyboard delivers it, to whatever holds the focus.
void pressKey(MainWindow& window, Integer code) {
    static const QHash<Integer, int> qtKeys{
        {zv::keys::Up, Qt::Key_Up}, {zv::keys::Down, Qt::Key_Down},
        {zv::keys::Left, Qt::Key_Left}, {zv::keys::Right, Qt::Key_Right}};
    QKeyEvent press(QEvent::KeyPress, qtKeys.value(code), Qt::NoModifier);
    QWidget* target = window.focusWidget() ? window.focusWidget() : WindowBenchPeer::board(window);
    QApplication::sendEvent(target, &press);
}


// A window on the largest board, on screen and fully drawn once.
struct Table {
    explicit Table(std::unique_ptr<zv::Alarm> alarm = std::make_unique<StepAlarm>())
        : clock(*alarm), window(std::make_unique<zv::TimeSeededRandom>(), std::move(alarm)) {
        newGame();
        window.show();
        // The first expose comes through the event loop.
        for (int i = 0; i < 100 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
    }
    // Runs the repaint the last handler asked for, now.
    void paint() { QCoreApplication::processEvents(); }
    // A new game on the largest board, as the player starts one: "100x100"
    // on the Size menu, then Game Over.
    void newGame() {
        menu(1)->actions().back()->trigger();
        WindowBenchPeer::gameover(window)->click();
        paint();
    }
    void tick() { static_cast<StepAlarm&>(clock).fire(); }
    // Speed, then Size.
    QMenu* menu(int place) { return window.menuBar()->actions().at(place)->menu(); }
    zv::Screen& screen() { return WindowBenchPeer::screen(window); }

    zv::Alarm& clock;
    MainWindow window;
    Pilot pilot{screen().game(), [this](Integer key) { pressKey(window, key); }};
};

// Counts the board's paints and the pixels they cover.
struct PaintCounter final : QObject {
    PaintCounter() = default;
    PaintCounter(const PaintCounter& other) : QObject(), paints(other.paints), pixels(other.pixels) {}
    long paints = 0;
    long pixels = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region()) pixels += long(r.width()) * r.height();
        }
        return false;
    }
};
// One tick on the largest board, steered, and the repaint of the cells it
// changed (the head, the previous head, the tail, food).
void BM_TickAndRepaint(benchmark::State& state) {
    Table table;
    PaintCounter counter;
    WindowBenchPeer::board(table.window)->installEventFilter(&counter);
    for (auto _ : state) {
        if (!table.pilot.steer() || table.pilot.eatsNext()) {
            // New boards and meals are measured elsewhere; keep this a plain tick.
            state.PauseTiming();
            const PaintCounter plain = counter;  // whole-board repaints are not a tick's
            if (table.screen().game().gameover().shown || !table.pilot.steer()) table.newGame();
            table.tick();
            table.paint();
            counter.paints = plain.paints;
            counter.pixels = plain.pixels;
            state.ResumeTiming();
            continue;
        }
        table.tick();
        table.paint();
    }
    state.counters["pixels_per_paint"] = double(counter.pixels) / double(std::max(1L, counter.paints));
}
BENCHMARK(BM_TickAndRepaint)->Unit(benchmark::kMicrosecond);

// A click on Game Over: the board rebuilt from scratch and all of it repainted.
void BM_ReloadAndRepaint(benchmark::State& state) {
    Table table;
    PaintCounter counter;
    WindowBenchPeer::board(table.window)->installEventFilter(&counter);
    counter.paints = counter.pixels = 0;
    for (auto _ : state) table.newGame();
    state.counters["paints"] = double(counter.paints);
    state.counters["pixels"] = double(counter.pixels);
    state.counters["cells"] = double(table.screen().game().Block().count() - 1);
}
BENCHMARK(BM_ReloadAndRepaint)->Unit(benchmark::kMicrosecond);

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Play at "Insane" (1 ms) on the largest board for five seconds on the real
// clock, drawing on, the pilot steering between ticks as a player's keys would.
// Reports ticks per second and the share of one core the program used.
void BM_SustainedInsane(benchmark::State& state) {
    for (auto _ : state) {
        const auto source = state.range(0) ? zv::GameClock::Source::QtTimer : zv::GameClock::Source::KernelTimer;
        Table table(std::make_unique<zv::GameClock>(source));
        table.menu(0)->actions().front()->trigger();  // "Insane"
        long ticks = 0;
        long newGames = 0;
        // Each wake-up runs the ticks due by the Screen's pacing; the pilot
        // then steers for the next one, as a player's keys come between them.
        table.clock.onWake = [&](Time now) {
            ticks += table.screen().wake(now, table.clock.early());
            if (table.screen().game().gameover().shown || !table.pilot.steer()) {
                table.newGame();
                ++newGames;
                table.pilot.steer();  // the first arrow starts the clock again
            }
        };
        table.pilot.steer();

        const double cpu0 = processSeconds();
        QElapsedTimer wall;
        wall.start();
        QTimer::singleShot(5000, Qt::PreciseTimer, qApp, [] { QCoreApplication::exit(0); });
        QApplication::exec();
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        const double cpu = processSeconds() - cpu0;

        state.SetIterationTime(seconds);
        state.counters["ticks_per_s"] = double(ticks) / seconds;
        state.counters["cpu_percent"] = 100.0 * cpu / seconds;
        state.counters["new_games"] = double(newGames);
        state.counters["kernel_timer"] = dynamic_cast<zv::GameClock&>(table.clock).usesKernelTimer();
        state.counters["dropped"] = double(table.screen().droppedTicks());
    }
}
// qt_timer:1 runs the same play on the clock of systems without timerfd: the
// same schedule, woken by a precise one-shot QTimer for each due time.
BENCHMARK(BM_SustainedInsane)->ArgName("qt_timer")->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
