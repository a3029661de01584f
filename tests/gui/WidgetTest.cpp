// Widgets on their own: hover and click sounds, frames, hit rectangles, check boxes, groups, sliders.
#include "GuiTestSupport.h"

#include "ZoButton.h"
#include "ZoCheckBox.h"
#include "ZoCheckBoxGroup.h"
#include "ZoGuiSound.h"
#include "ZoProfileButton.h"
#include "ZoSlider.h"

#include <gtest/gtest.h>

using namespace guitest;

namespace {

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first"; }

    std::unique_ptr<ZoButton> OkButtonAt(float x, float y) {
        auto button = std::make_unique<ZoButton>();
        EXPECT_TRUE(button->LoadImage("Interface/BtnOk"));
        button->image->SetPosition(x, y);
        return button;
    }

    SoundEar ear;
};

using Sounds = std::vector<int>;

TEST_F(WidgetTest, FocusSoundPlaysOncePerEntryAndFramesFollowTheMouse) {
    auto button = OkButtonAt(400, 300);
    EXPECT_FALSE(button->MouseMove(MouseMoveTo(10, 10)));
    EXPECT_EQ(ear.Take(), Sounds{});

    EXPECT_TRUE(button->MouseMove(MouseMoveTo(400, 300)));
    EXPECT_TRUE(button->highlighted);
    EXPECT_EQ(button->image->Animation().currentFrame, 1);
    EXPECT_TRUE(button->MouseMove(MouseMoveTo(402, 301)));
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kFocus}));

    EXPECT_FALSE(button->MouseMove(MouseMoveTo(10, 10)));
    EXPECT_FALSE(button->highlighted);
    EXPECT_EQ(button->image->Animation().currentFrame, 0);
    EXPECT_TRUE(button->MouseMove(MouseMoveTo(399, 299)));
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kFocus}));
}

TEST_F(WidgetTest, OnlyAHighlightedButtonCountsARelease) {
    auto button = OkButtonAt(400, 300);
    EXPECT_FALSE(button->MouseUp(LeftUp(400, 300)));
    EXPECT_EQ(ear.Take(), Sounds{});

    button->MouseMove(MouseMoveTo(400, 300));
    ear.Take();
    // The release itself is not located: a highlighted button takes it wherever it happens.
    EXPECT_TRUE(button->MouseUp(LeftUp(400, 300)));
    EXPECT_FALSE(button->highlighted);
    EXPECT_EQ(button->image->Animation().currentFrame, 0);
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kClick}));
}

TEST_F(WidgetTest, RectangleEdgesAreOutside) {
    auto button = OkButtonAt(400, 300);
    const int halfWidth = button->image->Width() / 2;
    const int halfHeight = button->image->FrameHeight() / 2;
    ASSERT_GT(halfWidth, 4);
    ASSERT_GT(halfHeight, 4);
    EXPECT_FALSE(button->HitTest(MouseMoveTo(400 - halfWidth, 300)));
    EXPECT_TRUE(button->HitTest(MouseMoveTo(400 - halfWidth + 1, 300)));
    EXPECT_FALSE(button->HitTest(MouseMoveTo(400 + halfWidth, 300)));
    EXPECT_TRUE(button->HitTest(MouseMoveTo(400 + halfWidth - 1, 300)));
    EXPECT_FALSE(button->HitTest(MouseMoveTo(400, 300 - halfHeight)));
    EXPECT_TRUE(button->HitTest(MouseMoveTo(400, 300 - halfHeight + 1)));
    EXPECT_FALSE(button->HitTest(MouseMoveTo(400, 300 + halfHeight)));
}

TEST_F(WidgetTest, DisabledButtonNeverHighlightsAndStillLooksDisabled) {
    auto button = OkButtonAt(400, 300);
    button->Disable();
    EXPECT_EQ(button->image->Animation().currentFrame, 2);
    EXPECT_FALSE(button->MouseMove(MouseMoveTo(400, 300)));
    EXPECT_FALSE(button->highlighted);
    EXPECT_EQ(ear.Take(), Sounds{});
    button->Draw();
    EXPECT_EQ(button->image->Animation().currentFrame, 2);

    button->Enable();
    EXPECT_EQ(button->image->Animation().currentFrame, 0);
    EXPECT_TRUE(button->MouseMove(MouseMoveTo(400, 300)));
}

TEST_F(WidgetTest, CheckBoxTogglesOnReleaseInsideEvenWithoutHighlight) {
    ZoCheckBox box;
    ASSERT_TRUE(box.LoadImage("Interface/CheckBox"));
    box.image->SetPosition(200, 200);
    EXPECT_FALSE(box.highlighted);
    EXPECT_FALSE(box.MouseDown(LeftDown(200, 200)));
    EXPECT_EQ(ear.Take(), Sounds{}); // no click sound without highlight
    EXPECT_TRUE(box.MouseUp(LeftUp(200, 200)));
    EXPECT_TRUE(box.checked);
    EXPECT_FALSE(box.MouseUp(LeftUp(100, 100)));
    EXPECT_TRUE(box.checked);

    box.Draw();
    EXPECT_EQ(box.image->Animation().currentFrame, 2);
    box.MouseMove(MouseMoveTo(200, 200));
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kFocus}));
    box.Draw();
    EXPECT_EQ(box.image->Animation().currentFrame, 3);
    EXPECT_FALSE(box.MouseDown(LeftDown(200, 200)));
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kClick}));
    EXPECT_TRUE(box.MouseUp(LeftUp(200, 200)));
    box.Draw();
    EXPECT_FALSE(box.checked);
    EXPECT_EQ(box.image->Animation().currentFrame, 1);
}

TEST_F(WidgetTest, GroupSendsTheNewBoxOrItsOwnName) {
    ZoCheckBoxGroup group;
    group.name = group.ownName = "OptionsDlg.Difficulty";
    group.AddCheckBox("OptionsDlg.Easy", "Easy", 0, 300, 200, 0);
    group.AddCheckBox("OptionsDlg.Normal", "Normal", 0, 300, 260, 0);
    group.AddCheckBox("OptionsDlg.Hard", "Hard", 0, 300, 320, 0);
    group.Check("OptionsDlg.Normal");
    EXPECT_FALSE(group.HitTest(MouseMoveTo(300, 260)));
    EXPECT_EQ(group.Boxes()[0]->captionAlignment, 0);

    group.MouseDown(LeftDown(300, 320));
    EXPECT_EQ(group.rememberedIndex, 1);
    EXPECT_TRUE(group.MouseUp(LeftUp(300, 320)));
    EXPECT_EQ(group.name, "OptionsDlg.Hard");
    EXPECT_FALSE(group.Boxes()[0]->checked);
    EXPECT_FALSE(group.Boxes()[1]->checked);
    EXPECT_TRUE(group.Boxes()[2]->checked);
    group.AfterPress();
    EXPECT_EQ(group.name, "OptionsDlg.Difficulty");

    // The checked box clicked again stays checked and the group sends its own name.
    EXPECT_TRUE(group.MouseUp(LeftUp(300, 320)));
    EXPECT_TRUE(group.Boxes()[2]->checked);
    EXPECT_EQ(group.name, "OptionsDlg.Difficulty");

    EXPECT_FALSE(group.MouseUp(LeftUp(600, 320)));
    group.RestorePrevious();
    EXPECT_TRUE(group.Boxes()[1]->checked);
    EXPECT_FALSE(group.Boxes()[2]->checked);
}

TEST_F(WidgetTest, SliderValueFollowsPressAndDragAndStaysInRange) {
    ZoSlider slider;
    ASSERT_TRUE(slider.Create("Interface/Slider", "Interface/SliderThumb", 0, 255, 15));
    ASSERT_EQ(slider.image->Width(), 288);
    slider.image->SetPosition(400, 300);
    EXPECT_EQ(slider.kind, ZoBaseGuiElemen::kKindSlider);

    // A press at x = 540 lies beyond the track, which ends before x = 528.
    EXPECT_FALSE(slider.MouseDown(LeftDown(540, 300)));
    EXPECT_FALSE(slider.MouseDown(LeftDown(528, 300)));
    EXPECT_EQ(ear.Take(), Sounds{});

    EXPECT_TRUE(slider.MouseDown(LeftDown(400, 300)));
    EXPECT_EQ(slider.GetValue(), 127);
    EXPECT_TRUE(slider.highlighted);
    EXPECT_EQ(slider.image->Animation().currentFrame, 1);
    EXPECT_EQ(slider.Thumb()->Animation().currentFrame, 1);
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kClick}));

    EXPECT_TRUE(slider.MouseMove(MouseMoveTo(540, 300)));
    EXPECT_EQ(slider.GetValue(), 255);
    EXPECT_TRUE(slider.MouseMove(MouseMoveTo(100, 300)));
    EXPECT_EQ(slider.GetValue(), 0);
    EXPECT_TRUE(slider.MouseMove(MouseMoveTo(273, 300)));
    EXPECT_EQ(slider.GetValue(), 0); // trunc(1 * 255 / 256)
    EXPECT_TRUE(slider.MouseMove(MouseMoveTo(274, 300)));
    EXPECT_EQ(slider.GetValue(), 1);

    EXPECT_TRUE(slider.MouseUp(LeftUp(274, 300)));
    EXPECT_FALSE(slider.highlighted);
    EXPECT_EQ(slider.Thumb()->Animation().currentFrame, 0);
    EXPECT_FALSE(slider.MouseMove(MouseMoveTo(400, 300)));
    EXPECT_EQ(slider.GetValue(), 1);

    slider.value = 128;
    slider.Draw();
    EXPECT_FLOAT_EQ(slider.Thumb()->position.x, 272.0f + 256.0f / 255.0f * 128.0f);
    EXPECT_FLOAT_EQ(slider.Thumb()->position.y, 300.0f);
}

TEST_F(WidgetTest, SliderStepsClampAndClick) {
    ZoSlider slider;
    ASSERT_TRUE(slider.Create("Interface/Slider", "Interface/SliderThumb", 0, 255, 15));
    slider.value = 5;
    slider.Decrease();
    EXPECT_EQ(slider.GetValue(), 0);
    slider.value = 250;
    slider.Increase();
    EXPECT_EQ(slider.GetValue(), 255);
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kClick, ZoGuiSound::kClick}));
}

TEST_F(WidgetTest, SliderWithoutPicturesReportsFailureAndIgnoresTheMouse) {
    ZoSlider slider;
    EXPECT_FALSE(slider.Create("Interface/NoSuchBar", "Interface/SliderThumb", 0, 255, 15));
    EXPECT_FALSE(slider.MouseDown(LeftDown(400, 300)));
    EXPECT_EQ(slider.ValueAt(400), 0);
    slider.Draw(); // nothing to draw, nothing to crash
}

TEST_F(WidgetTest, ProfileButtonStaysSelectedAndMovesSilently) {
    ZoProfileButton button;
    ASSERT_TRUE(button.LoadImage("Interface/ProfileItem"));
    button.image->SetPosition(400, 200);
    EXPECT_EQ(button.kind, ZoBaseGuiElemen::kKindProfileButton);
    EXPECT_TRUE(button.MouseMove(MouseMoveTo(400, 200)));
    EXPECT_FALSE(button.highlighted);
    EXPECT_EQ(button.image->Animation().currentFrame, 1);
    EXPECT_EQ(ear.Take(), Sounds{});

    EXPECT_TRUE(button.MouseUp(LeftUp(400, 200)));
    EXPECT_TRUE(button.highlighted);
    EXPECT_EQ(button.image->Animation().currentFrame, 0);
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kClick}));
    // Selected: moves change nothing.
    EXPECT_FALSE(button.MouseMove(MouseMoveTo(400, 200)));
    EXPECT_EQ(button.image->Animation().currentFrame, 0);
    EXPECT_FALSE(button.MouseUp(LeftUp(10, 10)));
}

} // namespace
