// Panels through their host: commands from clicks, fades, the stack, Escape, slider drags.
#include "GuiTestSupport.h"

#include "ZoBaseMenuGui.h"
#include "ZoButton.h"
#include "ZoCheckBoxGroup.h"
#include "ZoDialogPanel.h"
#include "ZoGuiSound.h"
#include "ZoProfileManager.h"
#include "ZoSlider.h"

#include <gtest/gtest.h>

using namespace guitest;

namespace {

using Sounds = std::vector<int>;

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first"; }

    // A small dialog with OK at (30 %, 80 %) and Cancel at (70 %, 80 %), registered under name.
    ZoDialogPanel* AddDialog(const std::string& name) {
        auto panel = std::make_unique<ZoDialogPanel>();
        EXPECT_TRUE(panel->Create("Interface/vSmlDialog"));
        panel->AddButton("Interface/BtnOk", 30, 80, name + ".Ok", ZoPanel::kRoleDefault);
        panel->AddButton("Interface/BtnCancel", 70, 80, name + ".Cancel", ZoPanel::kRoleCancel);
        return static_cast<ZoDialogPanel*>(host.AddPanel(name, std::move(panel)));
    }

    ZoVector Centre(ZoPanel* panel, const std::string& widget) const {
        return panel->FindElement(widget)->image->position;
    }

    // Hands one record to the host as the window manager would; true when it was consumed.
    bool Feed(ZoInputEvent event) {
        const bool used = host.OnEvent(event);
        lastRecord = event;
        return used;
    }

    bool Click(const ZoVector& at) {
        const int x = static_cast<int>(at.x);
        const int y = static_cast<int>(at.y);
        Feed(MouseMoveTo(x, y));
        Feed(LeftDown(x, y));
        return Feed(LeftUp(x, y));
    }

    SoundEar ear;
    ZoPanelHost host;
    ZoInputEvent lastRecord;
};

TEST_F(PanelTest, CreatePlacesPanelAndButtonsByPercentages) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    EXPECT_EQ(dialog->name, "SmallDlg");
    EXPECT_EQ(dialog->owner, &host);
    EXPECT_FLOAT_EQ(dialog->position.x, 400.0f);
    EXPECT_FLOAT_EQ(dialog->position.y, 300.0f);
    const ZoVector centre = dialog->PanelPoint(50, 50);
    EXPECT_FLOAT_EQ(centre.x, 400.0f);
    EXPECT_FLOAT_EQ(centre.y, 300.0f);
    const float width = static_cast<float>(dialog->Background()->Width());
    const ZoVector ok = Centre(dialog, "SmallDlg.Ok");
    EXPECT_FLOAT_EQ(ok.x, 400.0f + static_cast<float>(static_cast<int>(width * 0.3f)) - width * 0.5f);
    EXPECT_EQ(dialog->defaultButton, dialog->FindElement("SmallDlg.Ok"));
    EXPECT_EQ(dialog->cancelButton, dialog->FindElement("SmallDlg.Cancel"));
    EXPECT_EQ(dialog->FindElement("SmallDlg.Nothing"), nullptr);
    EXPECT_FALSE(ZoPanel().Create("Interface/NoSuchPicture"));
}

TEST_F(PanelTest, ClickSendsTheWidgetNameOnlyAfterTheFade) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kOpenDialog}));
    EXPECT_EQ(dialog->state, ZoPanel::Opening);

    const ZoVector ok = Centre(dialog, "SmallDlg.Ok");
    EXPECT_FALSE(Click(ok));
    EXPECT_EQ(host.pendingCommand, "");
    EXPECT_EQ(ear.Take(), Sounds{});

    EXPECT_EQ(UpdateUntilSteady(host), 16);
    EXPECT_TRUE(Click(ok));
    EXPECT_EQ(host.pendingCommand, "SmallDlg.Ok");
    EXPECT_EQ(host.sender, dialog->FindElement("SmallDlg.Ok"));
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kFocus, ZoGuiSound::kClick}));
    // The consumed record is cleared for everyone after the panel.
    EXPECT_EQ(lastRecord.device, ZoInputEvent::kDeviceNone);
    EXPECT_EQ(lastRecord.message, ZoInputEvent::kNoMessage);
    EXPECT_EQ(lastRecord.releasedButton, ZoInputEvent::kReleasedNone);

    // A click elsewhere is not the panel's.
    host.pendingCommand.clear();
    EXPECT_FALSE(Click(ZoVector(20, 20)));
    EXPECT_EQ(host.pendingCommand, "");
    EXPECT_EQ(lastRecord.message, ZoInputEvent::kLeftButtonUp);
}

TEST_F(PanelTest, DisabledButtonIgnoresTheMouse) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    UpdateUntilSteady(host);
    dialog->FindElement("SmallDlg.Ok")->Disable();
    ear.Take();
    EXPECT_FALSE(Click(Centre(dialog, "SmallDlg.Ok")));
    EXPECT_EQ(host.pendingCommand, "");
    EXPECT_EQ(ear.Take(), Sounds{});
}

TEST_F(PanelTest, FadeTimingAndClosingLeavesTheStack) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    for (int i = 1; i < 16; ++i) {
        host.Update(16);
    }
    EXPECT_EQ(dialog->state, ZoPanel::Opening);
    EXPECT_FLOAT_EQ(dialog->alpha, 240.0f);
    host.Update(16);
    EXPECT_EQ(dialog->state, ZoPanel::Steady);
    EXPECT_FLOAT_EQ(dialog->alpha, 255.0f);

    host.ClosePanel("SmallDlg");
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kOpenDialog, ZoGuiSound::kCloseDialog}));
    host.Update(0); // a frame time of 0 still moves the fade
    EXPECT_FLOAT_EQ(dialog->alpha, 254.0f);
    host.Update(-5);
    EXPECT_FLOAT_EQ(dialog->alpha, 253.0f);
    host.Update(250);
    EXPECT_EQ(host.OpenPanels().size(), 1u);
    host.Update(16);
    EXPECT_TRUE(host.OpenPanels().empty());
    EXPECT_EQ(dialog->state, ZoPanel::Steady);
    EXPECT_FLOAT_EQ(dialog->alpha, 0.0f);
}

TEST_F(PanelTest, InputGoesToTheTopPanelOnly) {
    ZoDialogPanel* lower = AddDialog("LowerDlg");
    ZoDialogPanel* upper = AddDialog("UpperDlg");
    host.OpenPanel("LowerDlg");
    UpdateUntilSteady(host);
    host.OpenPanel("UpperDlg");
    EXPECT_EQ(host.TopPanel(), upper);
    // While the top fades in, nothing takes input, not even the panel below.
    EXPECT_FALSE(Click(Centre(lower, "LowerDlg.Ok")));
    UpdateUntilSteady(host);
    // Both dialogs have their OK at the same place: only the top one answers.
    EXPECT_TRUE(Click(Centre(lower, "LowerDlg.Ok")));
    EXPECT_EQ(host.pendingCommand, "UpperDlg.Ok");
    EXPECT_FALSE(lower->FindElement("LowerDlg.Ok")->highlighted);
}

TEST_F(PanelTest, EscapePressesCancelUnlessItIsDisabled) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    UpdateUntilSteady(host);
    dialog->cancelButton->Disable();
    EXPECT_TRUE(Feed(KeyDown(27)));
    EXPECT_EQ(host.pendingCommand, "");
    dialog->cancelButton->Enable();
    EXPECT_TRUE(Feed(KeyDown(27)));
    EXPECT_EQ(host.pendingCommand, "SmallDlg.Cancel");
    // Other keys are not the panel's.
    host.pendingCommand.clear();
    EXPECT_FALSE(Feed(KeyDown('A')));
    EXPECT_EQ(host.pendingCommand, "");
}

TEST_F(PanelTest, CloseEnablesDefaultAndCancelAgain) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    dialog->defaultButton->Disable();
    dialog->cancelButton->Disable();
    host.ClosePanel("SmallDlg");
    EXPECT_FALSE(dialog->defaultButton->disabled);
    EXPECT_FALSE(dialog->cancelButton->disabled);
}

TEST_F(PanelTest, OpenResetsHighlights) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    UpdateUntilSteady(host);
    const ZoVector ok = Centre(dialog, "SmallDlg.Ok");
    Feed(MouseMoveTo(static_cast<int>(ok.x), static_cast<int>(ok.y)));
    EXPECT_TRUE(dialog->AnyHighlighted());
    host.PopTopPanel();
    host.OpenPanel("SmallDlg");
    EXPECT_FALSE(dialog->AnyHighlighted());
    EXPECT_EQ(dialog->defaultButton->image->Animation().currentFrame, 0);
}

TEST_F(PanelTest, OnlyOnePushButtonIsHighlightedAtATime) {
    ZoDialogPanel* dialog = AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    UpdateUntilSteady(host);
    dialog->cancelButton->Highlight();
    const ZoVector ok = Centre(dialog, "SmallDlg.Ok");
    EXPECT_TRUE(Feed(MouseMoveTo(static_cast<int>(ok.x), static_cast<int>(ok.y))));
    EXPECT_TRUE(dialog->defaultButton->highlighted);
    EXPECT_FALSE(dialog->cancelButton->highlighted);
    EXPECT_EQ(dialog->GetHighlighted(), dialog->defaultButton);
    dialog->SelectElement(dialog->cancelButton);
    EXPECT_EQ(dialog->GetHighlighted(), dialog->cancelButton);
    EXPECT_FALSE(dialog->defaultButton->highlighted);
}

TEST_F(PanelTest, DraggedSliderSendsItsNameOnEveryMoveAndKeepsTheMouse) {
    ZoDialogPanel* dialog = AddDialog("OptionsDlg");
    auto slider = std::make_unique<ZoSlider>();
    ASSERT_TRUE(slider->Create("Interface/Slider", "Interface/SliderThumb", 0, 255, 15));
    ZoSlider* sound = slider.get();
    dialog->PlaceElement(50, 40, sound);
    dialog->AddElement("OptionsDlg.SoundSlider", std::move(slider));
    host.OpenPanel("OptionsDlg");
    UpdateUntilSteady(host);

    const int y = static_cast<int>(sound->image->position.y);
    const int x = static_cast<int>(sound->image->position.x);
    EXPECT_TRUE(Feed(LeftDown(x, y)));
    EXPECT_TRUE(dialog->dragging);
    EXPECT_EQ(host.pendingCommand, "OptionsDlg.SoundSlider");
    EXPECT_EQ(sound->GetValue(), 127);
    host.pendingCommand.clear();

    // Dragging across the OK button does not light it: only sliders hear moves while dragging.
    const ZoVector ok = Centre(dialog, "OptionsDlg.Ok");
    EXPECT_TRUE(Feed(MouseMoveTo(static_cast<int>(ok.x), static_cast<int>(ok.y))));
    EXPECT_EQ(host.pendingCommand, "OptionsDlg.SoundSlider");
    EXPECT_FALSE(dialog->defaultButton->highlighted);
    EXPECT_EQ(sound->GetValue(), sound->ValueAt(ok.x));

    EXPECT_TRUE(Feed(LeftUp(static_cast<int>(ok.x), static_cast<int>(ok.y))));
    EXPECT_FALSE(dialog->dragging);
    EXPECT_FALSE(sound->highlighted);
    host.pendingCommand.clear();
    const int before = sound->GetValue();
    Feed(MouseMoveTo(x + 100, y));
    EXPECT_EQ(sound->GetValue(), before);
    EXPECT_EQ(host.pendingCommand, "");
}

TEST_F(PanelTest, CheckBoxGroupInAPanelSendsBoxThenOwnName) {
    ZoDialogPanel* dialog = AddDialog("OptionsDlg");
    auto group = std::make_unique<ZoCheckBoxGroup>();
    group->AddCheckBox("OptionsDlg.Easy", "Easy", 0, 300, 250, 0);
    group->AddCheckBox("OptionsDlg.Hard", "Hard", 0, 300, 300, 0);
    group->Check("OptionsDlg.Easy");
    dialog->AddElement("OptionsDlg.Difficulty", std::move(group));
    host.OpenPanel("OptionsDlg");
    UpdateUntilSteady(host);

    EXPECT_TRUE(Click(ZoVector(300, 300)));
    EXPECT_EQ(host.pendingCommand, "OptionsDlg.Hard");
    EXPECT_NE(dialog->FindElement("OptionsDlg.Difficulty"), nullptr);
    EXPECT_TRUE(Click(ZoVector(300, 300)));
    EXPECT_EQ(host.pendingCommand, "OptionsDlg.Difficulty");
}

TEST_F(PanelTest, MiddlePanelFadesOutWhileTheTopFadesIn) {
    ZoDialogPanel* root = AddDialog("RootDlg");
    ZoDialogPanel* middle = AddDialog("MiddleDlg");
    ZoDialogPanel* top = AddDialog("TopDlg");
    host.OpenPanel("RootDlg");
    UpdateUntilSteady(host);
    host.OpenPanel("MiddleDlg");
    UpdateUntilSteady(host);
    host.OpenPanel("TopDlg");
    DrawFrame(host);
    EXPECT_FLOAT_EQ(middle->alpha, 255.0f);
    for (int i = 0; i < 5; ++i) {
        host.Update(20);
    }
    EXPECT_FLOAT_EQ(top->alpha, 100.0f);
    DrawFrame(host);
    EXPECT_FLOAT_EQ(middle->alpha, 155.0f);
    UpdateUntilSteady(host);
    DrawFrame(host);
    EXPECT_FLOAT_EQ(middle->alpha, 0.0f);
    EXPECT_FLOAT_EQ(root->alpha, 255.0f);
}

TEST_F(PanelTest, PanelClosedUnderANewerOneLeavesTheNewerOneOpen) {
    AddDialog("RootDlg");
    AddDialog("FirstDlg");
    ZoDialogPanel* second = AddDialog("SecondDlg");
    host.OpenPanel("RootDlg");
    host.OpenPanel("FirstDlg");
    UpdateUntilSteady(host);
    host.ClosePanel("FirstDlg");
    host.OpenPanel("SecondDlg");
    for (int i = 0; i < 40; ++i) {
        host.Update(16);
    }
    ASSERT_EQ(host.OpenPanels().size(), 2u);
    EXPECT_EQ(host.TopPanel(), second);
}

TEST_F(PanelTest, PopAndUnknownNamesAreHarmless) {
    host.PopTopPanel();
    EXPECT_FALSE(host.OpenPanel("Nobody"));
    EXPECT_FALSE(host.ClosePanel("Nobody"));
    EXPECT_EQ(host.GetPanel("Nobody"), nullptr);
    ZoInputEvent none;
    none.Clear();
    EXPECT_TRUE(host.OnEvent(none));
    EXPECT_FALSE(Feed(MouseMoveTo(10, 10))); // no panel open
    DrawFrame(host);
}

TEST_F(PanelTest, ReplacingAnOpenPanelTakesItOffTheStack) {
    AddDialog("SmallDlg");
    host.OpenPanel("SmallDlg");
    ZoDialogPanel* replacement = AddDialog("SmallDlg");
    EXPECT_TRUE(host.OpenPanels().empty());
    EXPECT_EQ(host.GetPanel("SmallDlg"), replacement);
}

TEST_F(PanelTest, MenuBaseAsksForANameWhileNobodyHasAProfile) {
    ZoBaseMenuGui menu;
    ZoProfileManager profiles("/nonexistent-korrik/Profiles.Txt", "/nonexistent-korrik/Save/");
    menu.SetProfiles(&profiles);
    for (const char* name : {"MainMenuDlg", "HelpDlg", "PlayerNameDlg"}) {
        auto panel = std::make_unique<ZoDialogPanel>();
        panel->Create("Interface/vSmlDialog");
        menu.AddPanel(name, std::move(panel));
    }
    menu.OpenPanel("MainMenuDlg");
    menu.OpenPanel("HelpDlg");
    menu.CloseOrAskForName("HelpDlg");
    ASSERT_EQ(menu.OpenPanels().size(), 2u);
    EXPECT_EQ(menu.TopPanel(), menu.GetPanel("PlayerNameDlg"));

    profiles.AddProfile("Ann");
    menu.CloseOrAskForName("PlayerNameDlg");
    EXPECT_EQ(menu.TopPanel()->state, ZoPanel::Closing);
}

} // namespace
