#pragma once

#include <optional>
#include <span>
#include <string>

#include "midend/geometry.h"
#include "midend/menu_table.h"
#include "midend/painting.h"
#include "midend/pixel_canvas.h"
#include "midend/tick_schedule.h"

namespace zv {

// Which of the window's parts holds the keyboard focus.
enum class Focus { Nothing, Board, Pause, GameOver, Elsewhere };

// The window's two buttons.
enum class Button { Pause, GameOver };

struct ButtonView {
    bool shown = false;
    Box place;  // logical pixels in the inner area
    friend bool operator==(const ButtonView&, const ButtonView&) = default;
};

// All that a front end does for the screen: it draws the board's picture in
// device pixels (the Canvas calls), shows what was drawn, places the buttons,
// sets the title, builds its menu bar, keeps one wake-up, moves the focus
// and ends. Everything it
// must decide is decided by the Screen, which calls these.
class Surface : public Canvas {
public:
    using Time = TickSchedule::Time;

    // A new board or a new ratio: the picture becomes width x height device
    // pixels for the inner area `inner` (logical pixels), and is painted
    // whole right after. False when there is no room for such a picture:
    // the screen then keeps the old one.
    virtual bool layOut(const Box& inner, int width, int height) = 0;
    // What was painted since the last call, in device pixels: show it now.
    virtual void present(std::span<const Box> painted) = 0;
    // A button's place and whether it is shown: when either changes, and
    // for both after a new ratio, right after the board was laid out.
    virtual void placeButton(Button button, const ButtonView& view) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // The menu bar, once, before the first board is laid out.
    virtual void buildMenus(std::span<const MenuBarTitle> bar) = 0;
    // Wake the screen (Screen::wake) at `due` on the same clock as the
    // events' times, replacing any wake-up asked for before; nothing: none.
    virtual void wakeAt(std::optional<Time> due) = 0;
    // The keys go to this part of the window now.
    virtual void moveFocus(Focus focus) = 0;
    // Quit: close the window; nothing more reaches the game.
    virtual void end() = 0;
};

// A surface as every front end has it: the board's picture in memory, which
// the screen paints into and the front end copies to the screen in the
// boxes presented, device pixel for device pixel.
class PictureSurface : public Surface {
public:
    void fillRect(const Box& box, Rgb colour) final;
    void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) final;
    const PixelCanvas& picture() const { return picture_; }

protected:
    explicit PictureSurface(PixelCanvas::Order order = PixelCanvas::Order::RedFirst) : picture_(order) {}

    PixelCanvas picture_;
};

}  // namespace zv
