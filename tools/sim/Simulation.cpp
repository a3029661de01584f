#include "Simulation.h"

#include "Game.h"
#include "GameSprites.h"
#include "ZoAtomicFile.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"
#include "ZoShowError.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"
#include "ZoWindowManager.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr const char* kGameScreen = "GameWin";
constexpr std::int32_t kIntroLimit = 60000;
constexpr std::int32_t kFireWaitLimit = 10000;
constexpr std::int32_t kSettleLimit = 60000;
constexpr std::int32_t kMenuLimit = 10000;

std::vector<std::int32_t> ScoresOf(std::int32_t table) {
    std::vector<std::int32_t> scores;
    if (const ZoTop* top = ZoTopTables::Instance().Get(table)) {
        for (const ZoTopRecord& record : top->Records()) {
            scores.push_back(record.score);
        }
    }
    return scores;
}

} // namespace

Simulation::Simulation(std::ostream& out) : out_(out) {
    // Error boxes become lines of the output, where a script can see them.
    SetErrorHandler([this](const std::string& text) { errors_.push_back(text); });
}

Simulation::~Simulation() {
    windows_.reset();
    ZoTopTables::Instance().Clear();
    GameSprites::Instance().Release();
    SetErrorHandler(nullptr);
}

bool Simulation::SetUp(const std::string& savedGame, const SimScript& script, std::string& error) {
    ZoSysConfig::Instance().difficulty = script.difficulty;
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.AddProfile(kPlayer);
    ZoAtomicFile::CreateParentFolders(profiles.SaveFileName());
    if (!ZoAtomicFile::Write(profiles.SaveFileName(), savedGame)) {
        error = "cannot write the saved game into the temporary folder";
        return false;
    }
    profiles.RefreshSavedFlag();
    ZoTopTables::Instance().CreateGameTables();

    windows_ = std::make_unique<ZoWindowManager>(record_, [] {});
    windows_->RegisterListener(Game::kMenuListener, std::make_unique<ZoEventListener>());
    auto game = std::make_unique<Game>();
    game_ = game.get();
    windows_->RegisterListener(kGameScreen, std::move(game));
    game_->Init();
    ReportErrors();
    if (!game_->Load()) {
        errors_.clear();
        error = "the game cannot load this saved game";
        return false;
    }
    SystemRandom().Seed(script.seed);
    StartWatching();
    return true;
}

void Simulation::Frame() {
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.BeginFrame();
    windows_->Active()->ProcessCommand();
    // A screen that handed over in ProcessCommand gives this frame to the other one, as in the game.
    ZoEventListener& screen = *windows_->Active();
    screen.Update(dt_);
    screen.Draw();
    device.EndFrame(); // no window: the frame is recorded, never rasterised
}

template <typename Condition> std::int32_t Simulation::RunWhile(Condition keepGoing, std::int32_t limit) {
    std::int32_t elapsed = 0;
    while (elapsed < limit && keepGoing()) {
        Frame();
        elapsed += dt_;
    }
    return elapsed;
}

void Simulation::Send(std::int32_t message, std::int32_t x, std::int32_t y) {
    const auto position = static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16);
    if (record_.Translate(static_cast<std::uint32_t>(message), 0, position)) {
        windows_->Dispatch();
    }
}

void Simulation::Click(std::int32_t x, std::int32_t y) {
    Send(ZoInputEvent::kLeftButtonDown, x, y);
    Send(ZoInputEvent::kLeftButtonUp, x, y);
}

bool Simulation::InGame() const {
    return windows_->Active() == game_;
}

bool Simulation::CanFire() const {
    const GameMap* map = game_->Map();
    const Shooter* shooter = game_->GetShooter();
    return InGame() && map != nullptr && shooter->CurrentBubble() != nullptr && !shooter->flying &&
           shooter->reloadCountdown == 0 && map->MapState == GameMap::kReady && !map->linePending;
}

bool Simulation::ShotSettled() const {
    const std::int32_t state = GameValues().GameState;
    if (state == 3 || state == 5) {
        return true; // the game's end has been processed
    }
    const GameMap* map = game_->Map();
    return map == nullptr || (!game_->GetShooter()->flying && map->Falling().empty() &&
                              map->MapState == GameMap::kReady && !map->linePending);
}

void Simulation::StartWatching() {
    for (std::int32_t table : {ZoTopTables::kClassic, ZoTopTables::kArcade}) {
        tableAtStart_[table] = ScoresOf(table);
    }
    RunWhile([this] { return game_->Map()->MapState != GameMap::kReady; }, kIntroLimit);
}

void Simulation::Run(const SimScript& script) {
    for (const SimCommand& command : script.commands) {
        GameMap* map = game_->Map();
        Shooter* shooter = game_->GetShooter();
        switch (command.kind) {
        case SimCommand::Kind::Dt:
            dt_ = command.first;
            break;
        case SimCommand::Kind::Colour: {
            // A ball from the prototypes, in the place the launcher keeps it; no random number drawn.
            auto ball = GameSprites::Instance().MakeBubble(command.first);
            ball->position = shooter->BallPosition();
            shooter->SetCurrentBubble(std::move(ball));
            break;
        }
        case SimCommand::Kind::Next:
            map->SetNextBubble(GameSprites::Instance().MakeBubble(command.first));
            break;
        case SimCommand::Kind::Aim:
            aimX_ = command.first;
            aimY_ = command.second;
            Send(ZoInputEvent::kMouseMove, aimX_, aimY_);
            break;
        case SimCommand::Kind::Fire:
            Fire();
            break;
        case SimCommand::Kind::Swap:
            Send(ZoInputEvent::kRightButtonUp, aimX_, aimY_);
            break;
        case SimCommand::Kind::Wait:
            RunWhile([] { return true; }, command.first);
            break;
        case SimCommand::Kind::Print:
            Print(true);
            break;
        case SimCommand::Kind::Press:
            Click(aimX_, aimY_);
            break;
        case SimCommand::Kind::State:
            Print(false);
            break;
        case SimCommand::Kind::Menu:
            Menu();
            break;
        case SimCommand::Kind::Continue: {
            const bool loaded = game_->Load();
            ReportErrors();
            if (loaded) {
                windows_->ActivateListener(kGameScreen);
                StartWatching();
            }
            out_ << (loaded ? "continued\n" : "continue refused\n");
            break;
        }
        case SimCommand::Kind::Quit:
            // As the application does once its loop has ended.
            out_ << (InGame() && game_->SaveBeforeQuit() ? "quit saved\n" : "quit saved nothing\n");
            break;
        case SimCommand::Kind::New:
            game_->NewGame();
            windows_->ActivateListener(kGameScreen);
            StartWatching();
            out_ << "new game\n";
            break;
        }
        ReportErrors();
    }
}

void Simulation::Fire() {
    const std::int32_t shot = ++shots_;
    // Falls count from the start of the command, the landing only from the click on.
    const std::int32_t loosenedBefore = game_->Map()->ballsLoosened;
    // No game running: the launcher can never fire, so there is nothing to wait for.
    RunWhile([this] { return !CanFire() && !game_->IsFinished(); }, kFireWaitLimit);
    const std::int32_t landingsBefore = game_->Map()->landings;
    Click(aimX_, aimY_);
    RunWhile([this] { return !ShotSettled(); }, kSettleLimit);
    const GameMap& map = *game_->Map();
    const bool landed = map.landings != landingsBefore;
    const ZoCell cell = landed ? map.landedCell : kNoCell;
    out_ << "shot " << shot << " landed " << cell.x << "," << cell.y << " burst "
         << (landed ? map.landedBurst : 0) << " fell " << map.ballsLoosened - loosenedBefore << " score "
         << map.score << "\n";
}

void Simulation::Menu() {
    // A click on the game screen's menu button, through the same input path as a player's.
    const ZoPanel* panel = game_->GetPanel(Game::kMenuPanel);
    const ZoBaseGuiElemen* button = panel != nullptr ? panel->FindElement(Game::kToMenuButton) : nullptr;
    if (button == nullptr || button->image == nullptr || !InGame()) {
        out_ << "menu not there\n";
        return;
    }
    const auto x = static_cast<std::int32_t>(button->image->position.x);
    const auto y = static_cast<std::int32_t>(button->image->position.y);
    Send(ZoInputEvent::kMouseMove, x, y);
    Click(x, y);
    const std::int32_t took = RunWhile([this] { return InGame(); }, kMenuLimit);
    if (InGame()) {
        out_ << "menu stayed in the game\n";
    } else {
        out_ << "menu left after " << took << " ms\n";
    }
}

std::string Simulation::Recorded() const {
    std::vector<std::int32_t> before = tableAtStart_.at(game_->GameID == Game::kArcade ? 1 : 0);
    std::string list;
    for (std::int32_t score : ScoresOf(game_->GameID)) {
        const auto known = std::find(before.begin(), before.end(), score);
        if (known != before.end()) {
            before.erase(known);
            continue;
        }
        list += (list.empty() ? "" : ",") + std::to_string(score);
    }
    return list.empty() ? "-1" : list;
}

void Simulation::Print(bool board) {
    const GameMap& map = *game_->Map();
    const BaseBubble* current = game_->GetShooter()->CurrentBubble();
    const BaseBubble* next = map.NextBubble();
    std::ostringstream text;
    text << "score=" << map.score << "\nrecorded=" << Recorded() << "\nbonus=" << map.TripleBonus
         << "\ncombo=" << map.LongestCombo << "\nmoves=" << map.NumMovesLeft << " begin=" << map.NumBeginMoves
         << " nextbegin=" << map.NextNumBeginMoves << " addlines=" << map.NumAddLines
         << "\ngamestate=" << GameValues().GameState << " mapstate=" << map.MapState
         << "\ncurrent=" << (current != nullptr ? current->BubbleID : -1)
         << " next=" << (next != nullptr ? next->BubbleID : -1);
    std::string lines = text.str();
    const GameGlobals& values = GameValues();
    if (!board) {
        // The same values on one line, the board reduced to the number of rows in use.
        std::replace(lines.begin(), lines.end(), '\n', ' ');
        std::int32_t rows = 0;
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            rows = map.IsRowEmpty(y) ? rows : y + 1;
        }
        out_ << lines << " rows=" << rows << "\n";
        return;
    }
    out_ << lines << "\n";
    for (std::int32_t y = 0; y < values.yMax; ++y) {
        out_ << "row " << y << ":";
        for (std::int32_t x = 0; x < values.xMax; ++x) {
            const BaseBubble* ball = map.Bubble(x, y);
            out_ << ' ' << (ball != nullptr ? static_cast<char>('0' + ball->BubbleID) : '.');
        }
        out_ << "\n";
    }
}

void Simulation::ReportErrors() {
    for (const std::string& text : errors_) {
        out_ << "error: " << text << "\n";
    }
    errors_.clear();
}
