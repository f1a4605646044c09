#pragma once

#include <QMainWindow>
#include <memory>

#include "midend/alarm.h"
#include "midend/screen.h"
#include "midend/window_parts.h"

namespace zv {

// The game's window: a surface over the mid-end's Screen, which takes every event.
class MainWindow final : public QMainWindow, public PictureSurface {
public:
    // Without an alarm, the window's own GameClock.
    explicit MainWindow(RandomPtr random = timeSeededRandom(),
                        std::unique_ptr<Alarm> alarm = nullptr, QWidget* parent = nullptr);

    bool layOut(const Box& inner, int width, int height) override;
    void present(std::span<const Box> painted) override;
    void placeButton(Button button, const ButtonView& view) override;
    void setTitle(const std::string& title) override { setWindowTitle(QString::fromStdString(title)); }
    void buildMenus(std::span<const MenuBarTitle> bar) override;
    void wakeAt(std::optional<Time> due) override { alarm_->wakeAt(due); }
    void moveFocus(Focus focus) override;
    void end() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    friend class MainWindowPeer;
    friend class WindowBenchPeer;

    Time now() const { return alarm_->now(); }
    Focus focus() const { return parts_.focusOf(focusWidget()); }

    std::unique_ptr<Alarm> alarm_;
    Screen screen_;
    WindowParts<QWidget*> parts_;
};

}  // namespace zv
