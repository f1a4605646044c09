#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QTabletEvent>
#include <QTouchEvent>
#include <utility>

#include "qt/caption_button.h"
#include "qt/game_clock.h"
#include "qt/key_codes.h"
#include "qt/menu_bar.h"

namespace zv {
namespace {

QRect toQRect(const Box& b) { return QRect(b.x, b.y, b.width, b.height); }

}  // namespace

MainWindow::MainWindow(std::unique_ptr<RandomSource> random, std::unique_ptr<Alarm> alarm, QWidget* parent)
    : QMainWindow(parent),
      alarm_(alarm ? std::move(alarm) : std::make_unique<GameClock>()),
      screen_(*this, std::move(random)) {
    screen_.follow(*alarm_);
    // The board sets the window's size, so there is nothing to maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    board_ = new BoardWidget(picture_, this);
    setCentralWidget(board_);
    board_->installEventFilter(this);
    // Created in this order, so Game Over is drawn above Pause where they overlap.
    pause_ = new CaptionButton(buttonLook(Button::Pause), board_);
    gameover_ = new CaptionButton(buttonLook(Button::GameOver), board_);
    connect(pause_, &QPushButton::clicked, this, [this] { screen_.click(now(), Button::Pause); });
    connect(gameover_, &QPushButton::clicked, this, [this] { screen_.click(now(), Button::GameOver); });

    // The first board stands, title included, before the window is ever shown.
    screen_.start(devicePixelRatioF(), now());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    board_->setFocus();
}

// Every key the board and a focused button leave, Tab included; those of
// the menu bar are its own.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    const Focus holder = focus();
    if (holder == Focus::Elsewhere || !screen_.key(now(), keyInput(*event), heldModifiers(*event), holder))
        event->ignore();
}

// Qt would move the focus itself on Tab, and on an arrow key over a button,
// and could hand the board the keys a shown button holds. The Screen moves it.
bool MainWindow::focusNextPrevChild(bool) { return false; }

// A finger or a pen on the board, and the scale the board is drawn at.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != board_) return false;
    if (event->type() == QEvent::Paint) {
        // The window may move to a screen of another scale at any time.
        screen_.setRatio(board_->devicePixelRatioF());
        return false;
    }
    if (auto* pen = dynamic_cast<QTabletEvent*>(event)) {
        // A pen on the board steers as a finger does; one hovering above it
        // moves without touching.
        using Touch = Screen::Touch;
        const QEvent::Type type = event->type();
        if (type == QEvent::TabletMove && pen->buttons() == Qt::NoButton) return false;
        const Touch phase = type == QEvent::TabletPress ? Touch::Down : type == QEvent::TabletRelease ? Touch::Up : Touch::Move;
        screen_.touch(now(), phase, pen->position().x(), pen->position().y());
        pen->accept();
        return true;
    }
    auto* touch = dynamic_cast<QTouchEvent*>(event);
    if (!touch) return false;
    using Touch = Screen::Touch;
    Touch phase = touch->isBeginEvent() ? Touch::Down : touch->isEndEvent() ? Touch::Up : Touch::Move;
    if (event->type() == QEvent::TouchCancel) phase = Touch::Cancel;
    const QPointF at = touch->points().isEmpty() ? QPointF() : touch->points().first().position();
    // A button under the finger takes the touch as the click Qt makes of it.
    touch->setAccepted(phase != Touch::Down || !board_->childAt(at.toPoint()));
    if (touch->isAccepted()) screen_.touch(now(), phase, at.x(), at.y());
    return true;
}

// Titles and items go to the Screen by their places in the table.
void MainWindow::buildMenus(std::span<const MenuBarTitle> table) {
    auto* bar = new MenuBar(this);
    setMenuBar(bar);
    for (int t = 0; t < int(table.size()); ++t) {
        const MenuBarTitle& title = table[std::size_t(t)];
        if (title.items.empty()) {
            quitAction_ = bar->addAction(QString::fromUtf8(title.title));
            connect(quitAction_, &QAction::triggered, this, [this, t] { screen_.menuCommand(now(), t, focus()); });
            continue;
        }
        QMenu* menu = bar->addMenu(QString::fromUtf8(title.title));
        (speedMenu_ ? sizeMenu_ : speedMenu_) = menu;  // Speed, then Size
        bar->watch(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, t] { screen_.menuOpened(now(), t, focus()); });
        for (int i = 0; i < int(title.items.size()); ++i) {
            const MenuEntry& entry = title.items[std::size_t(i)];
            QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
            // Qt's shortcut chooses it wherever the focus is; the key goes no further.
            if (entry.functionKey) action->setShortcut(QKeySequence(Qt::Key_F1 + entry.functionKey - 1));
            connect(action, &QAction::triggered, this, [this, t, i] { screen_.menuChosen(now(), t, i, focus()); });
        }
    }
}

bool MainWindow::layOut(const Box& inner, int width, int height) {
    if (!picture_.resize(width, height)) return false;
    board_->setFixedSize(inner.width, inner.height);
    return true;
}

void MainWindow::present(std::span<const Box> painted) {
    for (const Box& box : painted) board_->update(toQRect(screen_.geometry().toLogical(box)));
}

void MainWindow::placeButton(Button which, const ButtonView& view) {
    QPushButton* button = which == Button::Pause ? pause_ : gameover_;
    button->setGeometry(toQRect(view.place));
    button->setVisible(view.shown);
}

void MainWindow::moveFocus(Focus focus) {
    // While a menu is open it has the keys.
    if (QApplication::activePopupWidget()) return;
    QWidget* holder = board_;
    if (focus == Focus::Pause || focus == Focus::GameOver) holder = focus == Focus::Pause ? pause_ : gameover_;
    holder->setFocus(Qt::OtherFocusReason);
}

Focus MainWindow::focus() const {
    const QWidget* holder = focusWidget();
    if (!holder) return Focus::Nothing;
    if (holder == board_) return Focus::Board;
    if (holder == pause_) return Focus::Pause;
    return holder == gameover_ ? Focus::GameOver : Focus::Elsewhere;
}

// Closed from its frame or by the window manager: the game ends with it.
void MainWindow::closeEvent(QCloseEvent* event) {
    screen_.close();
    event->accept();
}

// Quit: nothing runs after it.
void MainWindow::end() {
    close();
    QCoreApplication::exit(0);
}

}  // namespace zv
