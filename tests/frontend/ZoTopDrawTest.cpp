// Drawing a high-score table headless through the generated font, title pictures and the real device.
#include "GraphicsTestSupport.h"
#include "PlatformVideo.h"
#include "ZoBitmapFont.h"
#include "ZoClip.h"
#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"
#include "ZoShowError.h"
#include "ZoTextTree.h"
#include "ZoTop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::string EnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : ".";
}

std::vector<std::string> g_errors;

// Opens the build's game archives, the headless window and the device once per process.
bool EnsureGameWorld() {
    static bool ready = false;
    static bool ok = false;
    if (ready)
        return ok;
    ready = true;
    SetErrorHandler([](const std::string& text) { g_errors.push_back(text); });
    const std::string data = EnvironmentFolder("KORRIK_BINARY_DIR") + "/Data/";
    ok = ZoResourceManager::Instance().Open(data + "Resource.Zor") &&
         ZoResourceManager::Instance().Open(data + "Lang.Zor") &&
         PlatformVideo::Instance().OpenWindow("Korrik Shooter", true) &&
         ZoRenderDevice::Instance().Create() == 0;
    return ok;
}

// The frame last presented; the background is black.
struct Frame {
    gfxtest::Pixels pixels = gfxtest::Frame();

    // Brightest colour channel at (x, y).
    int Level(int x, int y) const {
        const std::uint32_t p = gfxtest::At(pixels, x, y);
        return static_cast<int>(std::max({(p >> 24) & 0xFFu, (p >> 16) & 0xFFu, (p >> 8) & 0xFFu}));
    }
    // Leftmost and rightmost column with ink in [left, right) x [top, bottom); -1 when there is none.
    std::pair<int, int> InkColumns(int left, int right, int top, int bottom) const {
        int first = -1;
        int last = -1;
        for (int x = std::max(left, 0); x < std::min(right, 800); ++x)
            for (int y = std::max(top, 0); y < std::min(bottom, 600); ++y)
                if (Level(x, y) > 48) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
    int Brightest(int left, int right, int top, int bottom) const {
        int best = 0;
        for (int x = left; x < right; ++x)
            for (int y = top; y < bottom; ++y)
                best = std::max(best, Level(x, y));
        return best;
    }
};

// The graphics tests' golden comparison, pointed at our own golden folder.
std::string CompareGolden(const std::string& name) {
    return gfxtest::CompareGolden("../../frontend/golden/" + name);
}

ZoTopRecord Row(const std::string& name, std::int32_t score, std::int32_t alpha) {
    ZoTopRecord record;
    record.playerName = name;
    record.score = score;
    record.alpha = alpha;
    return record;
}

class TopDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureGameWorld()) << "build the target gamedata first";
        ASSERT_TRUE(font.LoadFont("MainFont"));
        const std::string text = ZoResourceManager::Instance().GetFileText("Data/EngineDefs.Txt");
        ZoTextTree definitions;
        ASSERT_EQ(definitions.LoadMemory(text.c_str(), static_cast<std::int32_t>(text.size())), 0);
        layout = ZoTopLayout::Read(definitions);
        ASSERT_GT(layout.lineStep, 0);
        ASSERT_LT(layout.numberX, layout.nameX);
        ASSERT_LT(layout.nameX, layout.scoreX);
        g_errors.clear();
    }

    // The vertical band of row i.
    int Top(int i) const { return layout.topY + layout.lineStep * i - layout.lineStep / 2; }
    int Bottom(int i) const { return Top(i) + layout.lineStep; }

    ZoBitmapFont font;
    ZoTopLayout layout;
};

} // namespace

TEST_F(TopDrawTest, RowsLineUpOnTheirColumnsAndFollowTheirAlpha) {
    ZoTop table;
    table.Records() = {Row("Ann", 12345, 255), Row("Bob", 900, 255), Row("Hidden", 700, 0),
                       Row("Half", 500, 128)};
    font.SetColour(10.0f, 20.0f, 30.0f, 40.0f);
    ZoRenderDevice::Instance().BeginFrame();
    table.DrawRecords(font, layout);
    ASSERT_TRUE(ZoRenderDevice::Instance().EndFrame());
    EXPECT_FLOAT_EQ(font.red, 10.0f) << "the shared font keeps its colour";
    EXPECT_FLOAT_EQ(font.alpha, 40.0f);
    const Frame frame;

    // Rank numbers end at the number x, names start at the name x, scores end at the score x.
    for (int i : {0, 1, 3}) {
        const auto rank = frame.InkColumns(0, layout.nameX, Top(i), Bottom(i));
        ASSERT_GE(rank.first, 0) << "row " << i;
        EXPECT_LE(rank.second, layout.numberX) << "row " << i;
        EXPECT_GE(rank.second, layout.numberX - 4) << "row " << i;
        const auto name = frame.InkColumns(layout.nameX - 8, layout.nameX + 200, Top(i), Bottom(i));
        EXPECT_GE(name.first, layout.nameX) << "row " << i;
        EXPECT_LE(name.first, layout.nameX + 4) << "row " << i;
        const auto score = frame.InkColumns(layout.nameX + 200, 800, Top(i), Bottom(i));
        ASSERT_GE(score.first, 0) << "row " << i;
        EXPECT_LE(score.second, layout.scoreX) << "row " << i;
        EXPECT_GE(score.second, layout.scoreX - 4) << "row " << i;
    }
    // 12345 is wider than 900 and both end at the same x.
    const auto wide = frame.InkColumns(layout.nameX + 200, 800, Top(0), Bottom(0));
    const auto narrow = frame.InkColumns(layout.nameX + 200, 800, Top(1), Bottom(1));
    EXPECT_LT(wide.first, narrow.first);
    // Alpha 0 draws nothing; alpha 128 draws dimmer than 255.
    EXPECT_EQ(frame.InkColumns(0, 800, Top(2) + 4, Bottom(2) - 4).first, -1);
    const int full = frame.Brightest(layout.nameX, layout.nameX + 60, Top(1), Bottom(1));
    const int half = frame.Brightest(layout.nameX, layout.nameX + 60, Top(3), Bottom(3));
    EXPECT_GT(full, 200);
    EXPECT_GT(half, 60);
    EXPECT_LT(half, full - 60);
    EXPECT_TRUE(g_errors.empty()) << g_errors.front();
}

TEST_F(TopDrawTest, FullTableWithTitleMatchesTheGoldenImage) {
    ZoTop table;
    table.SetTitle("Interface/ScoreClassic");
    ASSERT_NE(table.Title(), nullptr);
    ASSERT_GT(table.Title()->Width(), 0) << "the generated title picture is missing";
    const char* names[] = {"Ann", "Bob", "Charlotte", "Dmitri", "Eve", "Fox", "Gil", "Hana", "Ivo", "Juno"};
    for (int i = 0; i < 10; ++i) {
        ZoTopRecord r = Row(names[i], 98765 - 9000 * i, 255);
        table.AddRecord(r);
    }
    for (ZoTopRecord& r : table.Records())
        r.alpha = 255;
    ZoRenderDevice::Instance().BeginFrame();
    table.DrawRecords(font, layout);
    table.DrawTitle(layout.titlePosition, 255.0f);
    ASSERT_TRUE(ZoRenderDevice::Instance().EndFrame());
    const Frame frame;
    // The title sits centred on its position; the tenth row is drawn.
    const int titleX = static_cast<int>(layout.titlePosition.x);
    const int titleY = static_cast<int>(layout.titlePosition.y);
    const int halfWidth = table.Title()->Width() / 2;
    const auto title =
        frame.InkColumns(titleX - halfWidth - 2, titleX + halfWidth + 2, titleY - 4, titleY + 4);
    EXPECT_GE(title.first, titleX - halfWidth);
    EXPECT_LE(title.second, titleX + halfWidth);
    EXPECT_GE(frame.InkColumns(layout.nameX, layout.scoreX, Top(9), Bottom(9)).first, layout.nameX);
    EXPECT_EQ(CompareGolden("score_table"), "");

    // The title follows the panel's fade: at alpha 0 only the rows remain.
    ZoRenderDevice::Instance().BeginFrame();
    table.DrawTitle(layout.titlePosition, 0.0f);
    ASSERT_TRUE(ZoRenderDevice::Instance().EndFrame());
    EXPECT_EQ(Frame().InkColumns(0, 800, 0, 600).first, -1);
    EXPECT_TRUE(g_errors.empty()) << g_errors.front();
}

TEST_F(TopDrawTest, LongestNameFromAFileStaysABoundedRow) {
    // A name cut to the longest a file may give still draws as one row of bounded width.
    ZoTop table;
    table.Records() = {Row(std::string(ZoTop::kMaxTextLength, 'W'), 1, 255)};
    ZoRenderDevice::Instance().BeginFrame();
    table.DrawRecords(font, layout);
    ASSERT_TRUE(ZoRenderDevice::Instance().EndFrame());
    EXPECT_LE(ZoRenderDevice::Instance().Batch().size(), ZoTop::kMaxTextLength + 2);
    const Frame frame;
    EXPECT_EQ(frame.InkColumns(0, 800, Bottom(0) + 2, 600).first, -1) << "ink below the row";
}
