#include "ZoGuiSound.h"

#include "ZoSoundManager.h"

namespace {
ZoSoundManager*& Output() {
    static ZoSoundManager* output = nullptr;
    return output;
}
} // namespace

void ZoGuiSound::Play(std::int32_t id) {
    ZoSoundManager* manager = Output();
    (manager != nullptr ? *manager : ZoSoundManager::Instance()).PlaySound(id);
}

void ZoGuiSound::SetOutput(ZoSoundManager* manager) {
    Output() = manager;
}
