// Paragraphs broken at "#" and the help dialog that draws them with its fade.
#include "GuiTestSupport.h"

#include "ZoBitmapFont.h"
#include "ZoHelpDialog.h"
#include "ZoRenderDevice.h"

#include <gtest/gtest.h>

#include <set>

using namespace guitest;

namespace {

const char* const kRules = "GAME RULES#Put three or more balls at same color together so that#they burst and "
                           "disappear. The more balls "
                           "are blown#up at one shot, the more points you gain!#Balls that fall apart from "
                           "the rest will explode#too "
                           "giving you much more score!#Symbols on the shown represent the number of "
                           "unsuccessful#moves left to add new "
                           "row.";

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureGuiWorld()) << "build the target gamedata first"; }

    // Vertical positions of the glyphs drawn by one paragraph, top first.
    std::vector<float> GlyphRows(ZoParagraph& paragraph) {
        ZoRenderDevice& device = ZoRenderDevice::Instance();
        device.BeginFrame();
        paragraph.Draw();
        std::set<float> rows;
        for (const auto& sprite : device.Batch()) {
            rows.insert(sprite.y);
        }
        device.EndFrame();
        return std::vector<float>(rows.begin(), rows.end());
    }
};

TEST_F(HelpTest, HashEndsALineAndStaysOnIt) {
    ZoParagraph paragraph;
    paragraph.SetText("A#B");
    EXPECT_EQ(paragraph.Lines(), (std::vector<std::string>{"A#", "B"}));
    paragraph.SetText("AB#");
    EXPECT_EQ(paragraph.Lines(), (std::vector<std::string>{"AB#", ""}));
    paragraph.SetText(kRules);
    ASSERT_EQ(paragraph.Lines().size(), 8u);
    EXPECT_EQ(paragraph.Lines()[0], "GAME RULES#");
    EXPECT_EQ(paragraph.Lines()[7], "moves left to add new row.");
}

TEST_F(HelpTest, LineHeightIsFixedByTheFirstFont) {
    ZoParagraph paragraph;
    const ZoBitmapFont* main = ZoFontRegistry::Instance().Get(0);
    paragraph.SetFont(0);
    EXPECT_EQ(paragraph.lineHeight, static_cast<int>(static_cast<float>(main->Height()) * 0.75f));
    const int first = paragraph.lineHeight;
    paragraph.SetFont(1);
    EXPECT_EQ(paragraph.lineHeight, first);
    EXPECT_EQ(paragraph.font, 1);
}

TEST_F(HelpTest, LinesAreCentredOnThePositionAndALoneHashAdvancesHalfALine) {
    ZoParagraph paragraph;
    paragraph.SetFont(0);
    paragraph.alignment = ZoBitmapFont::kAlignLeft;
    paragraph.position = ZoVector(100, 300);
    const float height = static_cast<float>(paragraph.lineHeight);
    ASSERT_GT(height, 4.0f);

    paragraph.SetText("AB#CD");
    const std::vector<float> two = GlyphRows(paragraph);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_FLOAT_EQ(two[1] - two[0], height);

    // "AB#", "#", "CD": the middle line only moves half a line down.
    paragraph.SetText("AB##CD");
    ASSERT_EQ(paragraph.Lines().size(), 3u);
    const std::vector<float> three = GlyphRows(paragraph);
    ASSERT_EQ(three.size(), 2u);
    EXPECT_NEAR(three[1] - three[0], height * 1.5f, 1.0f);
    // Three lines lift the block by half of three lines instead of two.
    EXPECT_NEAR(two[0] - three[0],
                static_cast<float>(static_cast<int>(height * 1.5f) - static_cast<int>(height)), 1.0f);
}

TEST_F(HelpTest, HelpDialogDrawsItsParagraphsWithThePanelAlpha) {
    ZoPanelHost host;
    auto help = std::make_unique<ZoHelpDialog>();
    ASSERT_TRUE(help->Create("Help"));
    EXPECT_TRUE(help->secondFlag);
    help->Hook();
    const struct {
        const char* text;
        float px, py;
    } rows[] = {{"RELAX MODE#The new rows will appear when you miss a certain#number of shots.", 5, 50},
                {"TIME MODE#The new row will appear when a certain time has passed.", 5, 65},
                {kRules, 5, 23}};
    for (const auto& row : rows) {
        auto paragraph = std::make_unique<ZoParagraph>();
        paragraph->SetColour(255, 255, 255, 255);
        paragraph->alignment = 2;
        paragraph->SetFont(0);
        paragraph->position = help->PanelPoint(row.px, row.py);
        paragraph->SetText(row.text);
        help->AddParagraph(std::move(paragraph));
    }
    ZoHelpDialog* dialog = static_cast<ZoHelpDialog*>(host.AddPanel("HelpDlg", std::move(help)));
    host.OpenPanel("HelpDlg");
    for (int i = 0; i < 8; ++i) {
        host.Update(16);
    }
    DrawFrame(host);
    for (const auto& paragraph : dialog->Paragraphs()) {
        EXPECT_FLOAT_EQ(paragraph->alpha, 128.0f);
        EXPECT_FLOAT_EQ(paragraph->red, 255.0f);
    }
    UpdateUntilSteady(host);
    const auto frame = DrawFrame(host);
    EXPECT_FLOAT_EQ(dialog->Paragraphs()[0]->alpha, 255.0f);
    // Some text ink left-aligned at 5 % of the picture, on the rules' first line.
    const ZoParagraph& rules = *dialog->Paragraphs()[2];
    const int top = static_cast<int>(rules.position.y) - rules.lineHeight * 8 / 2;
    int bright = 0;
    for (int x = 40; x < 200; ++x) {
        for (int y = top - 10; y < top + 10; ++y) {
            const Rgb pixel = PixelAt(frame, x, y);
            if (pixel.r > 200 && pixel.g > 200 && pixel.b > 200) {
                ++bright;
            }
        }
    }
    EXPECT_GT(bright, 20);
    EXPECT_FALSE(SavePng(frame, "gui_help").empty());
}

} // namespace
