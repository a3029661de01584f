// The layout values of the text files put every widget where the pictures have room for it.
#include "GameDataFiles.h"

#include "ImageDecoder.h"
#include "ZoTextTree.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Box {
    double left, top, right, bottom;
    bool Inside(const Box& o) const {
        return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom;
    }
    bool Overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

PictureSize SizeOf(const std::string& name) {
    const std::vector<std::uint8_t> file = PictureFile(name);
    DecodedImage image;
    EXPECT_TRUE(ImageDecoder::Decode(file.data(), file.size(), image)) << name;
    return PictureSize{image.width, image.height, true};
}

// A dialog centred on the screen, and the game's percentage placement inside it.
struct Dialog {
    std::string picture;
    PictureSize size;
    explicit Dialog(const std::string& name) : picture(name), size(SizeOf(name)) {}
    Box Area() const {
        return Box{400 - size.width * 0.5, 300 - size.height * 0.5, 400 + size.width * 0.5,
                   300 + size.height * 0.5};
    }
    double X(double percent) const { return 400 + std::trunc(size.width * percent / 100) - size.width * 0.5; }
    double Y(double percent) const {
        return 300 + std::trunc(size.height * percent / 100) - size.height * 0.5;
    }
};

// The frame of a widget picture centred at (x, y).
Box WidgetBox(const std::string& picture, int rows, double x, double y) {
    const PictureSize s = SizeOf(picture);
    const double h = s.height / rows;
    return Box{x - s.width / 2.0, y - h / 2, x + s.width / 2.0, y + h / 2};
}

ZoTextTree ArchiveTree(const std::string& name) {
    ZoTextTree tree;
    const std::vector<std::uint8_t> bytes = ArchiveFile(name);
    tree.LoadMemory(reinterpret_cast<const char*>(bytes.data()), static_cast<std::int32_t>(bytes.size()));
    return tree;
}

void ExpectLaidOut(const Dialog& dialog, const std::vector<std::pair<std::string, Box>>& widgets) {
    const Box area = dialog.Area();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        EXPECT_TRUE(widgets[i].second.Inside(area))
            << dialog.picture << ": " << widgets[i].first << " sticks out";
        for (std::size_t j = i + 1; j < widgets.size(); ++j) {
            EXPECT_FALSE(widgets[i].second.Overlaps(widgets[j].second))
                << dialog.picture << ": " << widgets[i].first << " overlaps " << widgets[j].first;
        }
    }
}

class LayoutData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenGameArchives()); }
};

// Widgets are checked on the panels the game builds (tests/frontend); here only what is drawn from layout
// numbers rather than placed as a widget: the score rows and title, and the end panels' numbers.
TEST_F(LayoutData, ScoreRowsTitleAndEndPanelNumbersFitTheirPanels) {
    const Dialog d("Interface/ScoreDlg");
    ZoTextTree defs = ArchiveTree("Data/EngineDefs.Txt");
    const ZoVector title = defs.GetVector("ScoreDlg.TittlePos", ' ');
    const int rowTop = defs.GetInt("ScoreDlg.UpUffset", 0), line = defs.GetInt("ScoreDlg.LineOffset", 0);
    const int numberX = defs.GetInt("ScoreDlg.LeftNumOffset", 0),
              nameX = defs.GetInt("ScoreDlg.NameOffset", 0);
    const int scoreX = defs.GetInt("ScoreDlg.ScoreOffset", 0);
    EXPECT_LT(numberX, nameX);
    EXPECT_LT(nameX + defs.GetInt("EnterNameDlg.InputWidth", 0), scoreX - 90)
        << "a long name would run into its score";
    const double glyphHalf = SizeOf("Fonts/MainFont").height / 2.0;
    ExpectLaidOut(d, {{"title", WidgetBox("Interface/ScoreClassic", 1, title.x, title.y)},
                      {"rows", Box{numberX - 40.0, rowTop - glyphHalf, double(scoreX),
                                   rowTop + 9.0 * line + glyphHalf}}});
    ZoTextTree map = ArchiveTree("Data/Map.Txt");
    const double digitsHalf = SizeOf("Fonts/Digits").height / 2.0;
    for (const char* panel : {"Interface/GameOverDlg", "Interface/GameComplDlg"}) {
        const Dialog end(panel);
        std::vector<std::pair<std::string, Box>> numbers;
        for (const char* key : {"GameOver.ScorePos", "GameOver.BonusPos", "GameOver.TotalPos"}) {
            const ZoVector p = map.GetVector(key, ' ');
            // Room for a seven-digit number of the score font.
            numbers.push_back({key, Box{end.X(p.x), end.Y(p.y) - digitsHalf, end.X(p.x) + 7 * 22.0,
                                        end.Y(p.y) + digitsHalf}});
        }
        ExpectLaidOut(end, numbers);
    }
}

TEST_F(LayoutData, BoardFitsItsFrameWithTheLastRowAboveTheLauncher) {
    ZoTextTree map = ArchiveTree("Data/Map.Txt");
    const int columns = map.GetInt("xMax", 0), rows = map.GetInt("yMax", 0),
              r = map.GetInt("BubbleRadius", 0);
    ASSERT_GT(r, 0);
    // The game's cell centres; odd rows shift right by one radius.
    auto cellX = [&](int x, int y) {
        return (804 - columns * 2 * r) * 0.5 + r / 2 + (y % 2 != 0 ? r : 0) + 2 * r * x;
    };
    auto cellY = [&](int y) { return 1.5 * r + 20 + 2 * r * y; };
    const double leftWall = std::trunc(cellX(0, 0)), rightWall = std::trunc(cellX(columns, 0) - r);
    EXPECT_NEAR((leftWall + rightWall) / 2, 402, 1);
    // The background's well runs from x 202 to 602 and from y 28 down; balls must stay inside it.
    EXPECT_GE(leftWall - r, 200);
    EXPECT_LE(rightWall + r, 604);
    EXPECT_GE(cellY(0) - r, 26);
    // The ball waiting in the launcher sits 31 pixels above the launcher at (400, 570).
    EXPECT_EQ(map.GetInt("xPlayerPos", 0), 400);
    EXPECT_EQ(map.GetInt("yPlayerPos", 0), 570 - 31);
    const double lastRowBottom = cellY(rows - 1) + r;
    EXPECT_LT(lastRowBottom + 2 * r, 570 - 31 - r)
        << "the last row must stay clearly above the launcher's ball";
    // The well in the background is dark where balls sit and bright on the frame beside it.
    for (const char* background : {"GameBgr", "GameBgr1"}) {
        const std::vector<std::uint8_t> file = PictureFile(background);
        DecodedImage image;
        ASSERT_TRUE(ImageDecoder::Decode(file.data(), file.size(), image));
        auto brightness = [&](int x, int y) {
            const std::uint8_t* p = &image.rgba[4 * (y * image.width + x)];
            return (p[0] + p[1] + p[2]) / 3;
        };
        const int wellY = static_cast<int>(cellY(rows - 1)) - r / 2;
        EXPECT_LT(brightness(static_cast<int>(leftWall) + 4, wellY), 110) << background;
        EXPECT_GT(brightness(static_cast<int>(leftWall - r) - 8, wellY), 120) << background;
    }
}

} // namespace
