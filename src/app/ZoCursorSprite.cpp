#include "ZoCursorSprite.h"

namespace {
ZoCursorSprite*& Current() {
    static ZoCursorSprite* current = nullptr;
    return current;
}
} // namespace

ZoCursorSprite::ZoCursorSprite() : picture_(std::make_unique<ZoClip>()) {
    picture_->Load(kPictureName, false);
    picture_->Animation().Setup(1, AnimNone, 1, 1);
    previous_ = Current();
    Current() = this;
}

ZoCursorSprite::~ZoCursorSprite() {
    if (Current() == this)
        Current() = previous_;
}

ZoCursorSprite* ZoCursorSprite::Instance() {
    return Current();
}
