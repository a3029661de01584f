// Whole dialogs drawn into the headless frame: the name entry over the menu picture, a message dialog.
#include "GuiTestSupport.h"

#include "ZoBitmapFont.h"
#include "ZoDialogPanel.h"
#include "ZoProfileManager.h"
#include "ZoTextDialogPanel.h"

#include <gtest/gtest.h>

using namespace guitest;

namespace {

class DialogDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first";
        auto root = std::make_unique<ZoPanel>();
        ASSERT_TRUE(root->Create("MainMenu"));
        root->drawOverlay = false;
        host.AddPanel("MainMenuDlg", std::move(root));
        host.OpenPanel("MainMenuDlg");
        UpdateUntilSteady(host);
    }

    // Pixels in [left, right) x [top, bottom) brighter than level in every channel.
    static int BrightPixels(const std::vector<std::uint8_t>& frame, int left, int right, int top, int bottom,
                            int level) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const Rgb pixel = PixelAt(frame, x, y);
                if (pixel.r > level && pixel.g > level && pixel.b > level) {
                    ++count;
                }
            }
        }
        return count;
    }

    SoundEar ear;
    ZoProfileManager profiles{"/nonexistent-korrik/Profiles.Txt", "/nonexistent-korrik/Save/"};
    ZoPanelHost host;
};

TEST_F(DialogDrawTest, NameEntryOverTheMenu) {
    auto panel = std::make_unique<ZoTextDialogPanel>();
    panel->SetProfiles(&profiles);
    ASSERT_TRUE(panel->Create("Interface/EditDialog"));
    panel->SetMessageFont(0);
    auto* dialog = static_cast<ZoTextDialogPanel*>(host.AddPanel("PlayerNameDlg", std::move(panel)));

    const auto menuOnly = DrawFrame(host);
    host.OpenPanel("PlayerNameDlg");
    UpdateUntilSteady(host);
    for (const char c : std::string("Korrik")) {
        ZoInputEvent typed = CharTyped(c);
        host.OnEvent(typed);
    }
    const auto frame = DrawFrame(host);
    const std::string path = SavePng(frame, "gui_name_entry");
    ASSERT_FALSE(path.empty());

    // The overlay darkens the menu outside the dialog.
    const Rgb before = PixelAt(menuOnly, 20, 20);
    const Rgb after = PixelAt(frame, 20, 20);
    EXPECT_LT(after.r + after.g + after.b, before.r + before.g + before.b);

    // The typed name is drawn in light ink around (400, 300), the cursor just after it.
    const ZoBitmapFont* font = ZoFontRegistry::Instance().Get(0);
    const int width = font->MeasureText("Korrik");
    EXPECT_GT(BrightPixels(frame, 400 - width / 2, 400 + width / 2, 285, 315, 200), 40);
    const int cursorX = static_cast<int>(dialog->Cursor()->position.x);
    EXPECT_NEAR(cursorX, 400 + width / 2, 2);
    // Beyond the cursor the field is empty.
    EXPECT_LT(BrightPixels(frame, cursorX + 8, 540, 285, 315, 200), 5);

    // Cancel is drawn disabled (no profiles yet): it differs from the enabled OK's colours.
    const ZoVector ok = dialog->defaultButton->image->position;
    const ZoVector cancel = dialog->cancelButton->image->position;
    EXPECT_FALSE(dialog->defaultButton->disabled);
    EXPECT_TRUE(dialog->cancelButton->disabled);
    const Rgb okCentre = PixelAt(frame, static_cast<int>(ok.x) - 40, static_cast<int>(ok.y));
    const Rgb cancelCentre = PixelAt(frame, static_cast<int>(cancel.x) - 40, static_cast<int>(cancel.y));
    EXPECT_GT(okCentre.g, okCentre.r); // green OK
    const int spread = std::max({cancelCentre.r, cancelCentre.g, cancelCentre.b}) -
                       std::min({cancelCentre.r, cancelCentre.g, cancelCentre.b});
    EXPECT_LT(spread, 60) << "the disabled Cancel should be greyed";
}

TEST_F(DialogDrawTest, MessageDialogTitleAndLines) {
    auto panel = std::make_unique<ZoDialogPanel>();
    ASSERT_TRUE(panel->Create("Interface/vSmlDialog"));
    panel->AddButton("Interface/Yes", 30, 82, "QuestionDlg.Yes", ZoPanel::kRoleDefault);
    panel->AddButton("Interface/No", 70, 82, "QuestionDlg.No", ZoPanel::kRoleCancel);
    panel->SetMessageFont(0);
    panel->SetMessage("Do you really want#to start a new game?");
    auto* dialog = static_cast<ZoDialogPanel*>(host.AddPanel("QuestionDlg", std::move(panel)));
    host.OpenPanel("QuestionDlg");
    UpdateUntilSteady(host);
    const auto frame = DrawFrame(host);
    ASSERT_FALSE(SavePng(frame, "gui_message_dialog").empty());

    ASSERT_EQ(dialog->MessageBlock().Lines().size(), 2u);
    const int lineHeight = dialog->MessageBlock().lineHeight;
    // Two lines centred on the dialog's centre: ink above and below y = 300.
    EXPECT_GT(BrightPixels(frame, 300, 500, 300 - lineHeight - 8, 300, 200), 30);
    EXPECT_GT(BrightPixels(frame, 300, 500, 300, 300 + lineHeight + 8, 200), 30);
}

TEST_F(DialogDrawTest, TitleSitsBelowThePictureTopEdge) {
    // A small dark picture, so the title stands out on its own.
    auto panel = std::make_unique<ZoDialogPanel>();
    ASSERT_TRUE(panel->Create("Interface/Fade"));
    panel->drawOverlay = false;
    panel->SetTitleFont(0);
    panel->SetTitle("WWWW");
    host.AddPanel("TitleDlg", std::move(panel));
    auto* dialog = static_cast<ZoDialogPanel*>(host.GetPanel("TitleDlg"));
    host.PopTopPanel();
    host.OpenPanel("TitleDlg");
    UpdateUntilSteady(host);
    const auto frame = DrawFrame(host);
    const int titleY = 300 - dialog->Background()->Height() / 2 + 32;
    const int width = ZoFontRegistry::Instance().Get(0)->MeasureText("WWWW");
    EXPECT_GT(BrightPixels(frame, 400 - width / 2, 400 + width / 2, titleY - 8, titleY + 8, 200), 20);
    EXPECT_EQ(BrightPixels(frame, 0, 800, 0, titleY - 30, 200), 0);
    EXPECT_EQ(BrightPixels(frame, 0, 800, titleY + 30, 600, 200), 0);
}

} // namespace
