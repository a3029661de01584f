// The application frame: window, render device, load screen, message pump and the frame loop.
#pragma once

#include "PlatformEvents.h"
#include "ZoClip.h"
#include "ZoCursorSprite.h"
#include "ZoFramePacer.h"
#include "ZoInputEvent.h"
#include "ZoProgressBar.h"
#include "ZoRenderDevice.h"
#include "ZoWindowManager.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ZoBaseApplication : public ZoDeviceHost {
public:
    static constexpr const char* kClassName = "3D";
    static constexpr const char* kTitle = "Korrik Shooter";
    static constexpr const char* kLoadScreenName = "LoadScreen";
    // While minimised the loop sleeps in the event wait; this only bounds how long one wait lasts.
    static constexpr std::uint32_t kIdleWaitMilliseconds = 500;

    ZoBaseApplication();
    ~ZoBaseApplication() override;
    ZoBaseApplication(const ZoBaseApplication&) = delete;
    ZoBaseApplication& operator=(const ZoBaseApplication&) = delete;

    // One whole frame: PrepareFrame, UpdateFrame, the cursor, PresentFrame.
    virtual void RunFrame();
    // Timer tick, then the render device's BeginFrame.
    virtual void PrepareFrame();
    virtual void UpdateFrame() {}
    // The render device's EndFrame.
    virtual void PresentFrame();

    // Window, input record, window manager, render device and load screen. False without a device.
    bool Create(const std::string& className, const std::string& title);
    void CreateMainWindow() override;
    bool DestroyMainWindow() override;
    // The engine definitions from the archives, then the options.
    bool LoadEngineDefs();
    // Draws one whole frame of the load screen with the bar at percent.
    void SetProgress(std::int32_t percent);
    void FreeLoadScreen();
    // The message pump and frame loop; returns when the window closes or a quit was requested.
    void Run();
    // Input record, render device and window go, in that order.
    void Shutdown();

    // The window procedure: one platform message.
    void WindowProcedure(const PlatformMessage& message);
    // Pause and resume: frames stop and all sound pauses while inactive.
    void Deactivate();
    void Activate();
    bool IsActive() const { return active_; }
    // Sets the quit flag; Run ends before its next pass.
    void RequestQuit() { quit_ = true; }
    bool QuitRequested() const { return quit_; }

    // The system cursor's display state is counted by the platform; these keep one hide per show.
    void HideSystemCursor();
    void ShowSystemCursor();
    bool SystemCursorShown() const { return systemCursorShown_; }

    ZoWindowManager* WindowManager() const { return windowManager_.get(); }
    ZoInputEvent* InputEvent() const { return inputEvent_.get(); }
    PlatformEvents* Events() const { return events_.get(); }
    ZoClip* LoadScreenPicture() const { return loadScreen_.get(); }
    ZoProgressBar* ProgressBar() const { return progressBar_.get(); }
    ZoCursorSprite* Cursor() const { return cursor_.get(); }
    const std::string& ClassName() const { return className_; }
    const std::string& Title() const { return title_; }

    // For scripted runs and measurements: a look at every SetProgress, a call after every frame,
    // and the pacing of frames to the display (on unless switched off).
    void SetProgressHook(std::function<void(std::int32_t)> hook) { progressHook_ = std::move(hook); }
    void SetFrameHook(std::function<void(ZoBaseApplication&)> hook) { frameHook_ = std::move(hook); }
    void SetFramePacing(bool enabled) { framePacing_ = enabled; }
    std::uint64_t FramesRun() const { return framesRun_; }

protected:
    std::unique_ptr<ZoCursorSprite> cursor_;

private:
    // False when the message was the end of the loop.
    bool Handle(const PlatformMessage& message);
    void DrawCursor();
    void ServiceOtherParts();

    bool quit_ = false;
    bool active_ = false;
    bool systemCursorShown_ = true;
    bool framePacing_ = true;
    std::string className_;
    std::string title_;
    std::unique_ptr<ZoInputEvent> inputEvent_;
    std::unique_ptr<ZoWindowManager> windowManager_;
    std::unique_ptr<PlatformEvents> events_;
    std::unique_ptr<ZoClip> loadScreen_;
    std::unique_ptr<ZoProgressBar> progressBar_;
    ZoFramePacer pacer_;
    std::function<void(std::int32_t)> progressHook_;
    std::function<void(ZoBaseApplication&)> frameHook_;
    std::uint64_t framesRun_ = 0;
};
