// The menu and its dialogs as a player meets them: each scenario of MenuScenarios.txt starts the whole
// game headless in a fresh folder, feeds clicks and keys through the window procedure, runs frames on a
// manual clock and checks the files and the screen it leaves. The file's head explains the commands.
#include "TestFiles.h"
#include "Game.h"
#include "GameApplication.h"
#include "GuiTestSupport.h"
#include "ImageDecoder.h"
#include "MenuGui.h"
#include "PlatformEvents.h"
#include "PlatformMessageBox.h"
#include "ZoBitmapFont.h"
#include "ZoCheckBox.h"
#include "ZoCheckBoxGroup.h"
#include "ZoClock.h"
#include "ZoDialogPanel.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoResourceManager.h"
#include "ZoSoundManager.h"
#include "ZoStartup.h"
#include "ZoTextDialogPanel.h"
#include "ZoTimer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Line {
    int number = 0;
    std::string text;
    std::vector<std::string> words;
    // The text from word index on (surrounding quotes removed, \n made a line break).
    std::string Rest(std::size_t index) const {
        std::size_t at = text.find_first_not_of(' ');
        for (std::size_t i = 0; i < index && at != std::string::npos; ++i)
            at = text.find_first_not_of(' ', text.find(' ', at));
        std::string rest = at == std::string::npos ? "" : text.substr(at);
        if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
            rest = rest.substr(1, rest.size() - 2);
        for (std::size_t n; (n = rest.find("\\n")) != std::string::npos;)
            rest.replace(n, 2, "\n");
        return rest;
    }
    const std::string& operator[](std::size_t i) const { return words.at(i); }
};

struct Scenario {
    std::string title;
    std::vector<Line> lines;
};

std::vector<Scenario> LoadScenarios() {
    std::ifstream file(SourceDir() + "/tests/frontend/MenuScenarios.txt");
    std::vector<Scenario> scenarios;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        std::istringstream split(text);
        Line line{number, text, {}};
        for (std::string word; split >> word;)
            line.words.push_back(word);
        if (text.rfind("== ", 0) == 0)
            scenarios.push_back({text.substr(3), {}});
        else if (!line.words.empty() && line[0][0] != '#' && !scenarios.empty())
            scenarios.back().lines.push_back(line);
    }
    return scenarios;
}

struct Box {
    float left, top, right, bottom;
    bool Overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

// The pixels of a picture of the archives; empty for a picture without transparency.
DecodedImage Picture(const ZoClip& clip) {
    DecodedImage image;
    const std::string file =
        ZoResourceManager::Instance().GetFileText("Data/Textures/" + clip.Data()->Name() + ".Tga");
    ImageDecoder::Decode(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), image);
    return image;
}

// Where the first frame of a widget's picture has ink, on the screen.
Box Ink(const ZoClip& clip) {
    const DecodedImage image = Picture(clip);
    Box ink{1e9f, 1e9f, -1e9f, -1e9f};
    for (int y = 0; y < clip.FrameHeight(); ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.rgba[4 * (static_cast<std::size_t>(y) * image.width + x) + 3] != 0)
                ink = Box{std::min(ink.left, float(x)), std::min(ink.top, float(y)),
                          std::max(ink.right, x + 1.0f), std::max(ink.bottom, y + 1.0f)};
    const float left = clip.position.x - static_cast<float>(clip.Width()) / 2.0f;
    const float top = clip.position.y - static_cast<float>(clip.FrameHeight()) / 2.0f;
    return Box{left + ink.left, top + ink.top, left + ink.right, top + ink.bottom};
}

// The first sprite of a texture in the last frame; the batch's size when there is none.
std::size_t FirstOf(const ZoClip& clip, std::size_t from = 0) {
    const auto& batch = ZoRenderDevice::Instance().Batch();
    while (from < batch.size() && batch[from].texture != clip.Data()->Texture())
        ++from;
    return from;
}

// Runs one scenario: lines before "start" write files, the others run inside the started game.
class Player {
public:
    explicit Player(const Scenario& scenario) : lines_(scenario.lines) {}

    void Play() {
        ZoTimer::Instance().SetClock(clock_);
        while (next_ < lines_.size()) {
            const Line& line = lines_[next_++];
            if (line[0] == "players") {
                std::string text = "ActiveProfile=0\n";
                for (std::size_t i = 1; i < line.words.size(); ++i)
                    text += "PlayerName" + std::to_string(i - 1) + "=\"" + line[i] + "\"\n";
                WriteBytes("Data//Profiles.Txt", text);
            } else if (line[0] == "write") {
                fs::create_directories(fs::path(line[1]).parent_path());
                WriteBytes(line[1], line.Rest(2));
            } else if (line[0] == "copy") {
                fs::create_directories(fs::path(line[2]).parent_path());
                fs::copy_file(SourceDir() + "/tests/game/scenarios/" + line[1], line[2]);
            } else if (line[0] == "start" || line[0] == "restart") {
                Run();
            } else {
                ADD_FAILURE() << "line " << line.number << ": start the game first";
            }
        }
        ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());
    }

private:
    static constexpr std::uint32_t kStep = 16;

    // The real start-up; after its first frame the script runs up to a "restart" or its end.
    void Run() {
        ZoStartupOptions options;
        options.lockPath = "lock";
        options.framePacing = false;
        options.beforeRun = [this](GameApplication& app) { app_ = &app; };
        bool done = false;
        options.afterFrame = [&](ZoBaseApplication& app) {
            if (std::exchange(done, true))
                return;
            SystemRandom().Seed(7); // the same balls every run
            while (next_ < lines_.size() && lines_[next_][0] != "restart")
                Step(lines_[next_++]);
            app.RequestQuit();
        };
        ZoStartup::Run(options);
        app_ = nullptr;
    }

    void Step(const Line& line) {
        const std::string& verb = line[0];
        if (verb == "move" || verb == "click" || verb == "down") {
            // A widget is clicked once its dialog stands still; a point at once, fading or not.
            if (verb != "move" && !std::isdigit(static_cast<unsigned char>(line[1][0])))
                Settle();
            const ZoVector at = Point(line);
            mouse_ = static_cast<std::uint32_t>(at.x) | (static_cast<std::uint32_t>(at.y) << 16);
            Send(ZoInputEvent::kMouseMove, 0);
            if (verb != "move")
                Send(ZoInputEvent::kLeftButtonDown, 0);
            if (verb == "click")
                Send(ZoInputEvent::kLeftButtonUp, 0);
        } else if (verb == "up" || verb == "press") {
            if (verb == "press")
                Send(ZoInputEvent::kLeftButtonDown, 0);
            Send(ZoInputEvent::kLeftButtonUp, 0);
        } else if (verb == "key" || verb == "type") {
            Settle();
            // Keys go down, then give their character; Return, Backspace and Escape give theirs too.
            const std::string text = verb == "key" ? std::string(1, char(std::stoi(line[1]))) : line.Rest(1);
            for (char c : text) {
                const auto code = static_cast<std::uint32_t>(std::toupper(c));
                Send(ZoInputEvent::kKeyDown, code);
                Send(ZoInputEvent::kChar, static_cast<std::uint8_t>(c));
                Send(ZoInputEvent::kKeyUp, code);
            }
        } else if (verb == "hold" || verb == "release") {
            Send(verb == "hold" ? ZoInputEvent::kKeyDown : ZoInputEvent::kKeyUp,
                 static_cast<std::uint32_t>(std::stoi(line[1])));
        } else if (verb == "window") {
            // The window system telling the game the player turned away, or came back.
            using namespace PlatformMessageCode;
            const std::map<std::string, PlatformMessage> news = {{"away", {kActivate, 0, 0}},
                {"back", {kActivate, 1, 0}}, {"minimised", {kSize, kSizeMinimised, 0}},
                {"restored", {kSize, kSizeRestored, 0}}};
            app_->WindowProcedure(news.at(line[1]));
        } else if (verb == "pad") {
            Pad(line);
        } else if (verb == "frames") {
            for (int i = std::stoi(line[1]); i > 1; --i)
                QuickFrame();
        } else if (verb == "settle") {
            Settle();
            return;
        } else if (verb == "shot") {
            Settle();
            EXPECT_FALSE(
                guitest::SavePng(ZoRenderDevice::Instance().ReadFramePixels(), "shots/" + line[1]).empty());
            return;
        } else if (verb == "expect") {
            SCOPED_TRACE("line " + std::to_string(line.number) + ": " + line.text);
            Expect(line);
            return;
        } else {
            ADD_FAILURE() << "line " << line.number << ": unknown command";
        }
        Frame();
    }

    // A software pad played through the platform's own event queue, as a real one is.
    void Pad(const Line& line) {
        if (line[1] == "attach") {
            pad_ = PlatformEvents::AttachVirtualPad();
            ASSERT_GE(pad_, 0) << "line " << line.number << ": no virtual pad";
        } else if (line[1] == "detach") {
            PlatformEvents::DetachVirtualPad(pad_);
        } else if (line[1] == "stick") {
            PlatformEvents::SetVirtualPadStick(pad_, std::stoi(line[2]));
        } else {
            // Named in the order of their codes, from 1.
            const std::vector<std::string> names = {"", "A", "B", "X", "Y", "Back", "Start", "up", "down",
                                                    "left", "right"};
            const auto button = static_cast<std::uint32_t>(std::find(names.begin(), names.end(), line[1]) -
                                                           names.begin());
            ASSERT_LT(button, names.size()) << "line " << line.number << ": no pad button " << line[1];
            Settle(); // as a key: pressed once the dialogs stand still
            PlatformEvents::SetVirtualPadButton(pad_, button, true);
            Pump();
            PlatformEvents::SetVirtualPadButton(pad_, button, false);
        }
        Pump();
    }
    void Pump() {
        PlatformMessage message;
        while (app_->Events()->Poll(message))
            if (message.message != PlatformMessageCode::kQuit)
                app_->WindowProcedure(message);
    }

    ZoPanelHost& Screen() const { return *dynamic_cast<ZoPanelHost*>(app_->WindowManager()->Active()); }
    Game& TheGame() const { return *app_->GameScreen(); }
    MenuGui& Menu() const { return *app_->Menu(); }
    void Send(std::int32_t message, std::uint32_t wParam) {
        app_->WindowProcedure(PlatformMessage{static_cast<std::uint32_t>(message), wParam, mouse_});
    }
    void Frame() {
        clock_.Advance(kStep);
        app_->RunFrame();
    }
    // A frame whose sprites are recorded but not rasterised: the game behaves the same, faster.
    void QuickFrame() {
        clock_.Advance(kStep);
        app_->PrepareFrame();
        app_->UpdateFrame();
    }
    // Quick frames until no dialog fades, then one whole frame.
    void Settle() {
        const auto fading = [this] {
            for (const ZoPanel* panel : Screen().OpenPanels())
                if (panel->state != ZoPanel::Steady)
                    return true;
            return false;
        };
        for (int i = 0; i < 200 && fading(); ++i)
            QuickFrame();
        Frame();
    }

    // "x,y" in the frame, or a widget's centre moved by an optional "dx,dy".
    ZoVector Point(const Line& line) const {
        const auto pair = [](const std::string& word) {
            return ZoVector(std::stof(word), std::stof(word.substr(word.find(',') + 1)), 0.0f);
        };
        if (std::isdigit(static_cast<unsigned char>(line[1][0])))
            return pair(line[1]);
        const std::size_t offset = line[1] == "player" ? 3 : 2;
        const ZoClip* picture = Find(line, 1).Image();
        return (picture != nullptr ? picture->position : ZoVector()) +
               (offset < line.words.size() ? pair(line[offset]) : ZoVector());
    }

    // A widget of the active screen by name ("player NAME": a player's button by its caption), the
    // open panels searched from the top, then every other panel.
    const ZoBaseGuiElemen& Find(const Line& line, std::size_t at) const {
        const bool player = line[at] == "player";
        const std::string& name = line[player ? at + 1 : at];
        std::vector<const ZoPanel*> panels(Screen().OpenPanels().rbegin(), Screen().OpenPanels().rend());
        for (const auto& entry : Screen().panels)
            panels.push_back(entry.second.get());
        for (const ZoPanel* panel : panels)
            for (const auto& widget : panel->Widgets()) {
                if (player ? widget->kind == ZoBaseGuiElemen::kKindProfileButton && widget->caption == name
                           : widget->name == name)
                    return *widget;
                if (auto* group = dynamic_cast<const ZoCheckBoxGroup*>(widget.get()))
                    for (const auto& box : group->Boxes())
                        if (!player && box->name == name)
                            return *box;
            }
        ADD_FAILURE() << "line " << line.number << ": no widget " << name;
        static const ZoBaseGuiElemen nothing;
        return nothing;
    }

    void Expect(const Line& line) {
        const std::string& what = line[1];
        std::string open = " ";
        for (const ZoPanel* panel : Screen().OpenPanels())
            open += panel->name + " ";
        if (what == "open" || what == "closed") {
            for (std::size_t i = 2; i < line.words.size(); ++i)
                EXPECT_EQ(open.find(" " + line[i] + " ") != std::string::npos, what == "open") << open;
        } else if (what == "top") {
            EXPECT_EQ(Screen().TopPanel()->name, line[2]);
        } else if (what == "screen") {
            EXPECT_EQ(app_->WindowManager()->ActiveName(), line[2]);
        } else if (what == "player") {
            EXPECT_EQ(ZoProfileManager::Instance().ActiveProfileName(), line.Rest(2));
        } else if (what == "file") {
            const std::string bytes = ReadBytes(line[2]);
            const std::string& how = line[3];
            if (how == "has" || how == "lacks")
                EXPECT_EQ(bytes.find(line.Rest(4)) != std::string::npos, how == "has") << bytes;
            else if (how == "missing")
                EXPECT_FALSE(fs::exists(line[2]));
            else
                EXPECT_EQ(fs::exists(line[2]) && bytes.size() > 16, how == "filled")
                    << "size " << bytes.size();
        } else if (what == "caption") {
            EXPECT_EQ(Find(line, 2).caption, line.Rest(3));
        } else if (what == "message") {
            EXPECT_EQ(dynamic_cast<const ZoDialogPanel&>(*Menu().GetPanel(line[2])).message, line.Rest(3));
        } else if (what == "text") {
            EXPECT_EQ(dynamic_cast<const ZoTextDialogPanel&>(*Menu().GetPanel("PlayerNameDlg")).Text(),
                      line.Rest(2));
        } else if (what == "state") {
            ExpectState(Find(line, 2), line.words.back());
        } else if (what == "value") {
            EXPECT_EQ(Find(line, 2).GetValue(), std::stoi(line[3]));
        } else if (what == "balls") {
            EXPECT_EQ(Menu().flyingBalls.size(), std::stoul(line[2]));
        } else if (what == "quit" || what == "running") {
            EXPECT_EQ(app_->QuitRequested(), what == "quit");
        } else if (what == "music") {
            ZoSoundManager& sound = ZoSoundManager::Instance();
            EXPECT_EQ(sound.CurrentPlayList(), sound.GetPlayList(std::stoi(line[2])));
        } else if (what == "volumes") {
            EXPECT_EQ(ZoSoundManager::Instance().SoundVolume(), std::stoi(line[2]));
            EXPECT_EQ(ZoSoundManager::Instance().MusicVolume(), std::stoi(line[3]));
        } else if (what == "sound") {
            EXPECT_EQ(ZoSoundManager::Instance().SoundEnabled(), line[2] == "on");
        } else if (what == "cursor") {
            const ZoClip& cursor = app_->Cursor()->Picture();
            EXPECT_EQ(cursor.red + cursor.green + cursor.blue == 3 * 255.0f, line[2] == "white");
        } else if (what == "under") {
            // The menu's creature is drawn above the root and below the dialog.
            const std::size_t creature = FirstOf(*Menu().launcher);
            EXPECT_GT(creature, FirstOf(*Menu().GetPanel("MainMenuDlg")->Background()));
            EXPECT_LT(creature, FirstOf(*Menu().GetPanel(line[3])->Background()));
        } else if (what == "rows-alpha") {
            ExpectRowsAlpha(*Menu().GetPanel(line[2]), line[3],
                            static_cast<std::uint32_t>(std::stoi(line[4])));
        } else if (what == "laid-out") {
            ExpectLaidOut(Menu());
            ExpectLaidOut(*app_->GameScreen());
        } else if (what == "paused" || what == "demo") {
            EXPECT_EQ(what == "paused" ? TheGame().IsPaused() : TheGame().IsDemo(), line[2] == "yes");
        } else if (what == "aim") {
            const float x = TheGame().GetShooter()->AimDirection().x;
            EXPECT_TRUE(line[2] == "left"    ? x < -0.2f
                        : line[2] == "right" ? x > 0.2f
                                             : std::fabs(x) < 0.01f)
                << x;
        } else if (what == "shots") {
            const int landings = TheGame().Map()->landings;
            EXPECT_TRUE(line[2] == ">" ? landings > std::stoi(line[3]) : landings == std::stoi(line[2]))
                << landings;
        } else if (what == "stands" || what == "runs") {
            ExpectStands(what == "stands", std::stoi(line[2]));
        } else if (what == "swap") {
            ExpectSwap(line);
        } else if (what == "guide") {
            ExpectGuide(line[2]);
        } else {
            ADD_FAILURE() << "unknown expectation";
        }
    }

    // Whole frames: standing, nothing is drawn anew (the device skips each frame) and the Arcade clock,
    // the aim and the score keep still; running, the clock moves.
    void ExpectStands(bool stands, int frames) {
        const GameMap& map = *TheGame().Map();
        const std::int32_t clock = map.ElapsedTime, score = map.score;
        const ZoVector aim = TheGame().GetShooter()->AimDirection();
        const std::uint64_t skipped = ZoRenderDevice::Instance().SkippedFrames();
        for (int i = 0; i < frames; ++i)
            Frame();
        EXPECT_EQ(map.ElapsedTime == clock, stands) << clock << " then " << map.ElapsedTime;
        if (stands) {
            EXPECT_EQ(ZoRenderDevice::Instance().SkippedFrames() - skipped,
                      static_cast<std::uint64_t>(frames));
            EXPECT_TRUE(map.score == score && TheGame().GetShooter()->AimDirection() == aim);
        }
    }

    // The key or pad button given exchanges the launcher's two balls (of different colours).
    void ExpectSwap(const Line& line) {
        GameMap& map = *TheGame().Map();
        Shooter& shooter = *TheGame().GetShooter();
        const std::int32_t current = shooter.CurrentBubble()->BubbleID, next = map.NextBubble()->BubbleID;
        ASSERT_NE(current, next) << "the seeded balls must differ for this check";
        if (line[3] == "key")
            Send(ZoInputEvent::kKeyDown, static_cast<std::uint32_t>(std::stoi(line[4])));
        else
            Pad(Line{line.number, "", {"pad", line[4]}});
        EXPECT_EQ(shooter.CurrentBubble()->BubbleID, next);
        EXPECT_EQ(map.NextBubble()->BubbleID, current);
    }

    // drawn or none in the last frame; agrees: Space fires, and the flight's first leg ends where the line
    // did.
    void ExpectGuide(const std::string& how) {
        const AimingGuide& guide = *TheGame().Guide();
        const auto& batch = ZoRenderDevice::Instance().Batch();
        const ZoTexture dot = guide.DotTexture();
        const auto dots = std::count_if(batch.begin(), batch.end(),
                                        [dot](const ZoSpriteRecord& s) { return s.texture == dot; });
        if (how != "agrees") {
            EXPECT_EQ(dots > 3, how == "drawn") << dots << " dots";
            return;
        }
        const ZoVector end = guide.End();
        Send(ZoInputEvent::kKeyDown, ' ');
        const auto& path = TheGame().Map()->Path();
        ASSERT_GE(path.size(), 2u) << "no shot";
        EXPECT_LT((path[1] - end).Length(), 0.01f)
            << path[1].x << "," << path[1].y << " but " << end.x << "," << end.y;
    }

    // disabled, enabled, checked, unchecked, or a look drawn in the last frame: normal, lit (under the
    // mouse), pressed (held down) and selected (the active player) are rows of the widget's picture.
    void ExpectState(const ZoBaseGuiElemen& widget, const std::string& state) const {
        const auto* box = dynamic_cast<const ZoCheckBox*>(&widget);
        if (state == "disabled" || state == "enabled") {
            EXPECT_EQ(widget.disabled, state == "disabled");
        } else if (state == "checked" || state == "unchecked") {
            EXPECT_EQ(box != nullptr && box->checked, state == "checked");
        } else if (widget.Image() != nullptr) {
            const std::vector<std::string> looks = {"normal", "lit", "disabled", "pressed"};
            auto frame = static_cast<std::size_t>(widget.Image()->Animation().currentFrame);
            if (box != nullptr)
                frame %= 2; // a box's rows: unchecked and lit, then checked and lit

            EXPECT_EQ(frame < looks.size() ? looks[frame] : "?", state == "selected" ? "pressed" : state);
            EXPECT_TRUE(state != "selected" || widget.highlighted);
        }
    }

    // The text drawn between the panel's picture and the next dialog's, in the last frame: <= or >= N.
    static void ExpectRowsAlpha(const ZoPanel& panel, const std::string& how, std::uint32_t limit) {
        const auto& batch = ZoRenderDevice::Instance().Batch();
        const VideoTextureId font = ZoFontRegistry::Instance().Get(0)->Data()->Texture();
        std::uint32_t lowest = 255, highest = 0;
        for (std::size_t i = FirstOf(*panel.Background()) + 1; i < FirstOf(*panel.Overlay(), i); ++i) {
            if (batch[i].texture == font) {
                lowest = std::min(lowest, batch[i].colour >> 24);
                highest = std::max(highest, batch[i].colour >> 24);
            }
        }
        EXPECT_TRUE(how == "<=" ? highest <= limit : lowest >= limit) << lowest << " to " << highest;
    }

    // Every clickable widget keeps 10 pixels clear of its panel's edge (the gold rim is 9 wide), and no
    // two overlap, judged by the ink of their pictures; the menu's creature turns clear of them all.
    static void ExpectLaidOut(ZoPanelHost& screen) {
        constexpr float kMargin = 10.0f;
        for (const auto& entry : screen.panels) {
            const ZoPanel& panel = *entry.second;
            if (panel.Background() == nullptr || panel.Background()->Width() == 0)
                continue;
            const DecodedImage picture = Picture(*panel.Background());
            const auto opaque = [&](float x, float y) {
                if (picture.rgba.empty()) // a picture without transparency: the whole screen
                    return x >= 0.0f && y >= 0.0f && x < 800.0f && y < 600.0f;
                const int px = static_cast<int>(x - panel.position.x + picture.width / 2);
                const int py = static_cast<int>(y - panel.position.y + picture.height / 2);
                return px >= 0 && py >= 0 && px < picture.width && py < picture.height &&
                       picture.rgba[4 * (static_cast<std::size_t>(py) * picture.width + px) + 3] == 255;
            };
            std::vector<std::pair<std::string, Box>> boxes;
            for (const auto& widget : panel.Widgets()) {
                std::vector<const ZoBaseGuiElemen*> parts = {widget.get()};
                if (auto* group = dynamic_cast<const ZoCheckBoxGroup*>(widget.get()))
                    for (const auto& box : group->Boxes())
                        parts.push_back(box.get());
                for (const ZoBaseGuiElemen* part : parts) {
                    if (part->kind == ZoBaseGuiElemen::kKindOther || part->Image() == nullptr)
                        continue;
                    const Box b = Ink(*part->Image());
                    boxes.push_back({part->name + " " + part->caption, b});
                    for (float x : {b.left - kMargin, b.right + kMargin})
                        for (float y : {b.top - kMargin, b.bottom + kMargin})
                            EXPECT_TRUE(opaque(x, y))
                                << boxes.back().first << " is not inside " << panel.name;
                }
            }
            if (auto* menu = dynamic_cast<MenuGui*>(&screen);
                menu != nullptr && panel.name == "MainMenuDlg") {
                const ZoClip& creature = *menu->launcher;
                const float reach = std::hypot(float(creature.Width()), float(creature.FrameHeight())) / 2;
                const ZoVector at = creature.position;
                boxes.push_back(
                    {"the menu's creature", Box{at.x - reach, at.y - reach, at.x + reach, at.y + reach}});
            }
            for (std::size_t i = 0; i < boxes.size(); ++i)
                for (std::size_t j = i + 1; j < boxes.size(); ++j)
                    EXPECT_FALSE(boxes[i].second.Overlaps(boxes[j].second))
                        << boxes[i].first << " overlaps " << boxes[j].first << " in " << panel.name;
        }
    }

    const std::vector<Line>& lines_;
    ZoManualClock clock_{1000};
    GameApplication* app_ = nullptr;
    std::size_t next_ = 0;
    int pad_ = -1;
    std::uint32_t mouse_ = 400 | (300 << 16);
};

class MenuScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(MenuScenario, Plays) {
    const std::string folder = MakeGameFolder("menu");
    ASSERT_FALSE(folder.empty()) << "build the target gamedata first";
    fs::create_directories(BinaryDir() + "/shots");
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    PlatformMessageBox::Instance().ClearCaptured();
    Player(GetParam()).Play();
    EXPECT_EQ(PlatformMessageBox::Instance().Captured(), std::vector<std::string>{}) << "error boxes shown";
    fs::current_path(previous);
}

INSTANTIATE_TEST_SUITE_P(Menu, MenuScenario, ::testing::ValuesIn(LoadScenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& scenario) {
                             std::string name = std::to_string(scenario.index);
                             for (char c : scenario.param.title.substr(0, 50))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

} // namespace
