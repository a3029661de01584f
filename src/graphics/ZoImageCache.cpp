#include "ZoImageCache.h"

#include "ZoImageData.h"

ZoImageCache& ZoImageCache::Instance()
{
    static ZoImageCache cache;
    return cache;
}

ZoImageData* ZoImageCache::Find(const std::string& name) const
{
    auto found = entries_.find(name);
    return found == entries_.end() ? nullptr : found->second;
}

ZoImageData* ZoImageCache::FindTexture(std::uint32_t texture) const
{
    for (const auto& entry : entries_) {
        if (entry.second->Texture() == texture) {
            return entry.second;
        }
    }
    return nullptr;
}

void ZoImageCache::Insert(const std::string& name, ZoImageData* data) { entries_[name] = data; }

void ZoImageCache::Erase(const std::string& name) { entries_.erase(name); }
