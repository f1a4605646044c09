#include "window/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <utility>

#include "window/description.h"
#include "window/qt/board_widget.h"
#include "window/qt/caption_button.h"
#include "window/qt/game_clock.h"
#include "window/qt/key_codes.h"
#include "window/qt/menu_bar.h"
#include "window/qt/window_gone.h"

namespace zv {
namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
QRect toQRect(const Box& b) { return QRect(b.x, b.y, b.width, b.height); }

QFont buttonFont() {
    QFont font(text(description::buttonFont));
    font.setStyleHint(QFont::SansSerif);  // where Arial is missing
    font.setPointSizeF(description::buttonPointSize);
    font.setWeight(QFont::Weight(description::buttonWeight));
    return font;
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<RandomSource> random, std::unique_ptr<Alarm> alarm, QWidget* parent)
    : QMainWindow(parent),
      alarm_(alarm ? std::move(alarm) : std::make_unique<GameClock>()),
      screen_(*this, std::move(random)) {
    alarm_->onWake = [this](Time now) { screen_.wake(now, alarm_->early()); };
    // The board sets the window's size, so there is nothing to maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    board_ = new BoardWidget(this);
    board_->setObjectName("board");
    setCentralWidget(board_);
    board_->onKey = [this](const QKeyEvent& e) { return screen_.key(now(), keyInput(e), heldModifiers(e), focus()); };
    board_->onTouch = [this](Screen::Touch phase, QPointF at) { screen_.touch(now(), phase, at.x(), at.y()); };
    board_->onRatio = [this](double ratio) { screen_.setRatio(ratio); };

    // Created in this order, so Game Over is drawn above Pause where they overlap.
    pause_ = addButton(description::pauseCaption, "pause", Button::Pause);
    gameover_ = addButton(description::gameoverCaption, "gameover", Button::GameOver);
    setTabOrder(board_, gameover_);
    setTabOrder(gameover_, pause_);

    // The first board stands, title included, before the window is ever shown.
    screen_.start(devicePixelRatioF(), now());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    board_->setFocus();
    new WindowGone(this);
}

MainWindow::~MainWindow() { alarm_->onWake = nullptr; }

QPushButton* MainWindow::addButton(std::string_view caption, const char* name, Button button) {
    auto* b = new CaptionButton(text(caption), board_);
    b->setObjectName(name);
    b->setFont(buttonFont());
    b->setAutoDefault(false);
    b->hide();
    connect(b, &QPushButton::clicked, this, [this, button] { screen_.click(now(), button); });
    return b;
}

// Titles and items go to the Screen by their places in the table.
void MainWindow::buildMenus(std::span<const MenuBarTitle> table) {
    auto* bar = new MenuBar(this);
    setMenuBar(bar);
    for (int t = 0; t < int(table.size()); ++t) {
        const MenuBarTitle& title = table[std::size_t(t)];
        if (title.items.empty()) {
            quitAction_ = bar->addAction(text(title.title));
            connect(quitAction_, &QAction::triggered, this, [this, t] { screen_.menuCommand(now(), t, focus()); });
            continue;
        }
        QMenu* menu = bar->addMenu(text(title.title));
        (title.title == description::speedTitle ? speedMenu_ : sizeMenu_) = menu;
        bar->watch(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, t] { screen_.menuOpened(now(), t, focus()); });
        for (int i = 0; i < int(title.items.size()); ++i) {
            const MenuEntry& entry = title.items[std::size_t(i)];
            QAction* action = menu->addAction(text(entry.caption));
            // Qt's shortcut chooses the item wherever the focus is; the key
            // itself then never reaches the board.
            if (entry.functionKey) action->setShortcut(QKeySequence(Qt::Key_F1 + entry.functionKey - 1));
            connect(action, &QAction::triggered, this, [this, t, i] { screen_.menuChosen(now(), t, i, focus()); });
        }
    }
}

void MainWindow::fillRect(const Box& box, Rgb colour) { board_->picture().fillRect(box, colour); }
void MainWindow::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    board_->picture().fillDisc(square, fill, outline, pen);
}

bool MainWindow::layOut(const Box& inner, int width, int height) {
    if (!board_->picture().resize(width, height)) return false;
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

void MainWindow::setTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }
void MainWindow::wakeAt(std::optional<Time> due) { alarm_->wakeAt(due); }

void MainWindow::moveFocus(Focus focus) {
    // While a menu is open it has the keys.
    if (QApplication::activePopupWidget()) return;
    QWidget* holder = focus == Focus::Pause ? pause_ : focus == Focus::GameOver ? gameover_ : static_cast<QWidget*>(board_);
    holder->setFocus(Qt::OtherFocusReason);
}

Focus MainWindow::focus() const {
    const QWidget* holder = focusWidget();
    if (!holder) return Focus::Nothing;
    if (holder == board_) return Focus::Board;
    if (holder == pause_) return Focus::Pause;
    return holder == gameover_ ? Focus::GameOver : Focus::Elsewhere;
}

// Quit: nothing runs after it.
void MainWindow::end() {
    close();
    QCoreApplication::exit(0);
}

}  // namespace zv
