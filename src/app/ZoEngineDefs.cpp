#include "ZoEngineDefs.h"

#include "ZoResourceManager.h"

ZoTextTree& ZoEngineDefs::Tree() {
    static ZoTextTree tree;
    return tree;
}

bool ZoEngineDefs::Load() {
    ZoFileBlock block;
    const std::int32_t size = ZoResourceManager::Instance().GetFile(kFileName, block);
    if (size <= 0 || !block) {
        Tree().Clear();
        return false;
    }
    return Tree().LoadMemory(block.get(), size) == 0;
}
