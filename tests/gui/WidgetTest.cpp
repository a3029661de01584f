// Widgets and panels on their own: sounds, looks, hit rectangles, clicks, fades, Escape, drags.
#include "GuiTestSupport.h"

#include "ZoButton.h"
#include "ZoCheckBox.h"
#include "ZoDialogPanel.h"
#include "ZoGuiSound.h"
#include "ZoRenderDevice.h"
#include "ZoSlider.h"

#include <gtest/gtest.h>

using namespace guitest;

namespace {

using Sounds = std::vector<int>;
constexpr int kFocus = ZoGuiSound::kFocus;
constexpr int kClick = ZoGuiSound::kClick;

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first"; }

    static int Frame(const ZoBaseGuiElemen& widget) { return widget.Image()->Animation().currentFrame; }

    // A small dialog with OK at (30 %, 80 %) and Cancel at (70 %, 80 %), registered under name.
    ZoDialogPanel* AddDialog(const std::string& name) {
        auto panel = std::make_unique<ZoDialogPanel>();
        EXPECT_TRUE(panel->Create("Interface/vSmlDialog"));
        panel->AddButton("Interface/BtnOk", 30, 80, name + ".Ok", ZoPanel::kRoleDefault);
        panel->AddButton("Interface/BtnCancel", 70, 80, name + ".Cancel", ZoPanel::kRoleCancel);
        return static_cast<ZoDialogPanel*>(host.AddPanel(name, std::move(panel)));
    }
    ZoDialogPanel* OpenDialog(const std::string& name) {
        ZoDialogPanel* dialog = AddDialog(name);
        host.OpenPanel(name);
        UpdateUntilSteady(host);
        ear.Take();
        return dialog;
    }
    // Hands one record to the host as the window manager would; true when it was consumed.
    bool Feed(ZoInputEvent event) {
        const bool used = host.OnEvent(event);
        lastRecord = event;
        return used;
    }
    bool Click(const ZoBaseGuiElemen* widget) {
        const ZoVector at = widget->Image()->position;
        Feed(MouseMoveTo(static_cast<int>(at.x), static_cast<int>(at.y)));
        Feed(LeftDown(static_cast<int>(at.x), static_cast<int>(at.y)));
        return Feed(LeftUp(static_cast<int>(at.x), static_cast<int>(at.y)));
    }

    InterfaceEar ear;
    ZoPanelHost host;
    ZoInputEvent lastRecord;
};

TEST_F(WidgetTest, ButtonSoundsOncePerEntryAndClicksWherePressedAndReleased) {
    ZoButton button;
    ASSERT_TRUE(button.LoadImage("Interface/BtnOk"));
    button.image->SetPosition(400, 300);
    EXPECT_FALSE(button.MouseUp(LeftUp(400, 300))) << "a release that was never lit is no click";
    EXPECT_TRUE(button.MouseMove(MouseMoveTo(400, 300)));
    EXPECT_TRUE(button.MouseMove(MouseMoveTo(402, 301)));
    EXPECT_EQ(Frame(button), ZoButton::kFrameHighlighted);
    EXPECT_FALSE(button.MouseMove(MouseMoveTo(10, 10)));
    EXPECT_EQ(Frame(button), ZoButton::kFrameNormal);
    EXPECT_TRUE(button.MouseMove(MouseMoveTo(399, 299)));
    EXPECT_EQ(ear.Take(), (Sounds{kFocus, kFocus}));
    // Held down it looks pressed; released over it, it clicks; again without moving, it clicks again.
    EXPECT_FALSE(button.MouseDown(LeftDown(399, 299)));
    EXPECT_EQ(Frame(button), ZoButton::kFramePressed);
    EXPECT_TRUE(button.MouseUp(LeftUp(399, 299)));
    EXPECT_FALSE(button.MouseDown(LeftDown(399, 299)));
    EXPECT_TRUE(button.MouseUp(LeftUp(399, 299)));
    EXPECT_EQ(ear.Take(), (Sounds{kClick, kClick}));
    // Pressed here, released elsewhere: nothing.
    button.MouseDown(LeftDown(399, 299));
    EXPECT_FALSE(button.MouseUp(LeftUp(10, 10)));
    // The rectangle's edges are outside.
    const int half = button.image->Width() / 2;
    EXPECT_FALSE(button.HitTest(MouseMoveTo(400 - half, 300)));
    EXPECT_TRUE(button.HitTest(MouseMoveTo(400 - half + 1, 300)));
    EXPECT_FALSE(button.HitTest(MouseMoveTo(400, 300 + button.image->FrameHeight() / 2)));
    // Disabled: never lit, never clicked, and it keeps its disabled look when drawn.
    button.Disable();
    EXPECT_FALSE(button.MouseMove(MouseMoveTo(400, 300)));
    button.MouseDown(LeftDown(400, 300));
    EXPECT_FALSE(button.MouseUp(LeftUp(400, 300)));
    button.Draw();
    EXPECT_EQ(Frame(button), ZoButton::kFrameDisabled);
    EXPECT_EQ(ear.Take(), Sounds{});
}

TEST_F(WidgetTest, CheckBoxTogglesOnReleaseOverTheBoxOrItsLabel) {
    ZoCheckBox box;
    ASSERT_TRUE(box.LoadImage("Interface/CheckBox"));
    box.image->SetPosition(400, 200);
    box.captionSwitch = 1;
    box.caption = "Full screen";
    box.captionAlignment = 0; // the label before the box
    EXPECT_FALSE(box.MouseDown(LeftDown(400, 200)));
    EXPECT_EQ(ear.Take(), Sounds{}) << "no click sound without the mouse over it first";
    EXPECT_TRUE(box.MouseUp(LeftUp(400, 200)));
    EXPECT_TRUE(box.checked);
    box.Draw();
    EXPECT_EQ(Frame(box), 2);
    // The word counts as the box; beyond the word nothing does.
    EXPECT_TRUE(box.MouseUp(LeftUp(350, 200)));
    EXPECT_FALSE(box.checked);
    EXPECT_FALSE(box.MouseUp(LeftUp(200, 200)));
    EXPECT_FALSE(box.MouseUp(LeftUp(450, 200)));
    box.MouseMove(MouseMoveTo(400, 200));
    box.Draw();
    EXPECT_EQ(Frame(box), 1);
    box.MouseDown(LeftDown(400, 200));
    EXPECT_EQ(ear.Take(), (Sounds{kFocus, kClick}));
}

TEST_F(WidgetTest, SliderFollowsPressAndDragWithinItsRange) {
    ZoDialogPanel* dialog = AddDialog("OptionsDlg");
    auto owned = std::make_unique<ZoSlider>();
    ZoSlider& slider = *owned;
    ASSERT_TRUE(slider.Create("Interface/Slider", "Interface/SliderThumb", 0, 255, 15));
    slider.image->SetPosition(400, 200);
    dialog->AddElement("OptionsDlg.SoundSlider", std::move(owned));
    host.OpenPanel("OptionsDlg");
    UpdateUntilSteady(host);
    ear.Take();
    // The design's own example: a 288-pixel bar at x 400 runs from 272 to 528.
    EXPECT_FALSE(Feed(LeftDown(540, 200)));
    EXPECT_TRUE(Feed(LeftDown(400, 200)));
    EXPECT_EQ(slider.GetValue(), 127);
    EXPECT_EQ(host.pendingCommand, "OptionsDlg.SoundSlider");
    host.pendingCommand.clear();
    // Dragged across OK, only the slider hears the mouse, and every move is sent.
    const ZoVector ok = dialog->defaultButton->image->position;
    EXPECT_TRUE(Feed(MouseMoveTo(static_cast<int>(ok.x), static_cast<int>(ok.y))));
    EXPECT_FALSE(dialog->defaultButton->highlighted);
    EXPECT_EQ(host.pendingCommand, "OptionsDlg.SoundSlider");
    Feed(MouseMoveTo(700, 200));
    EXPECT_EQ(slider.GetValue(), 255);
    Feed(MouseMoveTo(100, 200));
    EXPECT_EQ(slider.GetValue(), 0);
    EXPECT_TRUE(Feed(LeftUp(100, 200)));
    EXPECT_FALSE(dialog->dragging);
    Feed(MouseMoveTo(500, 200));
    EXPECT_EQ(slider.GetValue(), 0);
    EXPECT_EQ(ear.Take(), (Sounds{kClick}));
}

TEST_F(WidgetTest, PanelTakesClicksOnlyWhenStillAndClearsTheRecordItUsed) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    EXPECT_FALSE(Click(dialog->defaultButton));
    EXPECT_EQ(host.pendingCommand, "");
    EXPECT_EQ(UpdateUntilSteady(host), 16) << "a fade of 255 ms at 16 ms a frame";
    EXPECT_TRUE(Click(dialog->defaultButton));
    EXPECT_EQ(host.pendingCommand, "SmallDlg.Ok");
    EXPECT_EQ(host.sender, dialog->defaultButton);
    EXPECT_EQ(lastRecord.device, ZoInputEvent::kDeviceNone);
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kOpenDialog, kFocus, kClick}));
    host.pendingCommand.clear();
    EXPECT_FALSE(Feed(LeftDown(20, 20)));
    EXPECT_FALSE(Feed(LeftUp(20, 20)));
    EXPECT_EQ(lastRecord.message, ZoInputEvent::kLeftButtonUp) << "a click elsewhere stays for the screen";
    // Only one push button is lit at a time.
    dialog->cancelButton->Highlight();
    const ZoVector ok = dialog->defaultButton->image->position;
    Feed(MouseMoveTo(static_cast<int>(ok.x), static_cast<int>(ok.y)));
    EXPECT_FALSE(dialog->cancelButton->highlighted);
    // Closing starts a fade of its own (a frame time of 0 still moves it) and makes a disabled OK or
    // Cancel ready for the next opening.
    dialog->defaultButton->Disable();
    host.ClosePanel("SmallDlg");
    EXPECT_FALSE(dialog->defaultButton->disabled);
    host.Update(0);
    EXPECT_FLOAT_EQ(dialog->alpha, 254.0f);
    UpdateUntilSteady(host, 16, 20);
    EXPECT_TRUE(host.OpenPanels().empty());
}

TEST_F(WidgetTest, StackedDialogsCrossFadeAndTheRootIsDrawnOnce) {
    ZoDialogPanel* root = OpenDialog("RootDlg");
    ZoDialogPanel* middle = OpenDialog("MiddleDlg");
    const auto drawn = [](const ZoPanel* panel) {
        int count = 0;
        for (const auto& sprite : ZoRenderDevice::Instance().Batch())
            count += sprite.texture == panel->Background()->Data()->Texture() ? 1 : 0;
        return count;
    };
    DrawFrame(host);
    EXPECT_EQ(drawn(root), 2) << "the root and the dialog share a picture here: each drawn once";
    ZoDialogPanel* top = AddDialog("TopDlg");
    host.OpenPanel("TopDlg");
    for (int i = 0; i < 5; ++i)
        host.Update(20);
    DrawFrame(host);
    EXPECT_FLOAT_EQ(middle->alpha, 255.0f - top->alpha);
    // A dialog closed under a newer one leaves, the newer one stays on top.
    host.ClosePanel("MiddleDlg");
    for (int i = 0; i < 40; ++i)
        host.Update(16);
    ASSERT_EQ(host.OpenPanels().size(), 2u);
    EXPECT_EQ(host.TopPanel(), top);
    EXPECT_FLOAT_EQ(root->alpha, 255.0f);
}

} // namespace
