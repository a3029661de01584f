#include "MenuTestSupport.h"

#include "GuiTestSupport.h"
#include "MenuDialogs.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace menutest {

void MenuFixture::SetUp() {
    ASSERT_TRUE(guitest::EnsureGuiWorld()) << "build the target gamedata first";
    static bool soundReady = false;
    if (!soundReady) {
        soundReady = true;
        ZoSoundManager::Instance().Init(255, 255);
        CreateMusicPlayLists();
    }
    char current[PATH_MAX];
    ASSERT_NE(getcwd(current, sizeof current), nullptr);
    previousFolder = current;
    const char* binary = std::getenv("KORRIK_BINARY_DIR");
    std::string pattern = std::string(binary != nullptr ? binary : "/tmp") + "/menu-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    ASSERT_EQ(chdir(folder.c_str()), 0);
    ASSERT_EQ(mkdir("Data", 0700), 0);
    // Everything the game keeps starts empty in the fresh folder.
    ZoProfileManager::Instance().LoadProfiles();
    ZoSysConfig::Instance().Load();
    SystemRandom().Seed(7);
    quitRequested = false;
}

void MenuFixture::TearDown() {
    windows.reset();
    ZoTopTables::Instance().Clear();
    ZoRenderDevice::Instance().SetApplication(nullptr);
    if (!previousFolder.empty()) {
        EXPECT_EQ(chdir(previousFolder.c_str()), 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void MenuFixture::BuildScreens() {
    windows = std::make_unique<ZoWindowManager>(record, [this] { quitRequested = true; });
    auto menuScreen = std::make_unique<MenuGui>();
    menu = menuScreen.get();
    windows->RegisterListener("MenuWin", std::move(menuScreen));
    BuildBaseMenuDialogs(*menu);
    BuildGameMenuDialogs(*menu);
    auto gameScreen = std::make_unique<Game>();
    game = gameScreen.get();
    game->Init();
    windows->RegisterListener("GameWin", std::move(gameScreen));
    windows->ActivateListener("MenuWin");
    ZoTopTables::Instance().CreateGameTables();
}

void MenuFixture::Frame(int milliseconds) {
    ZoEventListener* screen = windows->Active();
    screen->ProcessCommand();
    screen = windows->Active();
    screen->Update(milliseconds);
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.BeginFrame();
    screen->Draw();
    device.EndFrame();
}

void MenuFixture::Settle() {
    for (int i = 0; i < 300; ++i) {
        bool fading = false;
        for (const ZoPanel* panel : menu->OpenPanels())
            fading = fading || panel->state != ZoPanel::Steady;
        if (!fading)
            return;
        windows->Active()->ProcessCommand(), windows->Active()->Update(16); // no drawing while it settles
    }
    ADD_FAILURE() << "a menu panel never stopped fading";
}

ZoBaseGuiElemen* MenuFixture::Widget(const std::string& panelName, const std::string& widgetName) const {
    const ZoPanel* panel = menu->GetPanel(panelName);
    return panel != nullptr ? panel->FindElement(widgetName) : nullptr;
}

void MenuFixture::ClickAt(int x, int y) {
    ZoInputEvent move = guitest::MouseMoveTo(x, y);
    windows->Active()->OnEvent(move);
    ZoInputEvent down = guitest::LeftDown(x, y);
    windows->Active()->OnEvent(down);
    ZoInputEvent up = guitest::LeftUp(x, y);
    windows->Active()->OnEvent(up);
    Frame();
}

void MenuFixture::Click(const std::string& panelName, const std::string& widgetName) {
    Settle();
    ZoBaseGuiElemen* widget = Widget(panelName, widgetName);
    ASSERT_NE(widget, nullptr) << panelName << " has no " << widgetName;
    ASSERT_NE(widget->Image(), nullptr) << widgetName;
    ClickAt(static_cast<int>(widget->Image()->position.x), static_cast<int>(widget->Image()->position.y));
}

void MenuFixture::Key(std::uint8_t key) {
    ZoInputEvent down = guitest::KeyDown(key);
    windows->Active()->OnEvent(down);
    Frame();
}

void MenuFixture::Type(const std::string& text) {
    for (char character : text) {
        ZoInputEvent typed = guitest::CharTyped(character);
        windows->Active()->OnEvent(typed);
    }
    Frame();
}

bool MenuFixture::IsOpen(const std::string& panelName) const {
    const ZoPanel* panel = menu->GetPanel(panelName);
    for (const ZoPanel* open : menu->OpenPanels())
        if (open == panel)
            return true;
    return false;
}

std::string MenuFixture::ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace menutest
