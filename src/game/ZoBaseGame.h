// The game-side operations the menu calls on the game screen: is there a game, end it, load and save it.
#pragma once

class ZoBaseGame {
public:
    ZoBaseGame() = default;
    virtual ~ZoBaseGame() = default;
    ZoBaseGame(const ZoBaseGame&) = delete;
    ZoBaseGame& operator=(const ZoBaseGame&) = delete;

    virtual bool HasGame() const = 0;
    virtual bool IsFinished() const = 0;
    virtual void Abandon() = 0;
    virtual void SetFinished() = 0;
    virtual bool Load() = 0;
    virtual bool Save() = 0;
};
