// The name-entry dialog: typing, backspace, the width limit, Return and Escape, OK and Cancel states.
#include "GuiTestSupport.h"

#include "ZoBitmapFont.h"
#include "ZoGuiSound.h"
#include "ZoProfileManager.h"
#include "ZoTextDialogPanel.h"

#include <gtest/gtest.h>

using namespace guitest;

namespace {

using Sounds = std::vector<int>;

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first";
        auto panel = std::make_unique<ZoTextDialogPanel>();
        panel->SetProfiles(&profiles);
        ASSERT_TRUE(panel->Create("Interface/EditDialog"));
        panel->SetMessageFont(0);
        dialog = static_cast<ZoTextDialogPanel*>(host.AddPanel("PlayerNameDlg", std::move(panel)));
        host.OpenPanel("PlayerNameDlg");
        UpdateUntilSteady(host);
        ear.Take();
    }

    bool Feed(ZoInputEvent event) { return host.OnEvent(event); }

    // A key as the window produces it: the key-down, then its character.
    void Type(const std::string& text) {
        for (char c : text) {
            Feed(KeyDown(static_cast<std::uint8_t>(c >= 'a' && c <= 'z' ? c - 32 : c)));
            Feed(CharTyped(c));
        }
    }

    ZoBaseGuiElemen* Ok() const { return dialog->FindElement("PlayerNameDlg.Ok"); }
    ZoBaseGuiElemen* Cancel() const { return dialog->FindElement("PlayerNameDlg.Cancel"); }

    SoundEar ear;
    ZoProfileManager profiles{"/nonexistent-korrik/Profiles.Txt", "/nonexistent-korrik/Save/"};
    ZoPanelHost host;
    ZoTextDialogPanel* dialog = nullptr;
};

TEST_F(NameEntryTest, LayoutComesFromTheEngineDefinitions) {
    EXPECT_EQ(dialog->inputWidth, 220);
    EXPECT_FLOAT_EQ(dialog->textPosition.x, 400.0f);
    EXPECT_FLOAT_EQ(dialog->textPosition.y, 300.0f);
    ASSERT_NE(Ok(), nullptr);
    ASSERT_NE(Cancel(), nullptr);
    EXPECT_EQ(dialog->defaultButton, Ok());
    EXPECT_EQ(dialog->cancelButton, Cancel());
    EXPECT_FLOAT_EQ(Ok()->image->position.x, dialog->PanelPoint(30, 82).x);
    EXPECT_EQ(dialog->Cursor()->Animation().columns, 2);
}

TEST_F(NameEntryTest, TypingALetterSoundsEnablesOkAndPutsTheCursorAfterIt) {
    DrawFrame(host);
    EXPECT_TRUE(Ok()->disabled);
    Type("A");
    EXPECT_EQ(dialog->Text(), "A");
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kType}));
    EXPECT_FALSE(Ok()->disabled);
    DrawFrame(host);
    const ZoBitmapFont* font = ZoFontRegistry::Instance().Get(0);
    const int width = font->MeasureText("A");
    ASSERT_GT(width, 0);
    // Centred on x = 400: the cursor stands where the glyph ends.
    EXPECT_NEAR(dialog->Cursor()->position.x, 400.0f + static_cast<float>(width) / 2.0f, 2.0f);
    EXPECT_FALSE(Ok()->disabled);
}

TEST_F(NameEntryTest, OnlyLettersDigitsAndBlanksAreTaken) {
    Type("Jo 7");
    Type("!-./%");
    EXPECT_EQ(dialog->Text(), "Jo 7");
    // Three letters and digits sound; the blank and punctuation do not.
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kType, ZoGuiSound::kType, ZoGuiSound::kType}));
}

TEST_F(NameEntryTest, BlankTextKeepsOkDisabledAndReturnDoesNothing) {
    Type("   ");
    EXPECT_EQ(dialog->Text(), "   ");
    DrawFrame(host);
    EXPECT_TRUE(Ok()->disabled);
    EXPECT_FALSE(Feed(KeyDown(13)));
    EXPECT_EQ(host.pendingCommand, "");
}

TEST_F(NameEntryTest, ReturnPressesOkOnceTextIsThere) {
    Type("Ann");
    DrawFrame(host);
    EXPECT_TRUE(Feed(KeyDown(13)));
    EXPECT_EQ(host.pendingCommand, "PlayerNameDlg.Ok");
    // The character that follows Return is swallowed, not typed.
    EXPECT_TRUE(Feed(CharTyped('\r')));
    EXPECT_EQ(dialog->Text(), "Ann");
}

TEST_F(NameEntryTest, ReturnRightAfterErasingEverythingDoesNothing) {
    Type("A");
    Feed(KeyDown(8));
    EXPECT_EQ(dialog->Text(), "");
    // No frame was drawn in between, so OK still shows the state typing gave it.
    EXPECT_FALSE(Feed(KeyDown(13)));
    EXPECT_EQ(host.pendingCommand, "");
}

TEST_F(NameEntryTest, BackspaceRemovesOneCharacterAndIsAlwaysConsumed) {
    EXPECT_TRUE(Feed(KeyDown(8)));
    EXPECT_EQ(dialog->Text(), "");
    Type("Bob");
    EXPECT_TRUE(Feed(KeyDown(8)));
    EXPECT_TRUE(Feed(CharTyped('\b')));
    EXPECT_EQ(dialog->Text(), "Bo");
}

TEST_F(NameEntryTest, TextStaysNarrowerThanTheInputWidth) {
    const ZoBitmapFont* font = ZoFontRegistry::Instance().Get(0);
    for (int i = 0; i < 60; ++i) {
        Type("W");
    }
    const std::string text = dialog->Text();
    ASSERT_FALSE(text.empty());
    EXPECT_LT(text.size(), 60u);
    EXPECT_LT(font->MeasureText(text), 220);
    EXPECT_GE(font->MeasureText(text + "W"), 220);
    // The sound still plays for the letter that did not fit.
    EXPECT_EQ(ear.Take().size(), 60u);
    // A narrower character may still fit where a wide one did not.
    if (font->MeasureText(text + "i") < 220) {
        Type("i");
        EXPECT_EQ(dialog->Text(), text + "i");
    }
}

TEST_F(NameEntryTest, KeysFromTheMouseDeviceAreNotText) {
    ZoInputEvent event = CharTyped('Q');
    event.device = ZoInputEvent::kDeviceMouse;
    EXPECT_FALSE(dialog->HandleInput(event));
    EXPECT_EQ(dialog->Text(), "");
}

TEST_F(NameEntryTest, WithoutProfilesCancelIsDisabledAndEscapeDoesNothing) {
    ASSERT_TRUE(profiles.IsEmpty());
    DrawFrame(host);
    EXPECT_TRUE(Cancel()->disabled);
    EXPECT_EQ(Cancel()->image->Animation().currentFrame, 2);
    EXPECT_TRUE(Feed(KeyDown(27)));
    EXPECT_EQ(host.pendingCommand, "");

    profiles.AddProfile("Ann");
    DrawFrame(host);
    EXPECT_FALSE(Cancel()->disabled);
    EXPECT_TRUE(Feed(KeyDown(27)));
    EXPECT_EQ(host.pendingCommand, "PlayerNameDlg.Cancel");
}

TEST_F(NameEntryTest, ClickOnOkSendsItsName) {
    Type("Ann");
    DrawFrame(host);
    const ZoVector at = Ok()->image->position;
    Feed(MouseMoveTo(static_cast<int>(at.x), static_cast<int>(at.y)));
    Feed(LeftDown(static_cast<int>(at.x), static_cast<int>(at.y)));
    // The dialog's own keyboard handling decides the result; the click is sent all the same.
    Feed(LeftUp(static_cast<int>(at.x), static_cast<int>(at.y)));
    EXPECT_EQ(host.pendingCommand, "PlayerNameDlg.Ok");
}

TEST_F(NameEntryTest, OpeningAgainStartsEmptyAndTheCursorBlinks) {
    Type("Zed");
    host.PopTopPanel();
    host.OpenPanel("PlayerNameDlg");
    EXPECT_EQ(dialog->Text(), "");
    UpdateUntilSteady(host);
    const int first = dialog->Cursor()->Animation().currentFrame;
    for (int i = 0; i < 24; ++i) {
        host.Update(16); // 384 ms: one blink
    }
    EXPECT_NE(dialog->Cursor()->Animation().currentFrame, first);
}

} // namespace
