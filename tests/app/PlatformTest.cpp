// The platform's input side: SDL events become the window messages the input record expects, waiting sleeps,
// and one copy of the game at a time.
#include "PlatformEvents.h"
#include "PlatformSingleInstance.h"
#include "TestFiles.h"

#include <array>
#include <ctime>
#include <gtest/gtest.h>

namespace {

using namespace PlatformMessageCode;
using Messages = std::vector<std::array<std::uint32_t, 3>>;

constexpr std::uint32_t At(int x, int y) {
    return static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16);
}

Messages Drain(PlatformEvents& events) {
    Messages out;
    for (PlatformMessage m; events.Poll(m);)
        out.push_back({m.message, m.wParam, m.lParam});
    return out;
}

TEST(PlatformEvents, KeysTextMouseAndWindowEventsBecomeTheirMessages) {
    PlatformEvents events;
    ASSERT_TRUE(events.Ready());
    Drain(events);
    PlatformEvents::InjectKey('A', true);
    PlatformEvents::InjectText("a");
    PlatformEvents::InjectKey('A', false);
    PlatformEvents::InjectKey('7', true, true); // held: repeats
    for (int key : {PlatformVirtualKey::kBackspace, PlatformVirtualKey::kReturn, PlatformVirtualKey::kEscape,
                    PlatformVirtualKey::kLeft})
        PlatformEvents::InjectKey(key, true);
    // e acute and a-umlaut fit in 8 bits; the euro sign and an emoji are dropped.
    PlatformEvents::InjectText("x\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA4");
    EXPECT_EQ(Drain(events), (Messages{{kKeyDown, 'A', 0}, {kChar, 'a', 0}, {kKeyUp, 'A', 0}, {kKeyDown, '7', 0},
                                       {kKeyDown, 8, 0}, {kChar, 8, 0}, {kKeyDown, 13, 0}, {kChar, 13, 0},
                                       {kKeyDown, 27, 0}, {kChar, 27, 0}, {kKeyDown, 37, 0}, {kChar, 'x', 0},
                                       {kChar, 0xE9, 0}, {kChar, 0xE4, 0}}));
    PlatformEvents::InjectText(std::string(70, 'k'));
    EXPECT_EQ(Drain(events).size(), 70u);

    PlatformEvents::InjectMouseMove(900, -20); // clamped to the frame
    PlatformEvents::InjectMouseButton(1, true, 900, -20);
    PlatformEvents::InjectMouseButton(1, false, 900, -20);
    PlatformEvents::InjectMouseButton(2, true, 42, 43); // a click elsewhere is preceded by a move
    PlatformEvents::InjectMouseButton(2, false, 42, 43);
    PlatformEvents::InjectFocus(false);
    PlatformEvents::InjectMouseButton(1, true, 42, 43); // a click gives the focus back
    PlatformEvents::InjectMinimise();
    PlatformEvents::InjectRestore();
    PlatformEvents::InjectClose();
    EXPECT_EQ(Drain(events), (Messages{{kMouseMove, 0, At(799, 0)}, {kLeftDown, 0, At(799, 0)},
                                       {kLeftUp, 0, At(799, 0)}, {kMouseMove, 0, At(42, 43)},
                                       {kRightDown, 0, At(42, 43)}, {kRightUp, 0, At(42, 43)},
                                       {kActivate, 0, 0}, {kActivate, 1, 0}, {kLeftDown, 0, At(42, 43)},
                                       {kSize, kSizeMinimised, 0}, {kSize, kSizeRestored, 0}, {kClose, 0, 0}}));
    events.SetFrameMapper([](int wx, int wy, int& fx, int& fy) { fx = wx / 2, fy = wy / 2; });
    PlatformEvents::InjectMouseMove(1000, 600); // a window twice the frame's size
    PlatformEvents::InjectKey(PlatformVirtualKey::kEscape, true);
    PlatformMessage move, key;
    ASSERT_TRUE(events.Poll(move) && events.Poll(key));
    EXPECT_EQ(move.lParam, At(500, 300));
    events.PostQuit(); // after what was taken already: the key's character comes first
    EXPECT_EQ(Drain(events), (Messages{{kChar, 27, 0}, {kQuit, 0, 0}}));
}

TEST(PlatformEvents, WaitingSleepsAndReturnsAsSoonAsAnEventArrives) {
    PlatformEvents events;
    PlatformMessage message;
    const std::clock_t cpuBefore = std::clock();
    EXPECT_FALSE(events.Wait(message, 300));
    EXPECT_LT(static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 0.1);
    PlatformEvents::InjectKey('W', true);
    ASSERT_TRUE(events.Wait(message, 5000));
    EXPECT_EQ(message.wParam, static_cast<std::uint32_t>('W'));
}

TEST(PlatformSingleInstance, TheLockHoldsAgainstOtherCopiesAndIsNeverFollowedThroughALink) {
    TempFolder folder;
    const std::string path = folder / "lock";
    {
        PlatformSingleInstance first(path);
        ASSERT_EQ(first.Acquire(), PlatformSingleInstance::Result::Acquired);
        EXPECT_EQ(PlatformSingleInstance(path).Acquire(), PlatformSingleInstance::Result::HeldElsewhere);
        EXPECT_EQ(RunChild([&] {
                      return PlatformSingleInstance(path).Acquire() == PlatformSingleInstance::Result::HeldElsewhere ? 0 : 1;
                  }),
                  0);
    }
    EXPECT_EQ(PlatformSingleInstance(path).Acquire(), PlatformSingleInstance::Result::Acquired);
    ASSERT_EQ(symlink((folder / "target").c_str(), (folder / "link").c_str()), 0);
    EXPECT_EQ(PlatformSingleInstance(folder / "link").Acquire(), PlatformSingleInstance::Result::Unavailable);
    EXPECT_FALSE(std::filesystem::exists(folder / "target"));
    // A folder it cannot write leaves the game unguarded rather than stopped.
    EXPECT_EQ(PlatformSingleInstance("/nonexistent-korrik/lock").Acquire(), PlatformSingleInstance::Result::Unavailable);
    EXPECT_NE(PlatformSingleInstance::DefaultLockPath().find(std::to_string(getuid())), std::string::npos);
}

} // namespace
