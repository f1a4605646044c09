#include "window/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "window/description.h"
#include "window/keys.h"
#include "window/menus.h"
#include "window/qt/board_widget.h"
#include "window/qt/caption_button.h"
#include "window/qt/game_clock.h"
#include "window/qt/menu_bar.h"
#include "window/qt/window_gone.h"

namespace zv {
namespace {

QFont buttonFont() {
    QFont font(QString::fromUtf8(description::buttonFont.data(), qsizetype(description::buttonFont.size())));
    font.setStyleHint(QFont::SansSerif);  // where Arial is missing
    font.setPointSizeF(description::buttonPointSize);
    font.setWeight(QFont::Weight(description::buttonWeight));
    return font;
}

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

MainWindow::MainWindow(std::unique_ptr<RandomSource> random, std::unique_ptr<TickClock> clock, QWidget* parent)
    : QMainWindow(parent),
      shell_(std::move(random)),
      clock_(clock ? std::move(clock) : std::make_unique<GameClock>()) {
    clock_->onTick = [this] { tick(); };
    // The board sets the window's size, so there is nothing to maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    board_ = new BoardWidget(shell_, this);
    board_->setObjectName("board");
    setCentralWidget(board_);
    connect(board_, &BoardWidget::keyDown, this, &MainWindow::keyDown);

    // Created in this order, so Game Over is drawn above Pause where they overlap.
    pause_ = new CaptionButton(text(description::pauseCaption), board_);
    gameover_ = new CaptionButton(text(description::gameoverCaption), board_);
    pause_->setObjectName("pause");
    gameover_->setObjectName("gameover");
    for (QPushButton* button : {pause_, gameover_}) {
        button->setFont(buttonFont());
        button->setAutoDefault(false);
        button->hide();
    }
    connect(pause_, &QPushButton::clicked, this, [this] { dispatch([](zorvane& z) { z.pause_Click(); }); });
    connect(gameover_, &QPushButton::clicked, this, [this] { dispatch([](zorvane& z) { z.gameover_Click(); }); });
    setTabOrder(board_, gameover_);
    setTabOrder(gameover_, pause_);

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The first board stands, title included, before the window is ever shown.
    apply(shell_.start());
    board_->setFocus();
    new WindowGone(this);
}

MainWindow::~MainWindow() { clock_->onTick = nullptr; }

QPushButton* MainWindow::pauseButton() const { return pause_; }
QPushButton* MainWindow::gameoverButton() const { return gameover_; }

// Each item carries its index, which is its value, to the item handler.
void MainWindow::addItems(QMenu* menu, std::span<const description::MenuItem> items, void (zorvane::*handler)(Integer)) {
    for (const auto& item : items) {
        QAction* action = menu->addAction(text(item.caption));
        // The menus' shortcuts are all function keys.
        action->setShortcut(QKeySequence(Qt::Key_F1 + (item.shortcut - keys::function(1))));
        connect(action, &QAction::triggered, this, [this, handler, index = Integer(item.index)] {
            dispatch([handler, index](zorvane& z) { (z.*handler)(index); });
        });
    }
}

void MainWindow::buildMenus() {
    auto* bar = new MenuBar(this);
    setMenuBar(bar);
    for (const MenuTitle& title : menuTitles) {
        if (const auto clicked = title.clicked) {
            quitAction_ = bar->addAction(text(title.title));
            connect(quitAction_, &QAction::triggered, this,
                    [this, clicked] { dispatch([clicked](zorvane& z) { (z.*clicked)(); }); });
            continue;
        }
        QMenu* menu = bar->addMenu(text(title.title));
        (title.title == description::speedTitle ? speedMenu_ : sizeMenu_) = menu;  // for the tests to open
        bar->watch(menu);
        if (const auto opened = title.opened)
            connect(menu, &QMenu::aboutToShow, this,
                    [this, opened] { dispatch([opened](zorvane& z) { (z.*opened)(); }); });
        addItems(menu, title.items, title.chosen);
    }
}

void MainWindow::tick() {
    dispatch([](zorvane& z) { z.Timer1_Timer(); });
}

void MainWindow::keyDown(int keyCode, int shift) {
    dispatch([keyCode, shift](zorvane& z) { z.Form_KeyDown(Integer(keyCode), Integer(shift)); });
}

template <typename Handler>
void MainWindow::dispatch(Handler&& handler) {
    if (auto update = shell_.run(std::forward<Handler>(handler), focus())) apply(*update);
}

void MainWindow::apply(const ScreenUpdate& update) {
    if (update.ended) {
        end();
        return;
    }
    if (update.rebuild)
        board_->rebuild(update.inner);
    else
        board_->refresh(update.cells);
    syncButton(pause_, update.pause);
    syncButton(gameover_, update.gameover);
    if (update.title) setWindowTitle(QString::fromStdString(*update.title));
    clock_->setInterval(update.interval);
    // While a menu is open it has the keys.
    if (update.focus && !QApplication::activePopupWidget()) widgetFor(*update.focus)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::syncButton(QPushButton* button, const ButtonView& view) {
    const QRect place(view.place.x, view.place.y, view.place.width, view.place.height);
    if (button->geometry() != place) button->setGeometry(place);
    if (button->isVisibleTo(this) != view.shown) button->setVisible(view.shown);
}

Focus MainWindow::focus() const {
    const QWidget* holder = focusWidget();
    if (!holder) return Focus::Nothing;
    if (holder == board_) return Focus::Board;
    if (holder == pause_) return Focus::Pause;
    if (holder == gameover_) return Focus::GameOver;
    return Focus::Elsewhere;
}

QWidget* MainWindow::widgetFor(Focus focus) const {
    if (focus == Focus::Pause) return pause_;
    if (focus == Focus::GameOver) return gameover_;
    return board_;
}

// Quit: nothing runs after it.
void MainWindow::end() {
    clock_->setInterval(0);
    close();
    QCoreApplication::exit(0);
}

}  // namespace zv
