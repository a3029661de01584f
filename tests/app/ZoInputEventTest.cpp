// Translation of window messages into the input record.
#include "ZoInputEvent.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t Position(int x, int y) {
    return static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16);
}

TEST(ZoInputEvent, FreshRecordHoldsZeros) {
    ZoInputEvent event;
    EXPECT_EQ(event.device, 0);
    EXPECT_EQ(event.message, 0);
    EXPECT_EQ(event.releasedButton, 0);
    EXPECT_EQ(event.key, 0);
    EXPECT_EQ(event.position, ZoVector());
}

TEST(ZoInputEvent, MouseMoveSetsBothPositionsAndRemembersThePreviousPoint) {
    ZoInputEvent event;
    ASSERT_TRUE(event.Translate(0x200, 0, Position(120, 45)));
    ASSERT_TRUE(event.Translate(0x200, 0, Position(799, 599)));
    EXPECT_EQ(event.device, ZoInputEvent::kDeviceMouse);
    EXPECT_EQ(event.message, 0x200);
    EXPECT_EQ(event.position, ZoVector(799, 599, 0));
    EXPECT_EQ(event.eventPosition, ZoVector(799, 599, 0));
    EXPECT_EQ(event.cursorPoint, ZoCell(799, 599));
    EXPECT_EQ(event.previousCursorPoint, ZoCell(120, 45));
}

TEST(ZoInputEvent, LeftClickIsDownThenUpAtTheLastMovePosition) {
    ZoInputEvent event;
    event.Translate(0x200, 0, Position(300, 200));
    // The press carries another position; the record ignores it.
    ASSERT_TRUE(event.Translate(0x201, 0, Position(5, 5)));
    EXPECT_EQ(event.message, 0x201);
    EXPECT_EQ(event.releasedButton, 0);
    EXPECT_EQ(event.buttonMessage, 0x201);
    EXPECT_EQ(event.eventPosition, ZoVector(300, 200, 0));
    ASSERT_TRUE(event.Translate(0x202, 0, Position(5, 5)));
    EXPECT_EQ(event.message, 0x202);
    EXPECT_EQ(event.releasedButton, ZoInputEvent::kReleasedLeft);
    EXPECT_EQ(event.device, ZoInputEvent::kDeviceMouse);
    EXPECT_EQ(event.eventPosition, ZoVector(300, 200, 0));
}

TEST(ZoInputEvent, RightClickGivesOnlyTheRelease) {
    ZoInputEvent event;
    event.Translate(0x200, 0, Position(10, 20));
    EXPECT_FALSE(event.Translate(0x204, 0, 0));
    ASSERT_TRUE(event.Translate(0x205, 0, 0));
    EXPECT_EQ(event.releasedButton, ZoInputEvent::kReleasedRight);
    EXPECT_EQ(event.message, 0x205);
    EXPECT_EQ(event.eventPosition, ZoVector(10, 20, 0));
}

TEST(ZoInputEvent, KeysGiveKeyDownCharacterAndAnEmptyKeyUp) {
    ZoInputEvent event;
    ASSERT_TRUE(event.Translate(0x100, 'A', 0));
    EXPECT_EQ(event.device, ZoInputEvent::kDeviceKeyboard);
    EXPECT_EQ(event.message, 0x100);
    EXPECT_EQ(event.key, 'A');
    ASSERT_TRUE(event.Translate(0x102, 0x1E9, 0)); // only the low byte is the character
    EXPECT_EQ(event.message, 0x102);
    EXPECT_EQ(event.key, 0xE9);
    ASSERT_TRUE(event.Translate(0x101, 'A', 0));
    EXPECT_EQ(event.device, ZoInputEvent::kDeviceNone);
    EXPECT_EQ(event.message, ZoInputEvent::kNoMessage);
    EXPECT_EQ(event.key, 0);
}

TEST(ZoInputEvent, OtherMessagesAreNotEventsButResetTheRecord) {
    ZoInputEvent event;
    event.Translate(0x202, 0, 0);
    EXPECT_FALSE(event.Translate(0x020A, 0, 0)); // the wheel
    EXPECT_EQ(event.message, ZoInputEvent::kNoMessage);
    EXPECT_EQ(event.releasedButton, 0);
    EXPECT_EQ(event.buttonMessage, 0x202); // the last button message stays
}

TEST(ZoInputEvent, NothingIsTranslatedWhileTheWindowIsNotActive) {
    ZoInputEvent event;
    event.Translate(0x200, 0, Position(40, 50));
    event.windowActive = false;
    EXPECT_FALSE(event.Translate(0x200, 0, Position(60, 70)));
    EXPECT_FALSE(event.Translate(0x100, 'X', 0));
    EXPECT_EQ(event.message, 0x200);
    EXPECT_EQ(event.position, ZoVector(40, 50, 0));
}

} // namespace
