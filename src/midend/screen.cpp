#include "midend/screen.h"

#include <utility>

#include "midend/screen_core.h"

namespace zv {

// The game takes its source with the plain deleter; DropRandom deletes as it does.
Screen::Screen(Surface& surface, RandomPtr random)
    : core_(std::make_unique<ScreenCore>(surface, std::unique_ptr<RandomSource>(random.release()))) {}
Screen::~Screen() = default;

void Screen::start(double ratio, Time now) { core_->start(ratio, now); }
bool Screen::setRatio(double ratio) { return core_->setRatio(ratio); }
bool Screen::setRoom(double width, double height, double chrome) { return core_->setRoom(width, height, chrome); }
double Screen::fit() const { return core_->fit(); }
int Screen::wake(Time now, Time early, int most) { return core_->wake(now, early, most); }
void Screen::follow(Alarm& alarm) { core_->follow(alarm); }
bool Screen::key(Time now, const KeyInput& key, HeldModifiers held, Focus holder) {
    return core_->key(now, key, held, holder);
}
bool Screen::key(Time now, KeyDown down, Focus holder) { return core_->key(now, down, holder); }
bool Screen::touch(Time now, Touch phase, double x, double y) { return core_->touch(now, phase, x, y); }
bool Screen::touchDevice(Time now, Touch phase, double x, double y) { return core_->touchDevice(now, phase, x, y); }
void Screen::hidden(Time now) { core_->hidden(now); }
void Screen::click(Time now, Button button) { core_->click(now, button); }
void Screen::menuOpened(Time now, int title, Focus holder) { core_->menuOpened(now, title, holder); }
void Screen::menuChosen(Time now, int title, int item, Focus holder) { core_->menuChosen(now, title, item, holder); }
void Screen::menuCommand(Time now, int title, Focus holder) { core_->menuCommand(now, title, holder); }
void Screen::close() { core_->close(); }

const zorvane& Screen::game() const { return core_->game(); }
const BoardGeometry& Screen::geometry() const { return core_->geometry(); }
bool Screen::ended() const { return core_->ended(); }
Focus Screen::focus() const { return core_->focus(); }
int Screen::interval() const { return core_->interval(); }
std::optional<Screen::Time> Screen::nextDue() const { return core_->nextDue(); }
std::int64_t Screen::droppedTicks() const { return core_->droppedTicks(); }
std::span<const std::int16_t> Screen::repainted() const { return core_->repainted(); }
std::int64_t Screen::rebuilds() const { return core_->rebuilds(); }

}  // namespace zv
