// A high-score table drawn headless through the generated font and title: columns, fades, golden image.
#include "GraphicsTestSupport.h"
#include "PlatformVideo.h"
#include "ZoBitmapFont.h"
#include "ZoClip.h"
#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"
#include "ZoTextTree.h"
#include "ZoTop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Brightest channel in [left, right) x [top, bottom) of the last frame.
int Brightest(int left, int right, int top, int bottom) {
    const gfxtest::Pixels frame = gfxtest::Frame();
    int best = 0;
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t p = gfxtest::At(frame, x, y);
            best = std::max({best, int(p >> 24), int((p >> 16) & 0xFF), int((p >> 8) & 0xFF)});
        }
    return best;
}

TEST(TopDraw, TenRowsAndTheTitleMatchTheGoldenImageAndFadeWithTheirPanel) {
    const std::string data = std::string(std::getenv("KORRIK_BINARY_DIR")) + "/Data/";
    ASSERT_TRUE(ZoResourceManager::Instance().Open(data + "Resource.Zor") &&
                ZoResourceManager::Instance().Open(data + "Lang.Zor") &&
                PlatformVideo::Instance().OpenWindow("Korrik Shooter", true) &&
                ZoRenderDevice::Instance().Create() == 0)
        << "build the target gamedata first";
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("MainFont"));
    const std::string text = ZoResourceManager::Instance().GetFileText("Data/EngineDefs.Txt");
    ZoTextTree definitions;
    ASSERT_EQ(definitions.LoadMemory(text.c_str(), static_cast<std::int32_t>(text.size())), 0);
    const ZoTopLayout layout = ZoTopLayout::Read(definitions);
    ZoTop table;
    table.SetTitle("Interface/ScoreClassic");
    const char* names[] = {"Ann", "Bob", "Charlotte", "Dmitri", "Eve", "Fox", "Gil", "Hana", "Ivo", "Juno"};
    for (int i = 0; i < 10; ++i) {
        ZoTopRecord record;
        record.playerName = names[i];
        record.score = 98765 - 9000 * i;
        table.AddRecord(record);
    }
    for (ZoTopRecord& r : table.Records())
        r.alpha = 255;
    table.Records()[9].alpha = 0;
    font.SetColour(10.0f, 20.0f, 30.0f, 40.0f);
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.BeginFrame();
    table.DrawRecords(font, layout);
    table.DrawTitle(layout.titlePosition, 255.0f);
    ASSERT_TRUE(device.EndFrame());
    EXPECT_FLOAT_EQ(font.alpha, 40.0f) << "the shared font keeps its colour";
    // Rank numbers end at their column, names start at theirs, scores end at theirs: the golden image.
    EXPECT_EQ(gfxtest::CompareGolden("../../frontend/golden/score_table"), "");
    const int row = layout.lineStep / 2;
    const int lastRow = layout.topY + 9 * layout.lineStep;
    EXPECT_LT(Brightest(0, 800, lastRow - row + 3, lastRow + row - 3), 30) << "a row at alpha 0 shows";
    // Under a covering question the panel fades, and its rows may be no brighter than it is.
    device.BeginFrame();
    table.DrawRecords(font, layout, 100.0f);
    ASSERT_TRUE(device.EndFrame());
    const int faded = Brightest(layout.nameX, layout.nameX + 60, layout.topY - row, layout.topY + row);
    EXPECT_GT(faded, 40);
    EXPECT_LT(faded, 140);
}

} // namespace
