// The process-wide picture cache: one shared ZoImageData per picture name, holding no reference itself.
#pragma once

#include <cstdint>
#include <map>
#include <string>

class ZoImageData;

class ZoImageCache {
public:
    static ZoImageCache& Instance();

    ZoImageData* Find(const std::string& name) const;
    // The picture that owns a texture, or null.
    ZoImageData* FindTexture(std::uint32_t texture) const;
    void Insert(const std::string& name, ZoImageData* data);
    void Erase(const std::string& name);
    std::size_t Size() const { return entries_.size(); }

private:
    ZoImageCache() = default;
    std::map<std::string, ZoImageData*> entries_;
};
