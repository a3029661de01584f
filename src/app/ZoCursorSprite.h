// The mouse cursor picture the game draws at the pointer in place of the system cursor.
#pragma once

#include "ZoClip.h"

#include <memory>

class ZoCursorSprite {
public:
    static constexpr const char* kPictureName = "Cursor";

    // Loads the picture; the newest cursor is the one Instance() gives.
    ZoCursorSprite();
    ~ZoCursorSprite();
    ZoCursorSprite(const ZoCursorSprite&) = delete;
    ZoCursorSprite& operator=(const ZoCursorSprite&) = delete;

    // The live cursor of the application (the game tints it with the colour about to be fired), or null.
    static ZoCursorSprite* Instance();

    ZoClip& Picture() { return *picture_; }
    void MoveTo(const ZoVector& position) { picture_->SetPosition(position.x, position.y); }
    // The colour of the ball about to be fired; white for none.
    void Tint(float red, float green, float blue) { picture_->SetColour(red, green, blue, 255.0f); }
    void Draw() { picture_->Draw(); }

private:
    std::unique_ptr<ZoClip> picture_;
    ZoCursorSprite* previous_ = nullptr;
};
