// The rules of the system layer beneath the desktop front ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "midend/windows_version.h"
#include "midend/x11_events.h"

namespace {

TEST(System, Windows10Version1803IsTheFirstRecentEnough) {
    EXPECT_TRUE(zv::isRecentWindows(10, 0, 17134));
    EXPECT_TRUE(zv::isRecentWindows(10, 0, 26100));
    EXPECT_FALSE(zv::isRecentWindows(10, 0, 17133));
    EXPECT_FALSE(zv::isRecentWindows(6, 3, 99999));  // 8.1, whatever its build
}

// Before 1607 the version alone refuses; on 1607 to 1709 the timer is missing.
std::string told;
int timersMade = 0;
bool recent() { return true; }
bool tooOld() { return false; }
zv::SystemTimer::Handle noTimer() { return ++timersMade, zv::SystemTimer::none; }
zv::SystemTimer::Handle aTimer() { return ++timersMade, zv::SystemTimer::Handle(7); }
void record(const char* why) { told = why; }

TEST(System, TheClockStartsOnlyWithARecentWindowsAndItsTimerAndThePlayerIsToldWhatIsNeeded) {
    struct Case {
        zv::StartupNeeds needs;
        zv::SystemTimer::Handle timer;
        int timersAsked;
        std::string told;
    };
    for (const Case& c : {Case{{tooOld, aTimer, record}, zv::SystemTimer::none, 0, zv::windowsNeeded},
                          Case{{recent, noTimer, record}, zv::SystemTimer::none, 1, zv::windowsNeeded},
                          Case{{recent, aTimer, record}, zv::SystemTimer::Handle(7), 1, ""}}) {
        told.clear();
        timersMade = 0;
        EXPECT_EQ(zv::clockTimerFor(c.needs), c.timer);
        EXPECT_EQ(timersMade, c.timersAsked);
        EXPECT_EQ(told, c.told);
    }
}

TEST(System, OnlyADestroyNotifyNamesTheWindowItDestroyed) {
    std::uint8_t event[32]{};
    const std::uint32_t window = 0x04a00007;
    std::memcpy(event + 8, &window, sizeof window);
    for (const std::uint8_t code : {17, 17 | 0x80}) {  // from the server, or sent by a client
        event[0] = code;
        EXPECT_EQ(zv::destroyedX11Window(event), window);
    }
    event[0] = 18;  // UnmapNotify
    EXPECT_EQ(zv::destroyedX11Window(event), 0u);
}

}  // namespace
