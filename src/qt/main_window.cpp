#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QTabletEvent>
#include <QTouchEvent>
#include <utility>

#include "qt/board_widget.h"
#include "qt/caption_button.h"
#include "qt/game_clock.h"
#include "qt/key_codes.h"
#include "qt/menu_bar.h"
#include "midend/x11_events.h"

namespace zv {
namespace {

QRect toQRect(const Box& b) { return QRect(b.x, b.y, b.width, b.height); }

}  // namespace

MainWindow::MainWindow(RandomPtr random, std::unique_ptr<Alarm> alarm, QWidget* parent)
    : QMainWindow(parent),
      alarm_(alarm ? std::move(alarm) : std::make_unique<GameClock>()),
      screen_(*this, std::move(random)) {
    screen_.follow(*alarm_);
    // No maximize: the board sets the window's size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    parts_.board = new BoardWidget(picture_, this);
    setCentralWidget(parts_.board);
    parts_.board->installEventFilter(this);
    // In this order, so Game Over is drawn above Pause.
    for (const Button which : {Button::Pause, Button::GameOver}) {
        auto* button = new CaptionButton(buttonLook(which), parts_.board);
        connect(button, &QPushButton::clicked, this, [this, which] { screen_.click(now(), which); });
        parts_.of(which) = button;
    }

    // The first board and title stand before the window shows.
    screen_.start(devicePixelRatioF(), now());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    parts_.board->setFocus();
}

// Every key the board and a focused button leave, Tab included.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!screen_.key(now(), keyInput(*event), heldModifiers(*event), focus())) event->ignore();
}

// The Screen moves the focus, never Qt (on Tab, or an arrow over a button).
bool MainWindow::focusNextPrevChild(bool) { return false; }

// Escape in a menu; the board's scale, and a finger or a pen on it.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
        // Hidden as a click elsewhere would; the keys go back, not to the bar.
        menu->hide();
        moveFocus(screen_.focus());
        return true;
    }
    if (event->type() == QEvent::Paint) {
        // The window may move to a screen of another scale at any time.
        screen_.setRatio(parts_.board->devicePixelRatioF());
        return false;
    }
    if (!dynamic_cast<QTouchEvent*>(event) && !dynamic_cast<QTabletEvent*>(event)) return false;
    auto* pointer = static_cast<QPointerEvent*>(event);
    using Touch = Screen::Touch;
    Touch phase = pointer->isBeginEvent() ? Touch::Down : pointer->isEndEvent() ? Touch::Up : Touch::Move;
    if (event->type() == QEvent::TouchCancel) phase = Touch::Cancel;
    const QPointF at = pointer->points().isEmpty() ? QPointF() : pointer->points().first().position();
    // One the Screen leaves to a button becomes the button's click.
    pointer->setAccepted(screen_.touch(now(), phase, at.x(), at.y()));
    return true;
}

// Destroyed by another program on the X server (xdotool windowclose): the
// game could never be seen or quit again, so it ends as on Quit.
bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const std::uint32_t gone = destroyedX11Window(message);
    if (gone != 0 && gone == internalWinId()) QCoreApplication::exit(0);
    return false;
}

void MainWindow::buildMenus(std::span<const MenuBarTitle> table) {
    setMenuBar(new MenuBar(this));
    for (int t = 0; t < int(table.size()); ++t) {
        const MenuBarTitle& title = table[std::size_t(t)];
        if (title.items.empty()) {
            QAction* command = menuBar()->addAction(QString::fromUtf8(title.title));
            connect(command, &QAction::triggered, this, [this, t] { screen_.menuCommand(now(), t, focus()); });
            continue;
        }
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title.title));
        menu->installEventFilter(this);
        connect(menu, &QMenu::aboutToShow, this, [this, t] { screen_.menuOpened(now(), t, focus()); });
        for (int i = 0; i < int(title.items.size()); ++i) {
            const MenuEntry& entry = title.items[std::size_t(i)];
            QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
            // Qt's shortcut chooses it wherever the focus is.
            if (entry.functionKey) action->setShortcut(QKeySequence(Qt::Key_F1 + entry.functionKey - 1));
            connect(action, &QAction::triggered, this, [this, t, i] { screen_.menuChosen(now(), t, i, focus()); });
        }
    }
}

bool MainWindow::layOut(const Box& inner, int width, int height) {
    if (!picture_.resize(width, height)) return false;
    parts_.board->setFixedSize(inner.width, inner.height);
    return true;
}

void MainWindow::present(std::span<const Box> painted) {
    for (const Box& box : painted) parts_.board->update(toQRect(screen_.geometry().toLogical(box)));
}

void MainWindow::placeButton(Button which, const ButtonView& view) {
    parts_.of(which)->setGeometry(toQRect(view.place));
    parts_.of(which)->setVisible(view.shown);
}

void MainWindow::moveFocus(Focus focus) {
    // While a menu is open it has the keys.
    if (!QApplication::activePopupWidget()) parts_.holding(focus)->setFocus(Qt::OtherFocusReason);
}

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
