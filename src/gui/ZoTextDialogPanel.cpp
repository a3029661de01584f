#include "ZoTextDialogPanel.h"

#include "ZoBitmapFont.h"
#include "ZoEngineDefs.h"
#include "ZoGuiSound.h"
#include "ZoProfileManager.h"
#include "ZoTruncate.h"

#include <algorithm>

void ZoTextDialogPanel::Init() {
    arrowKeysWalk = false;
    ZoTextTree& definitions = ZoEngineDefs::Tree();
    inputWidth = definitions.GetInt("EnterNameDlg.InputWidth", 0);
    okPosition = definitions.GetVector("EnterNameDlg.OkButtonPos", ',');
    cancelPosition = definitions.GetVector("EnterNameDlg.CancelButtonPos", ',');
    textPosition = definitions.GetVector("EnterNameDlg.TextPos", ',');
    AddButton("Interface/BtnOk", okPosition.x, okPosition.y, "PlayerNameDlg.Ok", kRoleDefault);
    AddButton("Interface/BtnCancel", cancelPosition.x, cancelPosition.y, "PlayerNameDlg.Cancel", kRoleCancel);
    text.clear();
    cursor = std::make_unique<ZoClip>();
    cursor->Load("Interface/CursorBlink", false);
    cursor->Animation().Setup(768, AnimLoop, 2, 1);
}

ZoProfileManager& ZoTextDialogPanel::Profiles() const {
    return profiles_ != nullptr ? *profiles_ : ZoProfileManager::Instance();
}

void ZoTextDialogPanel::Open() {
    ZoPanel::Open();
    text.clear();
}

void ZoTextDialogPanel::Update(std::int32_t elapsed) {
    ZoPanel::Update(elapsed);
    if (cursor != nullptr) {
        cursor->Update(elapsed);
    }
}

bool ZoTextDialogPanel::AcceptChar(char character) {
    const bool letterOrDigit = (character >= '0' && character <= '9') ||
                               (character >= 'A' && character <= 'Z') ||
                               (character >= 'a' && character <= 'z');
    if (letterOrDigit) {
        ZoGuiSound::Play(ZoGuiSound::kType);
        if (defaultButton != nullptr) {
            defaultButton->Enable();
        }
        return true;
    }
    return character == ' ';
}

void ZoTextDialogPanel::Draw() {
    if (defaultButton != nullptr) {
        if (HasVisibleText()) {
            defaultButton->Enable();
        } else {
            defaultButton->Disable();
        }
    }
    // The first player must give a name.
    if (cancelButton != nullptr) {
        if (Profiles().IsEmpty()) {
            cancelButton->Disable();
        } else {
            cancelButton->Enable();
        }
    }
    ZoDialogPanel::Draw();
    messageFont = 0;
    ZoBitmapFont* font = ZoFontRegistry::Instance().Get(messageFont);
    if (font == nullptr || cursor == nullptr) {
        return;
    }
    font->SetColour(red, green, blue, alpha);
    ZoVector after;
    font->DrawText(TruncateToInt(textPosition.x), TruncateToInt(textPosition.y), text.c_str(),
                   ZoBitmapFont::kAlignCentre, &after);
    // The pen stops CharDist short of the last glyph's edge (the letters overlap a little); the caret
    // stands a pixel past that edge, its frame centred half a frame further on.
    const float frameWidth = static_cast<float>(cursor->Width() / std::max(1, cursor->Animation().columns));
    cursor->position.x = after.x - static_cast<float>(font->CharDist) + 1.0f + frameWidth / 2.0f;
    cursor->position.y = after.y;
    cursor->alpha = alpha;
    cursor->Draw();
}

bool ZoTextDialogPanel::HandleInput(const ZoInputEvent& event) {
    // Return is OK here whatever the keys have focused.
    if (event.key == kReturnKey && event.message == ZoInputEvent::kKeyDown) {
        // OK follows the text only when drawn; a blank text must not slip through in between.
        if (defaultButton == nullptr || defaultButton->disabled || !HasVisibleText()) {
            return false;
        }
        Press(defaultButton);
        return true;
    }
    ZoPanel::HandleInput(event);
    if (event.device != ZoInputEvent::kDeviceKeyboard) {
        return false;
    }
    if (event.key == kBackspaceKey && event.message == ZoInputEvent::kKeyDown) {
        if (!text.empty()) {
            text.pop_back();
        }
        return true;
    }
    const char character = static_cast<char>(event.key);
    if (event.message == ZoInputEvent::kChar && AcceptChar(character)) {
        const ZoBitmapFont* font = ZoFontRegistry::Instance().Get(messageFont);
        if (font != nullptr && font->MeasureText(text + character) < inputWidth) {
            text += character;
        }
        return true;
    }
    return true;
}
