// Loading, unloading and showing the window, and access to its controls.
#include <stdexcept>
#include <utility>

#include "game/state.h"
#include "window/description.h"

namespace zv {

zorvane::zorvane(std::unique_ptr<RandomSource> random) : random_(std::move(random)) {
    if (!random_) throw std::invalid_argument("zorvane needs a random source");
}

void zorvane::setOuterSize(float width, float height) {
    innerWidth_ = width - description::frameWidth;
    innerHeight_ = height - description::frameHeight;
}

BlockArray& zorvane::Block() { return const_cast<BlockArray&>(std::as_const(*this).Block()); }
CommandButton& zorvane::pause() { return const_cast<CommandButton&>(std::as_const(*this).pause()); }
CommandButton& zorvane::gameover() { return const_cast<CommandButton&>(std::as_const(*this).gameover()); }
GameTimer& zorvane::Timer1() { return const_cast<GameTimer&>(std::as_const(*this).Timer1()); }

namespace {
const Controls& loadedControls(const std::optional<Controls>& controls) {
    if (!controls) throw std::logic_error("the window is not loaded");
    return *controls;
}
}  // namespace

const BlockArray& zorvane::Block() const { return loadedControls(controls_).Block; }
const CommandButton& zorvane::pause() const { return loadedControls(controls_).pause; }
const CommandButton& zorvane::gameover() const { return loadedControls(controls_).gameover; }
const GameTimer& zorvane::Timer1() const { return loadedControls(controls_).Timer1; }

void zorvane::Unload() {
    controls_.reset();
    onScreen_ = false;
}

// Showing an unloaded window builds it from its description and runs the load
// handler before it goes on screen.
void zorvane::Show() {
    if (ended_) return;
    if (!loaded()) {
        controls_.emplace(description::makeControls());
        caption_ = description::title;
        innerWidth_ = description::innerWidth;
        innerHeight_ = description::innerHeight;
        ++loadCount_;
        Form_Load();
    }
    onScreen_ = true;
}

}  // namespace zv
