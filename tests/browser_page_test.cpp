// The browser page's own rules, below the page: which keys it leaves to the
// browser, the seed in its address, and lengths it can show on whole pixels.
#include <gtest/gtest.h>

#include <utility>

#include "window/keys.h"
#include "web/browser_keys.h"
#include "web/page_address.h"
#include "web/page_layout.h"

using namespace zv;

TEST(PageAddress, ASeedIsADecimalNumberAndAnythingElseLeavesTheBoardsToTheTimeOfDay) {
    EXPECT_EQ(seedFrom("7"), 7.0);
    EXPECT_EQ(seedFrom("0"), 0.0);
    EXPECT_EQ(seedFrom("007"), 7.0);
    EXPECT_EQ(seedFrom("12.5"), 12.5);
    EXPECT_EQ(seedFrom("0.1"), 0.1);
    EXPECT_EQ(seedFrom("999999999999999"), 999999999999999.0);
    for (const char* none : {"", ".", "-1", "+1", " 7", "7 ", "7x", "abc", "1e3", "0x10", "1.2.3", "Infinity", "NaN",
                             "1000000000000000"})
        EXPECT_EQ(seedFrom(none), std::nullopt) << '"' << none << '"';
}

TEST(BrowserKeys, WithAltHeldAKeyIsTheBrowsersAndWithShiftOrCtrlTheGames) {
    for (const auto& [key, code] : {std::pair{"ArrowLeft", "ArrowLeft"}, {"F4", "F4"}, {"p", "KeyP"}, {"Alt", "AltLeft"}}) {
        EXPECT_EQ(pageKeyDown(key, code, {.alt = true}), std::nullopt) << key;
        EXPECT_EQ(pageKeyDown(key, code, {.shift = true, .ctrl = true, .alt = true}), std::nullopt) << key;
    }
    const auto left = pageKeyDown("ArrowLeft", "ArrowLeft", {.shift = true, .ctrl = true});
    ASSERT_TRUE(left);
    EXPECT_EQ(left->keyCode, keys::Left);
    EXPECT_EQ(left->shift, shiftState({.shift = true, .ctrl = true}));
}

TEST(BrowserKeys, ThePageKeepsWhatTheGameTookAndFunctionKeysAndOnAButtonAllButItsPressKeys) {
    EXPECT_TRUE(pageKeepsKey("ArrowUp", {}, false, true, false));
    EXPECT_FALSE(pageKeepsKey("ArrowUp", {}, false, false, false));
    EXPECT_TRUE(pageKeepsKey("F7", {}, false, false, false));  // no game item, still not the browser's reload
    EXPECT_TRUE(pageKeepsKey("F24", {}, false, false, false));
    EXPECT_FALSE(pageKeepsKey("F25", {}, false, false, false));
    EXPECT_TRUE(pageKeepsKey("ArrowDown", {}, false, false, true));  // no scrolling from a focused button
    EXPECT_FALSE(pageKeepsKey(" ", {}, false, false, true));        // Space and Enter press it
    EXPECT_FALSE(pageKeepsKey("Enter", {}, false, false, true));
    for (const HeldModifiers held : {HeldModifiers{.ctrl = true}, HeldModifiers{.alt = true}})
        EXPECT_FALSE(pageKeepsKey("F5", held, false, true, true));
    EXPECT_FALSE(pageKeepsKey("F5", {}, true, true, false));  // the system key's shortcuts are the browser's
}

TEST(BrowserKeys, OnTheMenuBarEscapeTabAndAltCloseAndSpaceChoosesAsEnterDoes) {
    using Key = DrawnMenuBar::Key;
    for (const char* closer : {"Escape", "Tab", "Alt"}) EXPECT_EQ(menuBarKey(closer), Key::Close) << closer;
    EXPECT_EQ(menuBarKey(" "), menuBarKey("Enter"));
    EXPECT_EQ(menuBarKey("ArrowLeft"), Key::Left);
    EXPECT_EQ(menuBarKey("p"), Key::Other);
}

TEST(BrowserKeys, AKeyTheBrowserCannotNameIsTakenByItsPlaceWhereThatNamesAKey) {
    const auto backTab = pageKeyDown("Unidentified", "Tab", {.shift = true});  // WebKitGTK's Shift+Tab
    ASSERT_TRUE(backTab);
    EXPECT_EQ(backTab->keyCode, keys::Tab);
    EXPECT_EQ(pageKeyDown("Unidentified", "KeyQ", {}), std::nullopt);  // a letter's place names no letter
}

// At 2.625 device pixels to a CSS pixel only every 21st count of device
// pixels is a whole number of 64ths of a CSS pixel; at 1.5 every third.
TEST(PageLayout, LengthsFallOnWholeDevicePixelsThatAreWhole64thsOfACssPixel) {
    EXPECT_EQ(onCssGrid(468, 1), 468);
    EXPECT_EQ(onCssGrid(1000, 2.625), 1008);
    EXPECT_EQ(onCssGrid(1008, 2.625), 1008);
    EXPECT_DOUBLE_EQ(snapToCssGrid(17.1, 2.625, true), 16);
    EXPECT_DOUBLE_EQ(snapToCssGrid(17.1, 2.625, false), 24);
    EXPECT_DOUBLE_EQ(snapToCssGrid(19, 1.5, true), 18);
    EXPECT_DOUBLE_EQ(snapToCssGrid(19, 1.5, false), 20);
}
