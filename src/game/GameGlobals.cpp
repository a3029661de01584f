#include "GameGlobals.h"

#include "ZoSoundManager.h"

GameGlobals& GameValues() {
    static GameGlobals values;
    return values;
}

void PlayGameSound(std::int32_t id) {
    ZoSoundManager* output = GameValues().soundOutput;
    if (output == nullptr) {
        output = &ZoSoundManager::Instance();
    }
    output->PlaySound(id);
}

BubbleTint TintOfBubble(std::int32_t bubbleId) {
    static constexpr BubbleTint kTints[kBubbleColours] = {{140, 154, 232}, {255, 145, 105}, {99, 206, 91},
                                                          {255, 242, 35},  {230, 141, 213}, {255, 255, 255}};
    if (bubbleId < 0 || bubbleId >= kBubbleColours) {
        return {255, 255, 255};
    }
    return kTints[bubbleId];
}
