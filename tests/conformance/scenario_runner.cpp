// Reads the player scenarios (scenarios.txt, built in) and plays each one
// through a front end's driver as a test of its own.

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "board_script.h"
#include "driver.h"
#include "game/paints.h"
#include "midend/key_rules.h"
#include "scenarios_text.h"

namespace conformance {
namespace {

struct Step {
    int line = 0;
    std::vector<std::string> words;
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

// Words split at spaces; "a quoted caption" is one word. A # starts a comment.
std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < line.size();) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) { ++i; continue; }
        if (line[i] == '#') break;
        if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) throw std::runtime_error("unclosed quote: " + line);
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
        words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

std::vector<Scenario> readScenarios() {
    std::vector<Scenario> all;
    std::istringstream text{std::string(scenariosText)};
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        std::vector<std::string> words = wordsOf(line);
        if (words.empty()) continue;
        if (words[0] == "scenario") {
            if (words.size() != 2) throw std::runtime_error("a scenario needs one name, line " + std::to_string(number));
            all.push_back({words[1], {}});
        } else if (all.empty()) {
            throw std::runtime_error("a step before any scenario, line " + std::to_string(number));
        } else {
            all.back().steps.push_back({number, std::move(words)});
        }
    }
    return all;
}

zv::Button buttonNamed(const std::string& name) {
    if (name == "Pause") return zv::Button::Pause;
    if (name == "GameOver") return zv::Button::GameOver;
    throw std::runtime_error("no button " + name);
}

zv::Focus focusNamed(const std::string& name) {
    if (name == "Board") return zv::Focus::Board;
    if (name == "Pause") return zv::Focus::Pause;
    if (name == "GameOver") return zv::Focus::GameOver;
    throw std::runtime_error("no focus holder " + name);
}

zv::Rgb colourNamed(const std::string& name) {
    if (name == "head") return zv::paints::head;
    if (name == "body") return zv::paints::body;
    if (name == "food") return zv::paints::food;
    if (name == "crash") return zv::paints::crash;
    if (name == "obstacle") return zv::paints::obstacle;
    if (name == "wall") return zv::Rgb{255, 255, 128};
    if (name == "ground") return zv::Rgb{255, 128, 0};
    throw std::runtime_error("no colour " + name);
}

// Appended piece by piece: GCC 12 warns of an overlapping copy in "(" + std::string&&.
std::string describe(zv::Rgb c) {
    std::string s = "(";
    s.append(std::to_string(c.red)).append(",").append(std::to_string(c.green));
    return s.append(",").append(std::to_string(c.blue)).append(")");
}

int number(const std::string& word) { return std::stoi(word); }

// One scenario on one driver: each step's events, then its expectations.
class Player {
public:
    explicit Player(Driver& driver) : driver_(driver), random_(std::make_unique<ScriptedRandom>()), script_(random_.get()) {}

    void play(const Step& step) {
        const auto& w = step.words;
        const std::string& verb = w[0];
        const auto arg = [&](std::size_t i) -> const std::string& {
            if (i >= w.size()) throw std::runtime_error(verb + " needs more words");
            return w[i];
        };
        if (verb == "board") return lineUp(w);
        if (verb == "open") {
            if (script_->remaining() == 0) board_script::lineUpBoard(*script_, side_);
            return driver_.open(std::move(random_));
        }
        if (verb == "food") return script_->cell(number(arg(1)), number(arg(2)), driver_.side());
        if (verb == "key") return driver_.key(keyCodeNamed(arg(1)), w.size() > 2 && w[2] == "shift");
        if (verb == "click") return driver_.click(buttonNamed(arg(1)));
        if (verb == "menu") return driver_.menu(arg(1), w.size() > 2 ? w[2] : std::string());
        if (verb == "escape") return driver_.menuEscaped(arg(1));
        if (verb == "tick") return ticks(w.size() > 1 ? number(w[1]) : 1);
        if (verb == "eat") return eat(number(arg(1)), arg(2), w.size() > 4 && w[3] == "board" ? number(w[4]) : 0);
        if (verb == "stands") {
            EXPECT_FALSE(driver_.tick()) << "the clock still runs";
            return;
        }
        if (verb == "swipe") return swipe(arg(1));
        if (verb == "tap") return tap();
        if (verb == "close") return driver_.close();
        if (verb == "expect") return expect(w);
        throw std::runtime_error("no step " + verb);
    }

private:
    // `board SIDE [food X Y] [obstacle X Y]...`: the draws of the next board's set-up.
    void lineUp(const std::vector<std::string>& w) {
        side_ = number(w.at(1));
        board_script::Cell food{3, 3};
        std::vector<board_script::Cell> obstacles;
        for (std::size_t i = 2; i + 2 < w.size(); i += 3) {
            const board_script::Cell c{number(w.at(i + 1)), number(w.at(i + 2))};
            if (w[i] == "food") food = c;
            else if (w[i] == "obstacle") obstacles.push_back(c);
            else throw std::runtime_error("a board has no " + w[i]);
        }
        board_script::lineUpBoard(*script_, side_, food, obstacles);
        blueBlocks_ = 0;
    }

    // `eat N WAY [board SIDE]`: N ticks heading WAY, each eating a food on
    // the cell ahead (placed there unless one stands there already) and
    // dropping its blue block in the left columns, out of the way. A board
    // after the last meal is the new board it brings on.
    void eat(int meals, const std::string& way, int newSide) {
        const int dx = way == "right" ? 1 : way == "left" ? -1 : 0, dy = way == "down" ? 1 : way == "up" ? -1 : 0;
        if (dx == 0 && dy == 0) throw std::runtime_error("no way " + way);
        for (int meal = 1; meal <= meals; ++meal) {
            const int x = driver_.headColumn() + dx, y = driver_.headRow() + dy;
            if (driver_.cell(x, y) != zv::paints::food) script_->cell(x, y, side_);
            script_->push(board_script::keepFood);
            script_->cell(2 + blueBlocks_ / (side_ - 3), 2 + blueBlocks_ % (side_ - 3), side_);
            ++blueBlocks_;
            if (meal == meals && newSide) lineUp({"board", std::to_string(newSide)});
            ASSERT_TRUE(driver_.tick()) << "the clock stands at meal " << meal;
        }
    }

    // Ticks on which no food is eaten and none placed: one expiry draw each.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            script_->push(board_script::keepFood);
            ASSERT_TRUE(driver_.tick()) << "the clock stands after " << i << " of " << n << " ticks";
        }
    }

    // From the middle of the board, far enough to turn once.
    void swipe(const std::string& way) {
        const double x = driver_.boardWidth() / 2, y = driver_.boardHeight() / 2;
        double dx = 0, dy = 0;
        if (way == "left") dx = -1;
        else if (way == "right") dx = 1;
        else if (way == "up") dy = -1;
        else if (way == "down") dy = 1;
        else throw std::runtime_error("no way " + way);
        using Touch = zv::Screen::Touch;
        driver_.touch(Touch::Down, x, y);
        for (int step = 1; step <= 5; ++step) driver_.touch(Touch::Move, x + dx * 8 * step, y + dy * 8 * step);
        driver_.touch(Touch::Up, x + dx * 40, y + dy * 40);
    }
    void tap() {
        const double x = driver_.boardWidth() / 2, y = driver_.boardHeight() / 2;
        driver_.touch(zv::Screen::Touch::Down, x, y);
        driver_.touch(zv::Screen::Touch::Up, x, y);
    }

    void expect(const std::vector<std::string>& w) {
        const std::string& what = w.at(1);
        if (what == "title") EXPECT_EQ(driver_.title(), w.at(2));
        else if (what == "shown") EXPECT_TRUE(driver_.shown(buttonNamed(w.at(2)))) << w[2] << " hidden";
        else if (what == "hidden") EXPECT_FALSE(driver_.shown(buttonNamed(w.at(2)))) << w[2] << " shown";
        else if (what == "focus") EXPECT_EQ(int(driver_.focus()), int(focusNamed(w.at(2)))) << "the focus is not on " << w[2];
        else if (what == "interval") EXPECT_EQ(driver_.interval(), number(w.at(2)));
        else if (what == "side") EXPECT_EQ(driver_.side(), number(w.at(2)));
        else if (what == "head") {
            EXPECT_EQ(driver_.headColumn(), number(w.at(2)));
            EXPECT_EQ(driver_.headRow(), number(w.at(3)));
        } else if (what == "cell") {
            const zv::Rgb seen = driver_.cell(number(w.at(2)), number(w.at(3)));
            EXPECT_EQ(seen, colourNamed(w.at(4))) << "cell " << w[2] << "," << w[3] << " is " << describe(seen);
        } else if (what == "ended") EXPECT_TRUE(driver_.ended());
        else throw std::runtime_error("nothing to expect of " + what);
    }

    Driver& driver_;
    std::unique_ptr<ScriptedRandom> random_;
    ScriptedRandom* script_;
    int side_ = 50;
    int blueBlocks_ = 0;  // on the board lined up last
};

class ScenarioTest : public ::testing::Test {
public:
    ScenarioTest(Scenario scenario, std::unique_ptr<Driver> (*make)()) : scenario_(std::move(scenario)), make_(make) {}
    void TestBody() override {
        const std::unique_ptr<Driver> driver = make_();
        Player player(*driver);
        for (const Step& step : scenario_.steps) {
            SCOPED_TRACE("scenarios.txt line " + std::to_string(step.line) + ": " + step.words[0]);
            player.play(step);
            if (HasFatalFailure()) return;
        }
    }

private:
    Scenario scenario_;
    std::unique_ptr<Driver> (*make_)();
};

}  // namespace

zv::Integer keyCodeNamed(std::string_view name) {
    for (zv::Integer code = 1; code < 256; ++code)
        if (zv::keyName(code) == name) return code;
    throw std::runtime_error("no key " + std::string(name));
}

void registerScenarios(const char* suite, std::unique_ptr<Driver> (*make)()) {
    for (Scenario& scenario : readScenarios()) {
        const std::string name = scenario.name;
        ::testing::RegisterTest(suite, name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                                [scenario = std::move(scenario), make]() -> ::testing::Test* {
                                    return new ScenarioTest(scenario, make);
                                });
    }
}

}  // namespace conformance
