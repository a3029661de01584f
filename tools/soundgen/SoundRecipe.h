// Reads our plain-text sound recipes: top-level "key = value" lines and "[kind name]" sections.
#pragma once

#include <set>
#include <string>
#include <vector>

struct RecipeEntry {
    std::string key;
    std::string value;
    int line = 0;
};

struct RecipeSection {
    std::string kind; // empty for the lines before the first section
    std::string name;
    int line = 0;
    std::vector<RecipeEntry> entries;
};

class SoundRecipe {
public:
    // False on a syntax error; Error() then says where.
    bool Parse(const std::string& text, const std::string& sourceName);
    bool Load(const std::string& path);

    const std::string& Error() const { return error_; }
    const std::string& SourceName() const { return sourceName_; }
    const RecipeSection& Header() const { return header_; }
    const std::vector<RecipeSection>& Sections() const { return sections_; }

private:
    std::string sourceName_;
    std::string error_;
    RecipeSection header_;
    std::vector<RecipeSection> sections_;
};

// Typed reads of one section. Every key must be read, so a misspelt key is an error, not a silent default.
class RecipeReader {
public:
    RecipeReader(const RecipeSection& section, const std::string& sourceName, std::string& error);

    bool Has(const std::string& key) const;
    double Number(const std::string& key, double fallback, double low, double high);
    std::string Text(const std::string& key, const std::string& fallback);
    // All lines of a key that may repeat, joined with spaces (long patterns span several lines).
    std::string Joined(const std::string& key);
    void Fail(int line, const std::string& message);
    int Line() const { return section_.line; }
    const std::string& SectionName() const { return section_.name; }
    // Reports keys nobody asked for; true when no error happened in this section.
    bool Finish();

private:
    const RecipeEntry* Find(const std::string& key);

    const RecipeSection& section_;
    std::string sourceName_;
    std::string& error_;
    std::set<std::string> used_;
};

// Splits on blanks.
std::vector<std::string> SplitWords(const std::string& text);
