// A parsed text tree file: a flat ordered map from dotted keys to value texts, with typed access.
#pragma once

#include "ZoVector.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ZoTextTree {
public:
    // 0 on success; non-zero when the file cannot be read or the text does not parse.
    // Both clear the map first; keys read before a syntax error stay available.
    int LoadFile(const std::string& path);
    // A missing archive file (null bytes or a negative size) gives an empty tree and status 1.
    int LoadMemory(const char* bytes, std::int32_t size);
    // Writes every key in byte order; atomically (temporary file, then rename). 0 on success;
    // on failure status 1 and the old file stays as it was.
    int Save(const std::string& path);

    // Getters set the status to 0, or to 1 (returning the default) when the key is missing.
    std::int32_t GetInt(const std::string& key, std::int32_t defaultValue);
    float GetFloat(const std::string& key, float defaultValue);
    std::string GetString(const std::string& key, const std::string& defaultValue);
    // As GetString; a missing key gives the default, or an empty text for a null default.
    std::string GetCString(const std::string& key, const char* defaultValue);
    // Empty and status 1 when missing.
    std::vector<float> GetFloatList(const std::string& key, char separator);
    // (-1024, -1024, -1024) when missing; fewer than three numbers leave the rest at -1024.
    ZoVector GetVector(const std::string& key, char separator);
    // rows x columns characters written by SetCharGrid, with columns and rows set to the grid found.
    // A missing key, or a grid whose rows differ in length, gives the default text (status 1) and
    // leaves columns and rows as they were.
    std::string GetCharGrid(const std::string& key, int& columns, int& rows, char separator,
                            const std::string& defaultText);

    void SetInt(const std::string& key, std::int32_t value);
    void SetFloat(const std::string& key, float value);
    void SetString(const std::string& key, const std::string& value);
    void SetCharGrid(const std::string& key, const std::string& characters, int columns, int rows,
                     char separator);

    // The text Save writes, with LF line ends (on disk each LF becomes CR LF).
    std::string Serialize() const;

    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    void Clear() { values_.clear(); }
    int Status() const { return status_; }
    const std::map<std::string, std::string>& Values() const { return values_; }
    const std::string& Text() const { return text_; }

private:
    int Parse();
    const std::string* Find(const std::string& key);

    int status_ = 0;
    std::map<std::string, std::string> values_;
    std::string text_;
};
