// What the player sees and hears on the game screen, drawn and heard headless: the launcher creatures
// facing the aim, the balls beside them, the move markers, the sounds of play and the falls.
#include "GameScreenFixture.h"
#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "MenuGui.h"
#include "ZoProfileManager.h"
#include "ZoRenderDevice.h"

#include <algorithm>
#include <cmath>

namespace {

// Centre of the near-white pixels (the creature's eye whites) within 30 pixels of the creature, leaving out
// the ball held in front of it and the pouch, whose glossy balls have white highlights too.
ZoVector FaceOf(const std::vector<std::uint8_t>& frame, const ZoVector& centre, const ZoVector& aim,
                float ballDistance) {
    const ZoVector ball = centre + aim * ballDistance;
    const ZoVector pouch = centre - aim * 12.0f;
    ZoVector sum;
    int count = 0;
    for (int y = static_cast<int>(centre.y) - 30; y <= std::min(599, static_cast<int>(centre.y) + 30); ++y) {
        for (int x = static_cast<int>(centre.x) - 30; x <= std::min(799, static_cast<int>(centre.x) + 30); ++x) {
            const ZoVector p(static_cast<float>(x), static_cast<float>(y), 0.0f);
            const guitest::Rgb c = guitest::PixelAt(frame, x, y);
            if ((p - centre).Length() > 30.0f || (p - ball).Length() < 18.0f || (p - pouch).Length() < 10.0f ||
                std::min({c.r, c.g, c.b}) < 235) {
                continue;
            }
            sum += p;
            ++count;
        }
    }
    EXPECT_GT(count, 8) << "no eyes found";
    return count > 0 ? sum / static_cast<float>(count) - centre : ZoVector();
}

// The eyes lie about 9 pixels from the creature's centre towards the aim, and across it where they should:
// in the middle for the game's creature, on its left for the menu's, which winks with its right eye.
void ExpectFacing(const ZoVector& face, const ZoVector& aim, float across, const char* what) {
    EXPECT_NEAR(face.x * aim.x + face.y * aim.y, 9.0f, 3.5f) << what;
    EXPECT_NEAR(face.x * -aim.y + face.y * aim.x, across, 3.5f) << what;
}

} // namespace

TEST_F(GameScreenTest, LauncherCreaturesFaceWhereTheBallGoes) {
    LoadBoard("flight");
    guitest::UpdateUntilSteady(*game);
    MenuGui menu;
    const ZoVector menuCentre(MenuGui::kLauncherX, MenuGui::kLauncherY, 0.0f);
    struct Aim {
        const char* name;
        int gameX, gameY, menuX, menuY;
    };
    for (const Aim& a : {Aim{"up-left", 250, 400, 640, 420}, Aim{"up-right", 550, 400, 790, 430}}) {
        SCOPED_TRACE(a.name);
        Send(guitest::MouseMoveTo(a.gameX, a.gameY));
        const std::vector<std::uint8_t> frame = guitest::DrawFrame(*game);
        EXPECT_FALSE(guitest::SavePng(frame, std::string("launcher-game-") + a.name).empty());
        const ZoVector home = Launcher().HomePosition();
        ExpectFacing(FaceOf(frame, home, Launcher().AimDirection(), Shooter::kBallDistance),
                     Launcher().AimDirection(), 0.0f, "game");
        // The waiting ball keeps its symbol upright whatever the aim.
        const ZoVector ball = Launcher().BallPosition();
        const auto& batch = ZoRenderDevice::Instance().Batch();
        EXPECT_TRUE(std::any_of(batch.begin(), batch.end(), [&ball](const ZoSpriteRecord& s) {
            return std::fabs(s.x + s.centreX - ball.x) < 0.5f && std::fabs(s.y + s.centreY - ball.y) < 0.5f &&
                   s.angle == 0.0f;
        }));

        ZoInputEvent move = guitest::MouseMoveTo(a.menuX, a.menuY);
        menu.OnEvent(move);
        const std::vector<std::uint8_t> menuFrame = guitest::DrawFrame(menu);
        EXPECT_FALSE(guitest::SavePng(menuFrame, std::string("launcher-menu-") + a.name).empty());
        ExpectFacing(FaceOf(menuFrame, menuCentre, menu.aim, 32.0f), menu.aim, -9.0f, "menu");
    }
}

TEST_F(GameScreenTest, ANewNextBallIsNeverDrawnAtTheCorner) {
    LoadBoard("flight");
    Fire(400, 100);
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    for (int frame = 0; frame < 80; ++frame) {
        Frame();
        device.BeginFrame();
        game->Draw();
        for (const ZoSpriteRecord& s : device.Batch()) {
            ASSERT_GT(std::fabs(s.x + s.centreX) + std::fabs(s.y + s.centreY), 2.0f) << "frame " << frame;
        }
        device.EndFrame();
    }
    EXPECT_EQ(Map().landings, 1);
}

TEST_F(GameScreenTest, MoveMarkersCountTheMovesLeftUpToSix) {
    LoadBoard("flight");
    guitest::UpdateUntilSteady(*game);
    const auto markersDrawn = [this](int moves) {
        Map().NumMovesLeft = moves;
        guitest::DrawFrame(*game);
        int drawn = 0;
        for (int i = 0; i < GameSprites::kMoveMarkers; ++i) {
            const ZoTexture marker = GameSprites::Instance().MoveMarker(i)->Data()->Texture();
            const auto& batch = ZoRenderDevice::Instance().Batch();
            drawn += static_cast<int>(std::count_if(batch.begin(), batch.end(),
                                                    [marker](const ZoSpriteRecord& s) { return s.texture == marker; }));
        }
        return drawn;
    };
    EXPECT_EQ(markersDrawn(0), 0);
    EXPECT_EQ(markersDrawn(3), 3);
    EXPECT_EQ(markersDrawn(6), 6);
    EXPECT_EQ(markersDrawn(99), 6); // an edited saved game
    EXPECT_EQ(markersDrawn(-4), 0); // a hard game past its last move
}

TEST_F(GameScreenTest, SoundsOfPlay) {
    enum { FireBall = 10, StopBall = 11, BallDelete = 12, ColorRemove = 101, LineFall = 102, ColourShown = 103,
           HitWall = 104, Swap = 110 };
    const auto count = [](const std::vector<int>& heard, int id) {
        return std::count(heard.begin(), heard.end(), id);
    };
    // One chime per colour as the board appears; no shot before it has.
    WriteBytes(SaveFile(), ReadBytes(Scenarios() + "match.Zos"));
    ZoProfileManager::Instance().RefreshSavedFlag();
    ear->Take();
    ASSERT_TRUE(game->Load());
    Fire(410, 44);
    EXPECT_FALSE(Launcher().flying);
    RunUntil([this] { return Map().MapState == GameMap::kReady; });
    EXPECT_EQ(count(ear->Take(), ColourShown), 5);
    // A burst with three balls falling: every other falling ball pops audibly.
    Fire(410, 44);
    Settle();
    std::vector<int> heard = ear->Take();
    EXPECT_EQ(heard.front(), FireBall);
    EXPECT_EQ(count(heard, StopBall), 1);
    EXPECT_GE(count(heard, BallDelete), 2);
    EXPECT_LE(count(heard, BallDelete), 3);
    // Swapping two colours is heard; two balls of one colour are not swapped.
    Launcher().SetCurrentBubble(GameSprites::Instance().MakeBubble(2));
    Map().SetNextBubble(GameSprites::Instance().MakeBubble(3));
    ZoInputEvent right = guitest::MouseMoveTo(400, 300);
    right.Translate(ZoInputEvent::kRightButtonUp, 0, 400u | (300u << 16));
    ZoInputEvent again = right;
    Send(right);
    Map().SetNextBubble(GameSprites::Instance().MakeBubble(3));
    Send(again);
    EXPECT_EQ(ear->Take(), std::vector<int>{Swap});
    // A vanished colour, then two lines; a knock for each wall on the way.
    LoadBoard("vanish");
    ear->Take();
    Fire(282, 44);
    Settle();
    heard = ear->Take();
    EXPECT_EQ(count(heard, ColorRemove), 1);
    EXPECT_EQ(count(heard, LineFall), 2);
    LoadBoard("flight");
    Launcher().SetCurrentBubble(GameSprites::Instance().MakeBubble(0));
    Fire(218, 450);
    Settle();
    EXPECT_EQ(count(ear->Take(), HitWall), 2);
}

TEST_F(GameScreenTest, CutOffBallsDropSmoothlyToTheBottomEdgeAndBurstThereWhenTheBoardCountsThem) {
    LoadBoard("match");
    Fire(410, 44);
    RunUntil([this] { return !Map().Falling().empty(); });
    ASSERT_EQ(Map().Falling().size(), 3u);
    EXPECT_EQ(Map().Effects().PointsShowing(), 1u); // the burst group's points rise
    const float bottom = Map().WellFloor() - static_cast<float>(GameValues().BubbleRadius);
    const auto burstsAtTheBottom = [bottom] {
        int count = 0;
        for (const ZoSpriteLayer::MoveObj& entry : GameSprites::Instance().Layer().Entries()) {
            const auto* burst = dynamic_cast<const BubbleDestroy*>(entry.object);
            count += burst != nullptr && std::fabs(burst->emitterPosition.y - bottom) < 0.01f ? 1 : 0;
        }
        return count;
    };
    // Each ball moves down every frame, faster and faster, without a leap at the end.
    std::vector<float> last;
    std::vector<float> step(3, 0.0f);
    for (int frame = 0; !Map().Falling().empty(); ++frame) {
        ASSERT_LT(frame, 200);
        last.clear();
        for (const auto& ball : Map().Falling()) {
            last.push_back(ball->position.y);
        }
        const std::size_t counted = 3 - last.size();
        Frame();
        const std::size_t now = 3 - Map().Falling().size();
        for (std::size_t i = 0; i < last.size(); ++i) {
            const std::size_t ball = i + counted;
            const float y = ball < now ? bottom : Map().Falling()[i - (now - counted)]->position.y;
            const float moved = y - last[i];
            EXPECT_GT(moved, step[ball]) << "ball " << ball << " in frame " << frame;
            EXPECT_TRUE(frame == 0 || moved < 3.0f * step[ball]) << "ball " << ball << " leaps " << moved;
            step[ball] = moved;
        }
        EXPECT_EQ(burstsAtTheBottom(), static_cast<int>(now));
    }
    EXPECT_EQ(Map().score, 260);
}
