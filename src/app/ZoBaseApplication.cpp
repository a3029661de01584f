#include "ZoBaseApplication.h"

#include "PlatformClock.h"
#include "ImageDecoder.h"
#include "PlatformVideo.h"
#include "ZoBitmapFont.h"
#include "ZoEngineDefs.h"
#include "ZoRandom.h"
#include "ZoResourceManager.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTimer.h"

#include <ctime>

// The window procedure hands platform messages to the input record unchanged.
static_assert(PlatformMessageCode::kKeyDown == ZoInputEvent::kKeyDown);
static_assert(PlatformMessageCode::kKeyUp == ZoInputEvent::kKeyUp);
static_assert(PlatformMessageCode::kChar == ZoInputEvent::kChar);
static_assert(PlatformMessageCode::kMouseMove == ZoInputEvent::kMouseMove);
static_assert(PlatformMessageCode::kLeftDown == ZoInputEvent::kLeftButtonDown);
static_assert(PlatformMessageCode::kLeftUp == ZoInputEvent::kLeftButtonUp);
static_assert(PlatformMessageCode::kRightDown == ZoInputEvent::kRightButtonDown);
static_assert(PlatformMessageCode::kRightUp == ZoInputEvent::kRightButtonUp);
static_assert(PlatformMessageCode::kPadButtonDown == ZoInputEvent::kPadButtonDown);
static_assert(PlatformMessageCode::kPadButtonUp == ZoInputEvent::kPadButtonUp);
static_assert(PlatformMessageCode::kPadStick == ZoInputEvent::kPadStick);

ZoBaseApplication::ZoBaseApplication() = default;

ZoBaseApplication::~ZoBaseApplication() {
    // The screens go first: they may still hold pictures and fonts.
    windowManager_.reset();
    ZoFontRegistry::Instance().Clear();
    cursor_.reset();
    loadScreen_.reset();
    progressBar_.reset();
    if (ZoRenderDevice::Instance().IsCreated())
        ZoRenderDevice::Instance().SetApplication(nullptr);
}

bool ZoBaseApplication::Create(const std::string& className, const std::string& title) {
    active_ = true;
    className_ = className;
    title_ = title;
    inputEvent_ = std::make_unique<ZoInputEvent>();
    windowManager_ = std::make_unique<ZoWindowManager>(*inputEvent_, [this] { RequestQuit(); });
    CreateMainWindow();
    events_ = std::make_unique<PlatformEvents>();
    events_->SetFrameMapper([](int windowX, int windowY, int& frameX, int& frameY) {
        PlatformVideo::Instance().MapToFrame(windowX, windowY, frameX, frameY);
    });
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    if (device.Create() < 0)
        return false;
    device.SetApplication(this);
    const std::string icon = ZoResourceManager::Instance().GetFileText("Data/Textures/Icon.Tga");
    DecodedImage iconPicture;
    if (ImageDecoder::Decode(reinterpret_cast<const std::uint8_t*>(icon.data()), icon.size(), iconPicture))
        PlatformVideo::Instance().SetWindowIcon(iconPicture.width, iconPicture.height, iconPicture.rgba);
    loadScreen_ = std::make_unique<ZoClip>();
    loadScreen_->Load(kLoadScreenName, false);
    loadScreen_->Animation().Setup(1, AnimNone, 1, 1);
    loadScreen_->SetPosition(ZoRenderDevice::kScreenWidth / 2, ZoRenderDevice::kScreenHeight / 2);
    progressBar_ = std::make_unique<ZoProgressBar>();
    return true;
}

void ZoBaseApplication::CreateMainWindow() {
    SystemRandom().Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    PlatformVideo::Instance().OpenWindow(title_, ZoSysConfig::Instance().windowed);
}

bool ZoBaseApplication::DestroyMainWindow() {
    PlatformVideo& video = PlatformVideo::Instance();
    if (!video.IsWindowOpen())
        return false;
    video.CloseWindow();
    return true;
}

bool ZoBaseApplication::LoadEngineDefs() {
    ZoEngineDefs::Load();
    ZoSysConfig::Instance().Load();
    return true;
}

void ZoBaseApplication::SetProgress(std::int32_t percent) {
    if (progressHook_)
        progressHook_(percent);
    if (!progressBar_)
        return; // the load screen is gone
    progressBar_->position = ZoVector(ZoRenderDevice::kScreenWidth / 2, ZoRenderDevice::kScreenHeight / 2, 0);
    progressBar_->percent = percent;
    PrepareFrame();
    if (loadScreen_)
        loadScreen_->Draw();
    progressBar_->Draw();
    PresentFrame();
}

void ZoBaseApplication::FreeLoadScreen() {
    loadScreen_.reset();
    progressBar_.reset();
}

void ZoBaseApplication::PrepareFrame() {
    ZoTimer::Instance().Tick();
    ZoRenderDevice::Instance().BeginFrame();
}

void ZoBaseApplication::PresentFrame() {
    ZoRenderDevice::Instance().EndFrame();
}

void ZoBaseApplication::RunFrame() {
    PrepareFrame();
    UpdateFrame();
    DrawCursor();
    PresentFrame();
}

void ZoBaseApplication::DrawCursor() {
    if (!cursor_ || !inputEvent_)
        return;
    cursor_->MoveTo(inputEvent_->position);
    PlatformVideo& video = PlatformVideo::Instance();
    // Full screen always shows the game's cursor; a window only while the pointer is inside it.
    if (!video.IsWindowed() || video.MouseInClientArea()) {
        HideSystemCursor();
        cursor_->Draw();
    } else {
        ShowSystemCursor();
    }
}

void ZoBaseApplication::HideSystemCursor() {
    if (!systemCursorShown_)
        return;
    PlatformVideo::Instance().ShowSystemCursor(false);
    systemCursorShown_ = false;
}

void ZoBaseApplication::ShowSystemCursor() {
    if (systemCursorShown_)
        return;
    PlatformVideo::Instance().ShowSystemCursor(true);
    systemCursorShown_ = true;
}

void ZoBaseApplication::Deactivate() {
    if (!active_)
        return;
    active_ = false;
    ZoSoundManager::Instance().PauseAll(true);
}

void ZoBaseApplication::Activate() {
    active_ = true;
    ZoSoundManager::Instance().PauseAll(false);
}

void ZoBaseApplication::WindowProcedure(const PlatformMessage& message) {
    if (!inputEvent_)
        return;
    if (inputEvent_->Translate(message.message, message.wParam, message.lParam)) {
        windowManager_->Dispatch();
        return;
    }
    // The screen hears of it when the player turns away (the game pauses itself).
    const bool turnedAway = (message.message == PlatformMessageCode::kSize &&
                             message.wParam == PlatformMessageCode::kSizeMinimised) ||
                            (message.message == PlatformMessageCode::kActivate && message.wParam == 0);
    if (turnedAway && windowManager_->Active() != nullptr)
        windowManager_->Active()->OnWindowLeft();
    switch (message.message) {
    case PlatformMessageCode::kSize:
        if (message.wParam == PlatformMessageCode::kSizeMinimised)
            Deactivate();
        else if (message.wParam == PlatformMessageCode::kSizeRestored)
            Activate();
        break;
    case PlatformMessageCode::kActivate:
        // Decides whether input is translated; the frames go on.
        inputEvent_->windowActive = message.wParam != 0;
        break;
    case PlatformMessageCode::kClose:
        if (events_)
            events_->PostQuit();
        break;
    default:
        break;
    }
}

bool ZoBaseApplication::Handle(const PlatformMessage& message) {
    if (message.message == PlatformMessageCode::kQuit)
        return false;
    WindowProcedure(message);
    return true;
}

void ZoBaseApplication::ServiceOtherParts() {
    // The end of a music track is noticed on the audio thread and acted on here.
    ZoSoundManager::Instance().Poll();
    events_->DiscardUnclaimed();
}

void ZoBaseApplication::Run() {
    if (!events_)
        return;
    pacer_.SetRate(PlatformClock::DisplayRefreshRate());
    pacer_.Reset();
    PlatformMessage message;
    while (!quit_) {
        if (events_->Poll(message)) {
            if (!Handle(message))
                break;
            continue;
        }
        ServiceOtherParts();
        if (!active_) {
            // Minimised: sleep until something happens instead of polling.
            if (events_->Wait(message, kIdleWaitMilliseconds) && !Handle(message))
                break;
            pacer_.Reset();
            continue;
        }
        if (framePacing_) {
            // Pacing is about the real processor, so it always runs on the platform's clock.
            const std::uint64_t now = PlatformClock::Microseconds();
            const std::uint64_t wait = pacer_.WaitBefore(now);
            if (wait > 0) {
                const auto milliseconds = static_cast<std::uint32_t>((wait + 999) / 1000);
                if (events_->Wait(message, milliseconds) && !Handle(message))
                    break;
                continue;
            }
            pacer_.FrameStarted(now);
        }
        RunFrame();
        ++framesRun_;
        if (frameHook_)
            frameHook_(*this);
    }
}

void ZoBaseApplication::Shutdown() {
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.Release();
    device.SetApplication(nullptr);
    DestroyMainWindow();
    events_.reset();
}
