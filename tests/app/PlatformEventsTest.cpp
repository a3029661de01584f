// Platform events become the window messages the input record expects (headless, SDL's own queue).
#include "PlatformEvents.h"

#include <ctime>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace PlatformMessageCode;

struct Message {
    std::uint32_t message;
    std::uint32_t wParam;
    std::uint32_t lParam;
    bool operator==(const Message& o) const {
        return message == o.message && wParam == o.wParam && lParam == o.lParam;
    }
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << std::hex << "{0x" << m.message << ", 0x" << m.wParam << ", 0x" << m.lParam << "}";
}

constexpr std::uint32_t At(int x, int y) {
    return static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16);
}

class PlatformEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(events.Ready());
        Drain();
    }
    std::vector<Message> Drain() {
        std::vector<Message> out;
        PlatformMessage message;
        while (events.Poll(message))
            out.push_back({message.message, message.wParam, message.lParam});
        return out;
    }
    PlatformEvents events;
};

TEST_F(PlatformEventsTest, LetterKeyGivesKeyDownThenTextCharacterThenKeyUp) {
    PlatformEvents::InjectKey('A', true);
    PlatformEvents::InjectText("a");
    PlatformEvents::InjectKey('A', false);
    EXPECT_EQ(Drain(), (std::vector<Message>{{kKeyDown, 'A', 0}, {kChar, 'a', 0}, {kKeyUp, 'A', 0}}));
}

TEST_F(PlatformEventsTest, BackspaceReturnAndEscapeMakeTheirOwnCharacters) {
    PlatformEvents::InjectKey(PlatformVirtualKey::kBackspace, true);
    PlatformEvents::InjectKey(PlatformVirtualKey::kReturn, true);
    PlatformEvents::InjectKey(PlatformVirtualKey::kEscape, true);
    PlatformEvents::InjectKey(PlatformVirtualKey::kLeft, true); // no character for arrows
    EXPECT_EQ(Drain(), (std::vector<Message>{{kKeyDown, 8, 0},
                                             {kChar, 8, 0},
                                             {kKeyDown, 13, 0},
                                             {kChar, 13, 0},
                                             {kKeyDown, 27, 0},
                                             {kChar, 27, 0},
                                             {kKeyDown, 37, 0}}));
}

TEST_F(PlatformEventsTest, DigitsAndHeldKeysRepeat) {
    PlatformEvents::InjectKey('7', true);
    PlatformEvents::InjectKey('7', true, true);
    EXPECT_EQ(Drain(), (std::vector<Message>{{kKeyDown, '7', 0}, {kKeyDown, '7', 0}}));
}

TEST_F(PlatformEventsTest, TextBecomesOneCharacterPerLatin1CodePoint) {
    // e acute and a-umlaut fit in 8 bits; the euro sign and an emoji do not and are dropped.
    PlatformEvents::InjectText("x\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA4");
    EXPECT_EQ(Drain(), (std::vector<Message>{{kChar, 'x', 0}, {kChar, 0xE9, 0}, {kChar, 0xE4, 0}}));
}

TEST_F(PlatformEventsTest, LongTextArrivesWhole) {
    const std::string text(70, 'k');
    PlatformEvents::InjectText(text);
    const std::vector<Message> messages = Drain();
    ASSERT_EQ(messages.size(), text.size());
    for (const Message& m : messages)
        EXPECT_EQ(m, (Message{kChar, 'k', 0}));
}

TEST_F(PlatformEventsTest, MouseMovesAreClampedToTheFrame) {
    PlatformEvents::InjectMouseMove(250, 125);
    PlatformEvents::InjectMouseMove(900, -20);
    EXPECT_EQ(Drain(), (std::vector<Message>{{kMouseMove, 0, At(250, 125)}, {kMouseMove, 0, At(799, 0)}}));
}

TEST_F(PlatformEventsTest, WindowPixelsAreMappedToTheFrame) {
    // A window twice the frame's size.
    events.SetFrameMapper([](int wx, int wy, int& fx, int& fy) {
        fx = wx / 2;
        fy = wy / 2;
    });
    PlatformEvents::InjectMouseMove(1000, 600);
    EXPECT_EQ(Drain(), (std::vector<Message>{{kMouseMove, 0, At(500, 300)}}));
}

TEST_F(PlatformEventsTest, ClickAwayFromTheLastMoveIsPrecededByAMove) {
    PlatformEvents::InjectMouseMove(10, 10);
    PlatformEvents::InjectMouseButton(1, true, 10, 10);
    PlatformEvents::InjectMouseButton(1, false, 10, 10);
    PlatformEvents::InjectMouseButton(2, true, 42, 43);
    PlatformEvents::InjectMouseButton(2, false, 42, 43);
    EXPECT_EQ(Drain(), (std::vector<Message>{{kMouseMove, 0, At(10, 10)},
                                             {kLeftDown, 0, At(10, 10)},
                                             {kLeftUp, 0, At(10, 10)},
                                             {kMouseMove, 0, At(42, 43)},
                                             {kRightDown, 0, At(42, 43)},
                                             {kRightUp, 0, At(42, 43)}}));
}

TEST_F(PlatformEventsTest, MinimiseRestoreAndCloseBecomeWindowMessages) {
    PlatformEvents::InjectMinimise();
    PlatformEvents::InjectRestore();
    PlatformEvents::InjectClose();
    EXPECT_EQ(Drain(),
              (std::vector<Message>{{kSize, kSizeMinimised, 0}, {kSize, kSizeRestored, 0}, {kClose, 0, 0}}));
}

TEST_F(PlatformEventsTest, FocusChangesAreReportedAndAClickGivesTheFocusBack) {
    PlatformEvents::InjectFocus(false);
    PlatformEvents::InjectMouseMove(5, 6);
    PlatformEvents::InjectMouseButton(1, true, 5, 6);
    PlatformEvents::InjectMouseButton(1, false, 5, 6);
    PlatformEvents::InjectFocus(true);
    PlatformEvents::InjectMouseButton(1, true, 5, 6);
    EXPECT_EQ(Drain(), (std::vector<Message>{{kActivate, 0, 0},
                                             {kMouseMove, 0, At(5, 6)},
                                             {kActivate, 1, 0},
                                             {kLeftDown, 0, At(5, 6)},
                                             {kLeftUp, 0, At(5, 6)},
                                             {kActivate, 1, 0},
                                             {kLeftDown, 0, At(5, 6)}}));
}

TEST_F(PlatformEventsTest, PostedQuitComesAfterWhatWasAlreadyTaken) {
    PlatformEvents::InjectKey(PlatformVirtualKey::kEscape, true);
    PlatformMessage first;
    ASSERT_TRUE(events.Poll(first));
    EXPECT_EQ(first.message, kKeyDown);
    events.PostQuit();
    // The synthesised character was already taken from the platform, so it comes first.
    EXPECT_EQ(Drain(), (std::vector<Message>{{kChar, 27, 0}, {kQuit, 0, 0}}));
}

TEST_F(PlatformEventsTest, WaitSleepsInsteadOfSpinning) {
    PlatformMessage message;
    const std::clock_t cpuBefore = std::clock();
    EXPECT_FALSE(events.Wait(message, 300));
    const double cpuSeconds = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuSeconds, 0.1) << "waiting 300 ms used " << cpuSeconds << " s of processor";
}

TEST_F(PlatformEventsTest, WaitReturnsAsSoonAsAnEventArrives) {
    PlatformEvents::InjectKey('W', true);
    PlatformMessage message;
    ASSERT_TRUE(events.Wait(message, 5000));
    EXPECT_EQ(message.message, kKeyDown);
    EXPECT_EQ(message.wParam, static_cast<std::uint32_t>('W'));
}

} // namespace
