#include "ZoStartup.h"

#include "GameApplication.h"
#include "PlatformMessageBox.h"
#include "PlatformSingleInstance.h"
#include "PlatformTermination.h"
#include "ZoPaths.h"
#include "ZoProfileManager.h"
#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"
#include "ZoShowError.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"

#include <memory>

std::string ZoStartup::SizeSpecificArchive(std::int32_t width, std::int32_t height) {
    if (width == 240 && height == 320)
        return "Storage Card//240x320.Zor";
    if (width == 240 && height == 240)
        return "Storage Card//240x240.Zor";
    return "";
}

int ZoStartup::Run(const ZoStartupOptions& options) {
    // 1. One copy only; a second one leaves at once, touching nothing.
    const ZoPaths& paths = ZoPaths::Instance();
    const std::string& lockPath = options.lockPath.empty() ? paths.lockFile : options.lockPath;
    PlatformSingleInstance instance(lockPath.empty() ? PlatformSingleInstance::DefaultLockPath() : lockPath);
    if (instance.Acquire() == PlatformSingleInstance::Result::HeldElsewhere)
        return 0;
    PlatformMessageBox::Instance().Install();
    // SIGTERM and SIGINT end the loop so shut-down runs in order; a lost display ends the process.
    PlatformTermination::Instance().InstallSignalHandlers();

    // 2-5. Archives; a missing one is reported and the game goes on without its files.
    ZoResourceManager& archives = ZoResourceManager::Instance();
    if (!archives.Open(paths.DataFile("Resource.Zor")))
        ShowError(kResourceArchiveError);
    if (!archives.Open(paths.DataFile("Lang.Zor")))
        ShowError(kLanguageArchiveError);
    const std::string sizeArchive =
        SizeSpecificArchive(ZoRenderDevice::kScreenWidth, ZoRenderDevice::kScreenHeight);
    if (!sizeArchive.empty() && !archives.Open(sizeArchive))
        ShowError(kSizeArchiveError);

    // 6-8. Profiles, the application, engine definitions and options, in the player's folder.
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.SetFiles(paths.UserFile("Profiles.Txt"), paths.UserFile("Save/"));
    profiles.LoadProfiles();
    ZoSysConfig::Instance().SetFileName(paths.UserFile("ZoConfig.Cfg"));
    auto application = std::make_unique<GameApplication>();
    application->SetProgressHook(options.onProgress);
    application->SetFrameHook(options.afterFrame);
    application->SetFramePacing(options.framePacing);
    if (options.windowed)
        ZoSysConfig::Instance().SetWindowedForThisRun(*options.windowed);
    application->LoadEngineDefs();

    // 9-16. Window, device and load screen, sound, content, then the loop. The start-up chime of the
    // original had no sound behind it, so none is played.
    if (application->Create(ZoBaseApplication::kClassName, ZoBaseApplication::kTitle)) {
        application->SetProgress(20);
        ZoSoundManager::Instance().Init(); // a silent game when there is no audio device
        application->CreateContent();
        application->SetProgress(100);
        application->FreeLoadScreen();
        if (options.beforeRun)
            options.beforeRun(*application);
        application->Run();
        application->SaveGameBeforeQuit();
    }

    // Shut-down: device and window, then the application with everything it owns.
    application->Shutdown();
    application.reset();
    // Stop the audio thread while everything it reads still exists.
    ZoSoundManager::Instance().Shutdown();
    return 0;
}
