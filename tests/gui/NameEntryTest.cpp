// The name entry (what it takes, its width limit, Return, its caret) and the help's paragraphs.
#include "GuiTestSupport.h"

#include "ZoBitmapFont.h"
#include "ZoGuiSound.h"
#include "ZoParagraph.h"
#include "ZoProfileManager.h"
#include "ZoRenderDevice.h"
#include "ZoTextDialogPanel.h"

#include <gtest/gtest.h>

#include <set>

using namespace guitest;

namespace {

using Sounds = std::vector<int>;

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first";
        auto panel = std::make_unique<ZoTextDialogPanel>();
        panel->SetProfiles(&profiles);
        panel->SetMessageFont(0);
        ASSERT_TRUE(panel->Create("Interface/EditDialog"));
        dialog = static_cast<ZoTextDialogPanel*>(host.AddPanel("PlayerNameDlg", std::move(panel)));
        host.OpenPanel("PlayerNameDlg");
        UpdateUntilSteady(host);
        ear.Take();
    }
    bool Feed(ZoInputEvent event) { return host.OnEvent(event); }
    // Keys as the window produces them: the key going down, then its character.
    void Type(const std::string& text) {
        for (char c : text) {
            Feed(KeyDown(static_cast<std::uint8_t>(std::toupper(c))));
            Feed(CharTyped(c));
        }
    }

    InterfaceEar ear;
    ZoProfileManager profiles{"/nonexistent-korrik/Profiles.Txt", "/nonexistent-korrik/Save/"};
    ZoPanelHost host;
    ZoTextDialogPanel* dialog = nullptr;
};

TEST_F(NameEntryTest, TakesLettersDigitsAndBlanksWithinItsWidth) {
    Type("Jo 7!-./%");
    EXPECT_EQ(dialog->Text(), "Jo 7");
    EXPECT_EQ(ear.Take(), (Sounds{ZoGuiSound::kType, ZoGuiSound::kType, ZoGuiSound::kType}));
    EXPECT_TRUE(Feed(KeyDown(8)));
    EXPECT_TRUE(Feed(CharTyped('\b')));
    EXPECT_EQ(dialog->Text(), "Jo ");
    ZoInputEvent fromMouse = CharTyped('Q');
    fromMouse.device = ZoInputEvent::kDeviceMouse;
    EXPECT_FALSE(dialog->HandleInput(fromMouse));
    // Wide letters stop before the field's width; the sound still plays for each.
    Type(std::string(60, 'W'));
    const ZoBitmapFont& font = *ZoFontRegistry::Instance().Get(0);
    EXPECT_LT(font.MeasureText(dialog->Text()), dialog->inputWidth);
    EXPECT_GE(font.MeasureText(dialog->Text() + "W"), dialog->inputWidth);
    EXPECT_EQ(ear.Take().size(), 60u);
    // OK follows the text when drawn; a name erased since the last frame must not slip through.
    host.PopTopPanel();
    host.OpenPanel("PlayerNameDlg");
    UpdateUntilSteady(host);
    EXPECT_EQ(dialog->Text(), "") << "it opens empty";
    Type("A");
    Feed(KeyDown(8));
    EXPECT_FALSE(Feed(KeyDown(13)));
    EXPECT_EQ(host.pendingCommand, "");
}

TEST_F(NameEntryTest, TheCaretStandsAfterTheLastLetterAndBlinks) {
    Type("Ann");
    const ZoBitmapFont& font = *ZoFontRegistry::Instance().Get(0);
    const VideoTextureId caret = dialog->Cursor()->Data()->Texture();
    float lastGlyphEnd = 0.0f, caretStart = -1.0f;
    DrawFrame(host);
    for (const auto& sprite : ZoRenderDevice::Instance().Batch()) {
        if (sprite.texture == font.Data()->Texture() && sprite.y < 310.0f && sprite.y > 270.0f)
            lastGlyphEnd = std::max(lastGlyphEnd, sprite.x + static_cast<float>(sprite.sourceWidth));
        if (sprite.texture == caret)
            caretStart = sprite.x;
    }
    EXPECT_GE(caretStart, lastGlyphEnd) << "the caret's frame overlaps the last letter";
    EXPECT_LT(caretStart, lastGlyphEnd + 6.0f);
    const int first = dialog->Cursor()->Animation().currentFrame;
    for (int i = 0; i < 24; ++i)
        host.Update(16); // 384 ms: one blink
    EXPECT_NE(dialog->Cursor()->Animation().currentFrame, first);
}

TEST(Paragraph, HashEndsALineAndALoneHashAdvancesHalfALine) {
    ASSERT_TRUE(EnsureGuiWorld());
    ZoParagraph paragraph;
    paragraph.SetText("A#B");
    EXPECT_EQ(paragraph.Lines(), (std::vector<std::string>{"A#", "B"}));
    paragraph.SetFont(0);
    paragraph.alignment = ZoBitmapFont::kAlignLeft;
    paragraph.position = ZoVector(100, 300);
    const auto rows = [&](const char* text) {
        paragraph.SetText(text);
        ZoRenderDevice::Instance().BeginFrame();
        paragraph.Draw();
        std::set<float> ys;
        for (const auto& sprite : ZoRenderDevice::Instance().Batch())
            ys.insert(sprite.y);
        ZoRenderDevice::Instance().EndFrame();
        return std::vector<float>(ys.begin(), ys.end());
    };
    const float height = static_cast<float>(paragraph.lineHeight);
    const std::vector<float> two = rows("AB#CD");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_FLOAT_EQ(two[1] - two[0], height);
    const std::vector<float> three = rows("AB##CD");
    ASSERT_EQ(three.size(), 2u);
    EXPECT_NEAR(three[1] - three[0], height * 1.5f, 1.0f);
}

} // namespace
