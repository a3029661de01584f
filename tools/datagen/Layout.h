// Sizes and places the interface pictures are drawn for; "Data/EngineDefs.Txt" and "Data/Map.Txt" agree.
#pragma once

struct PanelSize {
    int width, height;
};

constexpr PanelSize kSmallDialog{640, 250};   // "Interface/vSmlDialog": wide enough for two menu buttons
constexpr PanelSize kEditDialog{480, 250};    // "Interface/EditDialog"
constexpr PanelSize kPauseDialog{440, 250};   // "Interface/PauseDlg"
constexpr PanelSize kOptionsDialog{520, 420}; // "Interface/OptionsDlg"
constexpr PanelSize kCreditsDialog{520, 420}; // "Interface/CreditsDlg"
constexpr PanelSize kProfileDialog{520, 440}; // "Interface/ProfileDlg"
constexpr PanelSize kScoreDialog{560, 500};   // "Interface/ScoreDlg"
constexpr PanelSize kEndDialog{440, 330};     // "Interface/GameOverDlg", "Interface/GameComplDlg"

constexpr int kMenuButtonWidth = 200, kMenuButtonHeight = 46;
constexpr int kSmallButtonWidth = 140, kSmallButtonHeight = 44;

// Score table rows (screen pixels).
constexpr int kScoreTop = 182, kScoreLineStep = 27, kScoreNumberX = 222, kScoreNameX = 246, kScoreX = 580;
constexpr int kScoreTitleY = 114;
// Options dialog widgets (screen pixels, fixed by the game).
constexpr int kSoundSliderY = 226, kMusicSliderY = 285, kWindowedBox[2] = {330, 325},
              kGuideBox[2] = {590, 325};
constexpr int kDifficultyY = 405, kDifficultyX[3] = {276, 410, 540};
// End panels: rows of score, bonus and total as percentages of the panel height; numbers start at 52 %.
constexpr int kEndRowPercent[3] = {38, 53, 68};
constexpr int kEndNumberPercent = 52;
