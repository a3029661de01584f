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

TEST_F(LayoutData, ConfirmationDialogsHoldTheirButtonPairs) {
    const Dialog d("Interface/vSmlDialog");
    struct Pair {
        const char* left;
        const char* right;
        double lx, rx;
    };
    for (const Pair& p : {Pair{"Interface/Yes", "Interface/No", 25, 75},
                          Pair{"Interface/BtnOk", "Interface/BtnCancel", 25, 75},
                          Pair{"Interface/Yes", "Interface/No", 20, 80},
                          Pair{"Interface/Continue", "Interface/StartNew", 20, 80}}) {
        ExpectLaidOut(d, {{p.left, WidgetBox(p.left, 3, d.X(p.lx), d.Y(80))},
                          {p.right, WidgetBox(p.right, 3, d.X(p.rx), d.Y(80))}});
    }
}

TEST_F(LayoutData, OptionsDialogHoldsItsSlidersBoxesAndButton) {
    const Dialog d("Interface/OptionsDlg");
    EXPECT_EQ(SizeOf("Interface/Slider").width, 288);
    ExpectLaidOut(d, {{"Ok", WidgetBox("Interface/BtnOk", 3, d.X(50), d.Y(90))},
                      {"SoundSlider", WidgetBox("Interface/Slider", 2, 400, 226)},
                      {"MusicSlider", WidgetBox("Interface/Slider", 2, 400, 285)},
                      {"Windowed", WidgetBox("Interface/CheckBox", 4, 410, 325)},
                      {"Easy", WidgetBox("Interface/CheckBox", 4, 276, 405)},
                      {"Normal", WidgetBox("Interface/CheckBox", 4, 410, 405)},
                      {"Hard", WidgetBox("Interface/CheckBox", 4, 540, 405)}});
}

TEST_F(LayoutData, ProfileDialogFitsTheFullListAboveItsButtons) {
    const Dialog d("Interface/ProfileDlg");
    ZoTextTree defs = ArchiveTree("Data/EngineDefs.Txt");
    std::vector<std::pair<std::string, Box>> widgets;
    for (const char* key : {"OkButtonPos", "AddButtonPos", "DelButtonPos"}) {
        const ZoVector p = defs.GetVector(std::string("ProfileDlg.") + key, ',');
        widgets.push_back({key, WidgetBox("Interface/BtnOk", 3, d.X(p.x), d.Y(p.y))});
    }
    const int top = defs.GetInt("ProfileDlg.UpOffset", 0);
    const float step = defs.GetFloat("ProfileDlg.CharYDist", 0);
    const int count = defs.GetInt("ProfileDlg.NumProfiles", 0);
    EXPECT_GE(count, 3);
    for (int i = 0; i < count; ++i) {
        widgets.push_back({"item " + std::to_string(i),
                           WidgetBox("Interface/ProfileItem", 3, d.X(50), d.Y(top + step * i))});
    }
    ExpectLaidOut(d, widgets);
}

TEST_F(LayoutData, ScoreDialogHoldsTitleArrowsButtonsAndTenRows) {
    const Dialog d("Interface/ScoreDlg");
    ZoTextTree defs = ArchiveTree("Data/EngineDefs.Txt");
    auto at = [&](const char* key) { return defs.GetVector(std::string("ScoreDlg.") + key, ' '); };
    // The game places Next at PrevPos, Prev at NextPos, Clear at OkPos and OK at ClearPos.
    const ZoVector title = at("TittlePos");
    std::vector<std::pair<std::string, Box>> widgets = {
        {"title", WidgetBox("Interface/ScoreClassic", 1, title.x, title.y)},
        {"Next", WidgetBox("Interface/RArrow", 3, d.X(at("PrevPos").x), d.Y(at("PrevPos").y))},
        {"Prev", WidgetBox("Interface/LArrow", 3, d.X(at("NextPos").x), d.Y(at("NextPos").y))},
        {"Clear", WidgetBox("Interface/Clear", 3, d.X(at("OkPos").x), d.Y(at("OkPos").y))},
        {"Back", WidgetBox("Interface/BtnOk", 3, d.X(at("ClearPos").x), d.Y(at("ClearPos").y))},
    };
    EXPECT_EQ(WidgetBox("Interface/ScoreArcade", 1, 0, 0).right, widgets[0].second.right - title.x);
    const int rowTop = defs.GetInt("ScoreDlg.UpUffset", 0), line = defs.GetInt("ScoreDlg.LineOffset", 0);
    const int numberX = defs.GetInt("ScoreDlg.LeftNumOffset", 0),
              nameX = defs.GetInt("ScoreDlg.NameOffset", 0);
    const int scoreX = defs.GetInt("ScoreDlg.ScoreOffset", 0);
    EXPECT_LT(numberX, nameX);
    EXPECT_LT(nameX + defs.GetInt("EnterNameDlg.InputWidth", 0), scoreX - 90)
        << "a long name would run into its score";
    const double glyphHalf = SizeOf("Fonts/MainFont").height / 2.0;
    widgets.push_back(
        {"rows", Box{numberX - 40.0, rowTop - glyphHalf, double(scoreX), rowTop + 9.0 * line + glyphHalf}});
    ExpectLaidOut(d, widgets);
}

TEST_F(LayoutData, NameEntryHelpCreditsAndEndPanelsHoldTheirButtons) {
    ZoTextTree defs = ArchiveTree("Data/EngineDefs.Txt");
    const Dialog edit("Interface/EditDialog");
    const ZoVector ok = defs.GetVector("EnterNameDlg.OkButtonPos", ',');
    const ZoVector cancel = defs.GetVector("EnterNameDlg.CancelButtonPos", ',');
    const ZoVector text = defs.GetVector("EnterNameDlg.TextPos", ',');
    const double width = defs.GetInt("EnterNameDlg.InputWidth", 0);
    const double half = SizeOf("Fonts/MainFont").height / 2.0;
    EXPECT_GT(width, 100);
    ExpectLaidOut(
        edit, {{"Ok", WidgetBox("Interface/BtnOk", 3, edit.X(ok.x), edit.Y(ok.y))},
               {"Cancel", WidgetBox("Interface/BtnCancel", 3, edit.X(cancel.x), edit.Y(cancel.y))},
               {"text", Box{text.x - width / 2 - 8, text.y - half, text.x + width / 2 + 8, text.y + half}}});
    const Dialog help("Help");
    ExpectLaidOut(help, {{"Menu", WidgetBox("Interface/Menu", 3, help.X(77), help.Y(93))},
                         {"Credits", WidgetBox("Interface/Credits", 3, help.X(28), help.Y(93))}});
    const Dialog credits("Interface/CreditsDlg");
    ExpectLaidOut(credits, {{"Ok", WidgetBox("Interface/BtnOk", 3, credits.X(50), credits.Y(90))}});
    ZoTextTree map = ArchiveTree("Data/Map.Txt");
    const double digitsHalf = SizeOf("Fonts/Digits").height / 2.0;
    for (const char* panel : {"Interface/GameOverDlg", "Interface/GameComplDlg"}) {
        const Dialog d(panel);
        std::vector<std::pair<std::string, Box>> widgets = {
            {"Ok", WidgetBox("Interface/BtnOk", 3, d.X(50), d.Y(87))}};
        for (const char* key : {"GameOver.ScorePos", "GameOver.BonusPos", "GameOver.TotalPos"}) {
            const ZoVector p = map.GetVector(key, ' ');
            // Room for a seven-digit number of the score font.
            widgets.push_back(
                {key, Box{d.X(p.x), d.Y(p.y) - digitsHalf, d.X(p.x) + 7 * 22.0, d.Y(p.y) + digitsHalf}});
        }
        ExpectLaidOut(d, widgets);
    }
}

TEST_F(LayoutData, MainMenuButtonsStayApartOnTheScreen) {
    const Dialog menu("MainMenu");
    struct Item {
        const char* picture;
        double x, y;
    };
    std::vector<std::pair<std::string, Box>> widgets;
    for (const Item& i : {Item{"Interface/Continue", 19, 25}, Item{"Interface/ClassicGame", 20, 34},
                          Item{"Interface/ArcadeGame", 21, 44}, Item{"Interface/Options", 21.5, 53.5},
                          Item{"Interface/Help", 18, 64}, Item{"Interface/Score", 18, 72},
                          Item{"Interface/Exit", 22, 82}, Item{"Interface/ChangeProfileTr", 76, 21}}) {
        widgets.push_back({i.picture, WidgetBox(i.picture, 3, menu.X(i.x), menu.Y(i.y))});
    }
    // The menu's creature sits at (720, 520) and turns: keep its whole turning circle clear of the buttons.
    const PictureSize creature = SizeOf("KorrikMenu");
    const double reach = std::hypot(creature.width, creature.height) / 2;
    widgets.push_back({"KorrikMenu", Box{720 - reach, 520 - reach, 720 + reach, 520 + reach}});
    ExpectLaidOut(menu, widgets);
    const PictureSize grass = SizeOf("MenuGrass");
    EXPECT_EQ(grass.width, 800);
    EXPECT_LE(grass.height, 120);
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
