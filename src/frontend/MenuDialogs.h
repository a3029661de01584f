// Builds the menu's dialogs in the two steps of start-up: the base set, then the game's own ones.
#pragma once

class ZoBaseGuiElemen;
class ZoBaseMenuGui;
class ZoPanel;

struct MenuBaseDialogs {
    ZoPanel* mainMenu = nullptr;
    ZoBaseGuiElemen* continueButton = nullptr;
};

// Profile, player-name, delete-player, score and clear-confirmation dialogs, and the main menu with
// its player buttons and the five buttons from Continue to Exit (placed later).
MenuBaseDialogs BuildBaseMenuDialogs(ZoBaseMenuGui& menu);

// Confirm-game, options, difficulty-change, help and credits dialogs, the two game buttons, the places
// of the main menu's buttons; opens the main menu, which stays at the bottom of the stack.
void BuildGameMenuDialogs(ZoBaseMenuGui& menu);
