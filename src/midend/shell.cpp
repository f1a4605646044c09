#include "midend/shell.h"

#include <utility>

namespace zv {

Shell::Shell(std::unique_ptr<RandomSource> random) : game_(std::move(random)) {}

ScreenUpdate Shell::start() {
    game_.Show();
    return collect(Focus::Board);
}

ScreenUpdate Shell::collect(Focus had) {
    ScreenUpdate update;
    if (game_.ended()) {
        update.ended = true;
        return update;
    }
    BlockArray& cells = game_.Block();
    if (game_.loadCount() != shownLoad_) {
        shownLoad_ = game_.loadCount();
        geometry_.rebuild(cells, int(game_.cols), int(game_.rows));
        update.rebuild = true;
    } else {
        changed_.assign(cells.changes().begin(), cells.changes().end());
        update.cells = changed_;
    }
    cells.clearChanges();
    update.inner = innerBox(game_.innerWidth(), game_.innerHeight());

    update.pause = {game_.pause().shown, buttonBox(game_.pause())};
    update.gameover = {game_.gameover().shown, buttonBox(game_.gameover())};
    if (game_.Caption() != shownTitle_) {
        shownTitle_ = game_.Caption();
        update.title = shownTitle_;
    }
    update.interval = int(game_.Timer1().interval);
    update.focus = focusAfter(had, update.pause.shown, update.gameover.shown);
    return update;
}

// Game Over comes first in the tab order, so a hidden Pause hands the focus
// to it when it is shown; otherwise the keys go back to the board.
std::optional<Focus> Shell::focusAfter(Focus had, bool pauseShown, bool gameoverShown) {
    if (had == Focus::Pause && !pauseShown) return gameoverShown ? Focus::GameOver : Focus::Board;
    if ((had == Focus::GameOver && !gameoverShown) || had == Focus::Nothing) return Focus::Board;
    return std::nullopt;
}

}  // namespace zv
