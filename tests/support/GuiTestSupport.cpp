#include "GuiTestSupport.h"

#include "PlatformVideo.h"
#include "ZoBitmapFont.h"
#include "ZoEngineDefs.h"
#include "ZoGuiSound.h"
#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"
#include "ZoShowError.h"
#include "ZoSoundManager.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>

namespace guitest {

namespace {
std::string Folder(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? value : ".";
}

std::uint32_t Position(int x, int y) {
    return static_cast<std::uint32_t>(x & 0xFFFF) | (static_cast<std::uint32_t>(y & 0xFFFF) << 16);
}

// One record for the whole process, as the game has; moves leave the position clicks use.
ZoInputEvent& Record() {
    static ZoInputEvent record;
    return record;
}
} // namespace

bool EnsureGuiWorld() {
    static bool ready = false;
    static bool ok = false;
    if (ready) {
        return ok;
    }
    ready = true;
    SetErrorHandler([](const std::string&) {});
    const std::string data = Folder("KORRIK_BINARY_DIR") + "/Data/";
    ok = ZoResourceManager::Instance().Open(data + "Resource.Zor") &&
         ZoResourceManager::Instance().Open(data + "Lang.Zor") &&
         PlatformVideo::Instance().OpenWindow("Korrik Shooter", true) &&
         ZoRenderDevice::Instance().Create() == 0;
    if (!ok) {
        return false;
    }
    auto mainFont = std::make_unique<ZoBitmapFont>();
    auto digits = std::make_unique<ZoBitmapFont>();
    ok = mainFont->LoadFont("MainFont") && digits->LoadFont("Digits") && ZoEngineDefs::Load();
    ZoFontRegistry::Instance().Register(0, std::move(mainFont));
    ZoFontRegistry::Instance().Register(1, std::move(digits));
    return ok;
}

ZoInputEvent MouseMoveTo(int x, int y) {
    Record().Translate(ZoInputEvent::kMouseMove, 0, Position(x, y));
    return Record();
}

ZoInputEvent LeftDown(int x, int y) {
    MouseMoveTo(x, y);
    Record().Translate(ZoInputEvent::kLeftButtonDown, 0, Position(x, y));
    return Record();
}

ZoInputEvent LeftUp(int x, int y) {
    MouseMoveTo(x, y);
    Record().Translate(ZoInputEvent::kLeftButtonUp, 0, Position(x, y));
    return Record();
}

ZoInputEvent KeyDown(std::uint8_t key) {
    Record().Translate(ZoInputEvent::kKeyDown, key, 0);
    return Record();
}

ZoInputEvent CharTyped(char character) {
    Record().Translate(ZoInputEvent::kChar, static_cast<std::uint8_t>(character), 0);
    return Record();
}

InterfaceEar::InterfaceEar() : SoundEar({1, 2, 3, 4, 5}, ZoGuiSound::SetOutput) {}

std::vector<std::uint8_t> DrawFrame(ZoPanelHost& host) {
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.Invalidate();
    device.BeginFrame();
    host.Draw();
    device.EndFrame();
    return device.ReadFramePixels();
}

Rgb PixelAt(const std::vector<std::uint8_t>& frame, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)) * 4;
    return Rgb{frame[at], frame[at + 1], frame[at + 2]};
}

std::string SavePng(const std::vector<std::uint8_t>& frame, const std::string& name) {
    const std::string path = Folder("KORRIK_BINARY_DIR") + "/" + name + ".png";
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(frame.data()), 800,
                                                              600, 32, 800 * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        return std::string();
    }
    const int written = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return written == 0 ? path : std::string();
}

int UpdateUntilSteady(ZoPanelHost& host, int step, int limit) {
    for (int count = 1; count <= limit; ++count) {
        host.Update(step);
        if (host.TopPanel() == nullptr || host.TopPanel()->state == ZoPanel::Steady) {
            return count;
        }
    }
    return limit;
}

} // namespace guitest
