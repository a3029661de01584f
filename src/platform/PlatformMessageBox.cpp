#include "PlatformMessageBox.h"

#include "ZoShowError.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

PlatformMessageBox& PlatformMessageBox::Instance() {
    static PlatformMessageBox box;
    return box;
}

void PlatformMessageBox::Install() {
    SetErrorHandler([this](const std::string& text) { Show(text); });
}

bool PlatformMessageBox::Headless() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr)
        driver = SDL_GetHint(SDL_HINT_VIDEODRIVER); // SDL reads SDL_VIDEODRIVER the same way
    if (driver == nullptr)
        return false;
    return std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

void PlatformMessageBox::Show(const std::string& text) {
    if (Headless()) {
        captured_.push_back(text);
        std::fprintf(stderr, "Error: %s\n", text.c_str());
        return;
    }
    // Without any display the box cannot appear; the text must not vanish silently.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text.c_str(), nullptr) != 0)
        std::fprintf(stderr, "Error: %s\n", text.c_str());
}
