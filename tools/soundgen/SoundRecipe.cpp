#include "SoundRecipe.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

bool IsName(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!IsNameChar(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

bool SoundRecipe::Parse(const std::string& text, const std::string& sourceName) {
    sourceName_ = sourceName;
    error_.clear();
    header_ = RecipeSection();
    sections_.clear();
    RecipeSection* current = &header_;

    std::istringstream stream(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(stream, raw)) {
        ++lineNumber;
        size_t hash = raw.find('#');
        std::string line = Trim(hash == std::string::npos ? raw : raw.substr(0, hash));
        if (line.empty()) {
            continue;
        }
        const std::string where = sourceName_ + ":" + std::to_string(lineNumber) + ": ";
        if (line.front() == '[') {
            if (line.back() != ']') {
                error_ = where + "section header without ']'";
                return false;
            }
            std::vector<std::string> words = SplitWords(line.substr(1, line.size() - 2));
            if (words.empty() || words.size() > 2 || !IsName(words[0]) ||
                (words.size() == 2 && !IsName(words[1]))) {
                error_ = where + "expected [kind] or [kind name]";
                return false;
            }
            RecipeSection section;
            section.kind = words[0];
            section.name = words.size() == 2 ? words[1] : std::string();
            section.line = lineNumber;
            sections_.push_back(section);
            current = &sections_.back();
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            error_ = where + "expected key = value";
            return false;
        }
        RecipeEntry entry;
        entry.key = Trim(line.substr(0, equals));
        entry.value = Trim(line.substr(equals + 1));
        entry.line = lineNumber;
        if (!IsName(entry.key)) {
            error_ = where + "bad key '" + entry.key + "'";
            return false;
        }
        current->entries.push_back(entry);
    }
    return true;
}

bool SoundRecipe::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        sourceName_ = path;
        error_ = path + ": cannot be read";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string name = path;
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    return Parse(text.str(), name);
}

RecipeReader::RecipeReader(const RecipeSection& section, const std::string& sourceName, std::string& error)
    : section_(section), sourceName_(sourceName), error_(error) {}

bool RecipeReader::Has(const std::string& key) const {
    for (const RecipeEntry& entry : section_.entries) {
        if (entry.key == key) {
            return true;
        }
    }
    return false;
}

const RecipeEntry* RecipeReader::Find(const std::string& key) {
    used_.insert(key);
    const RecipeEntry* found = nullptr;
    for (const RecipeEntry& entry : section_.entries) {
        if (entry.key == key) {
            if (found != nullptr) {
                Fail(entry.line, "'" + key + "' given twice");
                return nullptr;
            }
            found = &entry;
        }
    }
    return found;
}

void RecipeReader::Fail(int line, const std::string& message) {
    if (error_.empty()) {
        error_ = sourceName_ + ":" + std::to_string(line) + ": " + message;
    }
}

double RecipeReader::Number(const std::string& key, double fallback, double low, double high) {
    const RecipeEntry* entry = Find(key);
    if (entry == nullptr) {
        return fallback;
    }
    const char* begin = entry->value.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || errno != 0 || !std::isfinite(value)) {
        Fail(entry->line, "'" + key + "' needs a number, not '" + entry->value + "'");
        return fallback;
    }
    if (value < low || value > high) {
        std::ostringstream message;
        message << "'" << key << "' = " << value << " is outside " << low << " to " << high;
        Fail(entry->line, message.str());
        return fallback;
    }
    return value;
}

std::string RecipeReader::Text(const std::string& key, const std::string& fallback) {
    const RecipeEntry* entry = Find(key);
    return entry == nullptr ? fallback : entry->value;
}

std::string RecipeReader::Joined(const std::string& key) {
    used_.insert(key);
    std::string joined;
    for (const RecipeEntry& entry : section_.entries) {
        if (entry.key == key) {
            if (!joined.empty()) {
                joined += ' ';
            }
            joined += entry.value;
        }
    }
    return joined;
}

bool RecipeReader::Finish() {
    for (const RecipeEntry& entry : section_.entries) {
        if (used_.count(entry.key) == 0) {
            Fail(entry.line, "unknown key '" + entry.key + "'");
        }
    }
    return error_.empty();
}
