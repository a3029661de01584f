// The menu screen and the game screen set up headless as the application does, in a private folder.
#pragma once

#include "Game.h"
#include "MenuGui.h"
#include "ZoInputEvent.h"
#include "ZoWindowManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace menutest {

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds both screens and every dialog; the game and menu screens' profiles are the game's own.
    void BuildScreens();
    // One frame of the active screen as the application runs it: command, update, draw.
    void Frame(int milliseconds = 16);
    // Frames until no open panel of the menu is fading (at most a few seconds of them).
    void Settle();
    // A real click (move, press, release) on a widget of a menu panel, then one frame.
    void Click(const std::string& panelName, const std::string& widgetName);
    void ClickAt(int x, int y);
    void Key(std::uint8_t key);
    void Type(const std::string& text);
    bool IsOpen(const std::string& panelName) const;
    ZoBaseGuiElemen* Widget(const std::string& panelName, const std::string& widgetName) const;
    // The bytes of a file of the private folder; empty when missing.
    static std::string ReadFile(const std::string& path);

    std::string folder;
    std::string previousFolder;
    ZoInputEvent record;
    bool quitRequested = false;
    std::unique_ptr<ZoWindowManager> windows;
    MenuGui* menu = nullptr;
    Game* game = nullptr;
};

} // namespace menutest
