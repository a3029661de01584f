#include "ZoLanguage.h"

#include "ZoResourceManager.h"

ZoLanguage& ZoLanguage::Instance() {
    static ZoLanguage instance(ZoResourceManager::Instance());
    return instance;
}

ZoLanguage::ZoLanguage(ZoResourceManager& archives) : strings(std::make_unique<ZoTextTree>()) {
    ZoFileBlock block;
    std::int32_t size = archives.GetFile("Data/Lang.Txt", block);
    strings->LoadMemory(size > 0 ? block.get() : nullptr, size > 0 ? size : -1);
    block.reset();

    ZoTextTree fonts;
    size = archives.GetFile("Data/Fonts.Txt", block);
    fonts.LoadMemory(size > 0 ? block.get() : nullptr, size > 0 ? size : -1);
    language = fonts.GetString("Language", std::string());
}

std::string ZoLanguage::GetText(const std::string& key) {
    return strings->GetString(language + "." + key, std::string());
}
