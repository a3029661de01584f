#include "MenuDialogs.h"

#include "ZoBaseMenuGui.h"
#include "ZoBitmapFont.h"
#include "ZoButton.h"
#include "ZoCheckBox.h"
#include "ZoCheckBoxGroup.h"
#include "ZoDialogPanel.h"
#include "ZoHelpDialog.h"
#include "ZoLanguage.h"
#include "ZoProfileDlg.h"
#include "ZoRenderDevice.h"
#include "ZoScoreDlg.h"
#include "ZoSlider.h"
#include "ZoSysConfig.h"
#include "ZoTextDialogPanel.h"

#include <memory>
#include <string>

namespace {

constexpr std::int32_t kMessageFont = 0;

// A small yes/no panel with a message from the language file.
std::unique_ptr<ZoDialogPanel> Confirmation(const std::string& messageKey) {
    auto dialog = std::make_unique<ZoDialogPanel>();
    dialog->SetMessageFont(kMessageFont);
    dialog->SetMessage(ZoLanguage::Instance().GetText(messageKey));
    dialog->Create("Interface/vSmlDialog");
    return dialog;
}

void AddMainMenu(ZoBaseMenuGui& menu, MenuBaseDialogs& built) {
    auto panel = std::make_unique<ZoPanel>();
    panel->Create("MainMenu");
    // Its picture covers the whole screen: the darkening behind it would only cost time.
    panel->drawOverlay = false;
    ZoPanel* mainMenu = menu.AddPanel("MainMenuDlg", std::move(panel));
    // Two buttons of one name: the first greets the player, the second invites a change.
    mainMenu->AddButton("Interface/ChangeProfileTr", 76.0f, 21.0f, "MainMenuDlg.Profile",
                        ZoPanel::kRolePlain);
    ZoButton* invitation = mainMenu->AddButton("Interface/ChangeProfileTr", 76.0f, 25.0f,
                                               "MainMenuDlg.Profile", ZoPanel::kRolePlain);
    invitation->caption = "(Click To Change Player)";
    invitation->captionSwitch = 0;
    built.continueButton =
        mainMenu->AddButton("Interface/Continue", 0.0f, 0.0f, "MainMenuDlg.Continue", ZoPanel::kRolePlain);
    mainMenu->AddButton("Interface/Options", 0.0f, 0.0f, "MainMenuDlg.Options", ZoPanel::kRolePlain);
    mainMenu->AddButton("Interface/Help", 0.0f, 0.0f, "MainMenuDlg.Help", ZoPanel::kRolePlain);
    mainMenu->AddButton("Interface/Score", 0.0f, 0.0f, "MainMenuDlg.Score", ZoPanel::kRolePlain);
    mainMenu->AddButton("Interface/Exit", 0.0f, 0.0f, "MainMenuDlg.Exit", ZoPanel::kRolePlain);
    auto grass = std::make_unique<ZoBaseGuiElemen>();
    grass->LoadImage("MenuGrass");
    if (ZoClip* picture = grass->Image())
        picture->position =
            ZoVector(static_cast<float>(picture->Width()) / 2.0f,
                     ZoRenderDevice::kScreenHeight - static_cast<float>(picture->Height()) / 2.0f, 0.0f);
    mainMenu->AddElement("Null", std::move(grass));
    built.mainMenu = mainMenu;
}

void AddOptions(ZoBaseMenuGui& menu) {
    const ZoSysConfig& options = ZoSysConfig::Instance();
    auto dialog = std::make_unique<ZoDialogPanel>();
    dialog->Create("Interface/OptionsDlg");
    dialog->AddButton("Interface/BtnOk", 50.0f, 90.0f, "OptionsDlg.Ok", ZoPanel::kRoleCancel);
    const float sliderRows[2] = {226.0f, 285.0f};
    const char* const sliderNames[2] = {"OptionsDlg.SoundSlider", "OptionsDlg.MusicSlider"};
    const std::int32_t sliderValues[2] = {options.soundVolume, options.musicVolume};
    for (int i = 0; i < 2; ++i) {
        auto slider = std::make_unique<ZoSlider>();
        slider->Create("Interface/Slider", "Interface/SliderThumb", 0, 255, 15);
        if (ZoClip* bar = slider->Image())
            bar->position = ZoVector(400.0f, sliderRows[i], 0.0f);
        slider->value = sliderValues[i];
        slider->captionSwitch = 1;
        slider->captionAlignment = 0;
        dialog->AddElement(sliderNames[i], std::move(slider));
    }
    // Two boxes share the row under the sliders, each with its word on its left.
    struct Box {
        const char* name;
        const char* caption;
        float x;
        bool checked;
    };
    for (const Box& row : {Box{"OptionsDlg.WindowedCheckBox", "Full screen", 330.0f, !options.windowed},
                           Box{"OptionsDlg.AimingGuide", "Aiming guide", 590.0f, options.aimingGuide}}) {
        auto box = std::make_unique<ZoCheckBox>();
        box->LoadImage("Interface/CheckBox");
        if (ZoClip* picture = box->Image())
            picture->position = ZoVector(row.x, 325.0f, 0.0f);
        box->captionSwitch = 1;
        box->caption = row.caption;
        box->captionAlignment = ZoBitmapFont::kAlignRight;
        box->checked = row.checked;
        dialog->AddElement(row.name, std::move(box));
    }
    auto group = std::make_unique<ZoCheckBoxGroup>();
    group->ownName = "OptionsDlg.Difficult";
    const char* const levels[3] = {"OptionsDlg.Easy", "OptionsDlg.Normal", "OptionsDlg.Hard"};
    const char* const labels[3] = {"Easy", "Normal", "Hard"};
    const float columns[3] = {276.0f, 410.0f, 540.0f};
    for (int i = 0; i < 3; ++i)
        group->AddCheckBox(levels[i], labels[i], 1, columns[i], 405.0f, 0.0f)->captionAlignment =
            ZoBitmapFont::kAlignLeft;
    if (options.difficulty >= 0 && options.difficulty <= 2)
        group->Check(levels[options.difficulty]);
    dialog->AddElement("OptionsDlg.Difficult", std::move(group));
    menu.AddPanel("OptionsDlg", std::move(dialog));

    auto change = Confirmation("DifficultChange");
    change->AddButton("Interface/Yes", 20.0f, 80.0f, "DiffChangeDlg.Ok", ZoPanel::kRolePlain);
    change->AddButton("Interface/No", 80.0f, 80.0f, "DiffChangeDlg.Cancel", ZoPanel::kRoleCancel);
    menu.AddPanel("DiffChangeDlg", std::move(change));
}

void AddHelpAndCredits(ZoBaseMenuGui& menu) {
    auto help = std::make_unique<ZoHelpDialog>();
    help->Create("Help");
    help->Hook();
    help->AddButton("Interface/Menu", 77.0f, 93.0f, "HelpBackToMenu", ZoPanel::kRoleCancel);
    help->AddButton("Interface/Credits", 28.0f, 93.0f, "Help.Credits", ZoPanel::kRolePlain);
    struct Text {
        const char* key;
        float px, py;
    };
    // The language file holds the words, so the help names the modes as the menu does.
    const Text texts[3] = {
        {"HelpClassic", 5.0f, 50.0f}, {"HelpArcade", 5.0f, 65.0f}, {"HelpRules", 5.0f, 23.0f}};
    for (const Text& text : texts) {
        auto paragraph = std::make_unique<ZoParagraph>();
        paragraph->SetColour(255.0f, 255.0f, 255.0f, 255.0f);
        paragraph->alignment = 2;
        paragraph->SetFont(0);
        paragraph->SetText(ZoLanguage::Instance().GetText(text.key));
        paragraph->position = help->PanelPoint(text.px, text.py);
        help->AddParagraph(std::move(paragraph));
    }
    menu.AddPanel("HelpDlg", std::move(help));

    auto credits = std::make_unique<ZoDialogPanel>();
    credits->Create("Interface/CreditsDlg");
    credits->AddButton("Interface/BtnOk", 50.0f, 90.0f, "CreditsDlg.Ok", ZoPanel::kRoleCancel);
    menu.AddPanel("CreditsDlg", std::move(credits));
}

} // namespace

MenuBaseDialogs BuildBaseMenuDialogs(ZoBaseMenuGui& menu) {
    MenuBaseDialogs built;
    auto profile = std::make_unique<ZoProfileDlg>();
    profile->SetProfiles(&menu.Profiles());
    profile->Create("Interface/ProfileDlg");
    profile->Rebuild();
    menu.AddPanel("ProfileDlg", std::move(profile));

    auto nameEntry = std::make_unique<ZoTextDialogPanel>();
    nameEntry->SetProfiles(&menu.Profiles());
    nameEntry->SetMessageFont(kMessageFont);
    nameEntry->Create("Interface/EditDialog");
    menu.AddPanel("PlayerNameDlg", std::move(nameEntry));

    auto deletion = Confirmation("ConfirmDeletePlayer");
    deletion->AddButton("Interface/Yes", 25.0f, 80.0f, "DeletePlayerNameDlg.Ok", ZoPanel::kRoleDefault);
    deletion->AddButton("Interface/No", 75.0f, 80.0f, "DeletePlayerNameDlg.Cancel", ZoPanel::kRoleCancel);
    menu.AddPanel("DeletePlayerNameDlg", std::move(deletion));

    auto score = std::make_unique<ZoScoreDlg>();
    score->Create("Interface/ScoreDlg");
    menu.AddPanel("ScoreDlg", std::move(score));

    auto clear = Confirmation("ConfirmClearTable");
    clear->AddButton("Interface/BtnOk", 25.0f, 80.0f, "ConfirmScoreClearDlg.Ok", ZoPanel::kRoleDefault);
    clear->AddButton("Interface/BtnCancel", 75.0f, 80.0f, "ConfirmScoreClearDlg.Cancel",
                     ZoPanel::kRoleCancel);
    menu.AddPanel("ConfirmScoreClearDlg", std::move(clear));

    AddMainMenu(menu, built);
    return built;
}

void BuildGameMenuDialogs(ZoBaseMenuGui& menu) {
    auto confirm = Confirmation("ConrirmStart");
    confirm->AddButton("Interface/StartNew", 80.0f, 80.0f, "ConfirmGameDlg.Ok", ZoPanel::kRolePlain);
    confirm->AddButton("Interface/Continue", 20.0f, 80.0f, "ConfirmGameDlg.Continue", ZoPanel::kRolePlain);
    menu.AddPanel("ConfirmGameDlg", std::move(confirm));
    AddOptions(menu);
    AddHelpAndCredits(menu);

    if (auto* score = dynamic_cast<ZoScoreDlg*>(menu.GetPanel("ScoreDlg"))) {
        score->requestedTable = 0;
        score->shownTable = 0;
    }
    ZoPanel* mainMenu = menu.GetPanel("MainMenuDlg");
    if (mainMenu == nullptr)
        return;
    mainMenu->AddButton("Interface/ClassicGame", 20.0f, 34.0f, "MainMenuDlg.Classic", ZoPanel::kRolePlain);
    mainMenu->AddButton("Interface/ArcadeGame", 21.0f, 44.0f, "MainMenuDlg.Arcade", ZoPanel::kRolePlain);
    mainMenu->PlaceElementByName(19.0f, 25.0f, "MainMenuDlg.Continue");
    mainMenu->PlaceElementByName(21.5f, 53.5f, "MainMenuDlg.Options");
    mainMenu->PlaceElementByName(18.0f, 64.0f, "MainMenuDlg.Help");
    mainMenu->PlaceElementByName(18.0f, 72.0f, "MainMenuDlg.Score");
    mainMenu->PlaceElementByName(22.0f, 82.0f, "MainMenuDlg.Exit");
    menu.OpenPanel("MainMenuDlg");
}
