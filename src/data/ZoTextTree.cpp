#include "ZoTextTree.h"

#include "ZoAtomicFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\0';
}

// Reads the text tree grammar from one normalised text. Stops at the first error.
class Parser {
public:
    Parser(const std::string& text, std::map<std::string, std::string>& values)
        : text_(text), values_(values) {}

    bool Run() {
        std::string prefix;
        std::vector<std::size_t> blockStarts; // length of prefix before each open block
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                return true;
            const std::string name = ReadName();
            if (name == "}") {
                if (blockStarts.empty())
                    return false;
                prefix.resize(blockStarts.back());
                blockStarts.pop_back();
                continue;
            }
            SkipBlanks();
            if (AtEnd() || text_[pos_] != '=')
                return false;
            ++pos_;
            SkipBlanks();
            if (AtEnd())
                return false;
            const char first = text_[pos_];
            if (first == '{') {
                ++pos_;
                SkipBlanks();
                if (!AtEnd() && text_[pos_] == '[') {
                    values_[prefix + name] = ReadGrid();
                } else {
                    blockStarts.push_back(prefix.size());
                    prefix += name;
                    prefix += '.';
                }
            } else if (first == '"') {
                values_[prefix + name] = ReadQuoted();
            } else if (first == '[') {
                values_[prefix + name] = ReadUntilInclusive(']');
            } else {
                values_[prefix + name] = ReadPlain();
            }
        }
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }

    bool AtComment() const { return pos_ + 1 < text_.size() && text_[pos_] == '/' && text_[pos_ + 1] == '/'; }

    void SkipLine() {
        while (!AtEnd() && text_[pos_] != '\n')
            ++pos_;
    }

    void SkipBlanks() {
        while (!AtEnd()) {
            if (IsBlank(text_[pos_]))
                ++pos_;
            else if (AtComment())
                SkipLine();
            else
                break;
        }
    }

    std::string ReadName() {
        const std::size_t start = pos_;
        while (!AtEnd() && !IsBlank(text_[pos_]) && text_[pos_] != '=')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // From the opening quote to the next quote that no backslash escapes, both quotes kept.
    std::string ReadQuoted() {
        const std::size_t start = pos_++;
        while (!AtEnd()) {
            const char c = text_[pos_++];
            if (c == '\\') {
                if (!AtEnd())
                    ++pos_;
            } else if (c == '"') {
                break;
            }
        }
        return text_.substr(start, pos_ - start);
    }

    std::string ReadUntilInclusive(char last) {
        const std::size_t start = pos_;
        const std::size_t end = text_.find(last, pos_ + 1);
        pos_ = end == std::string::npos ? text_.size() : end + 1;
        return text_.substr(start, pos_ - start);
    }

    // Runs to the next blank or closing brace; the brace is left for the block loop.
    std::string ReadPlain() {
        const std::size_t start = pos_;
        while (!AtEnd() && !IsBlank(text_[pos_]) && text_[pos_] != '}')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // The opening brace is already consumed; keeps the bracketed groups, drops what lies between.
    std::string ReadGrid() {
        std::string grid = "{";
        while (!AtEnd()) {
            const char c = text_[pos_];
            if (c == '}') {
                ++pos_;
                break;
            }
            if (AtComment())
                SkipLine();
            else if (c == '[')
                grid += ReadUntilInclusive(']');
            else
                ++pos_;
        }
        grid += '}';
        return grid;
    }

    const std::string& text_;
    std::map<std::string, std::string>& values_;
    std::size_t pos_ = 0;
};

// The quotes (or brackets) around a stored value.
std::string Inner(const std::string& stored) {
    return stored.size() < 2 ? std::string() : stored.substr(1, stored.size() - 2);
}

std::string Unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            const char* const from = "\"tn0\\";
            const char* const to = "\"\t\n\0\\";
            bool known = false;
            for (int k = 0; k < 5; ++k) {
                if (next == from[k]) {
                    out += to[k];
                    known = true;
                }
            }
            if (known) {
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\0':
            out += "\\0";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

// Like atoi, without its undefined behaviour on overflow: the result saturates.
std::int32_t DecimalLikeAtoi(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// Like sscanf "%x": the low 32 bits of the hexadecimal number.
std::int32_t Hexadecimal(const std::string& text) {
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 16);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFull));
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == separator) {
            ++pos;
            continue;
        }
        const std::size_t end = text.find(separator, pos);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        pieces.push_back(text.substr(pos, stop - pos));
        pos = stop;
    }
    return pieces;
}

// False when the file cannot be opened or a read fails (a folder, for one).
bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char chunk[16384];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

void Tabs(std::string& out, std::size_t count) {
    out.append(count, '\t');
}

} // namespace

int ZoTextTree::Parse() {
    status_ = Parser(text_, values_).Run() ? 0 : 1;
    return status_;
}

int ZoTextTree::LoadFile(const std::string& path) {
    values_.clear();
    text_.clear();
    std::string raw;
    if (!ReadWholeFile(path, raw)) {
        status_ = 1;
        return 1;
    }
    // Line by line, as a text-mode read on the game's home platform: CR LF and LF both end a line,
    // and the last line gets its LF even when the file lacks it.
    text_.reserve(raw.size() + 1);
    std::size_t pos = 0;
    while (pos < raw.size()) {
        std::size_t end = raw.find('\n', pos);
        if (end == std::string::npos)
            end = raw.size();
        std::size_t lineEnd = end;
        if (end < raw.size() && lineEnd > pos && raw[lineEnd - 1] == '\r')
            --lineEnd;
        text_.append(raw, pos, lineEnd - pos);
        text_ += '\n';
        pos = end + 1;
    }
    return Parse();
}

int ZoTextTree::LoadMemory(const char* bytes, std::int32_t size) {
    values_.clear();
    text_.clear();
    if (bytes == nullptr || size < 0) {
        status_ = 1;
        return 1;
    }
    text_.assign(bytes, static_cast<std::size_t>(size));
    // Split at CR and join with LF: every CR becomes a line end.
    for (char& c : text_) {
        if (c == '\r')
            c = '\n';
    }
    return Parse();
}

std::string ZoTextTree::Serialize() const {
    std::string out;
    std::vector<std::string> openBlocks;
    for (const auto& [key, value] : values_) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (;;) {
            const std::size_t dot = key.find('.', start);
            if (dot == std::string::npos) {
                parts.push_back(key.substr(start));
                break;
            }
            parts.push_back(key.substr(start, dot - start));
            start = dot + 1;
        }
        const std::string leaf = parts.back();
        parts.pop_back();

        std::size_t common = 0;
        while (common < openBlocks.size() && common < parts.size() && openBlocks[common] == parts[common])
            ++common;
        while (openBlocks.size() > common) {
            openBlocks.pop_back();
            Tabs(out, openBlocks.size());
            out += "}\n";
        }
        while (openBlocks.size() < parts.size()) {
            Tabs(out, openBlocks.size());
            out += parts[openBlocks.size()];
            out += " = {\n";
            openBlocks.push_back(parts[openBlocks.size()]);
        }
        Tabs(out, parts.size());
        out += leaf;
        out += '=';
        out += value;
        out += '\n';
    }
    while (!openBlocks.empty()) {
        openBlocks.pop_back();
        Tabs(out, openBlocks.size());
        out += "}\n";
    }
    return out;
}

int ZoTextTree::Save(const std::string& path) {
    // Our files are Windows text files: every LF goes to disk as CR LF.
    const std::string text = Serialize();
    std::string disk;
    disk.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n')
            disk += '\r';
        disk += c;
    }
    status_ = ZoAtomicFile::Write(path, disk) ? 0 : 1;
    return status_;
}

const std::string* ZoTextTree::Find(const std::string& key) {
    const auto it = values_.find(key);
    if (it == values_.end()) {
        status_ = 1;
        return nullptr;
    }
    status_ = 0;
    return &it->second;
}

std::int32_t ZoTextTree::GetInt(const std::string& key, std::int32_t defaultValue) {
    const std::string* text = Find(key);
    if (!text)
        return defaultValue;
    if (text->compare(0, 2, "0x") == 0)
        return Hexadecimal(*text);
    return DecimalLikeAtoi(*text);
}

float ZoTextTree::GetFloat(const std::string& key, float defaultValue) {
    const std::string* text = Find(key);
    if (!text)
        return defaultValue;
    return static_cast<float>(std::strtod(text->c_str(), nullptr));
}

std::string ZoTextTree::GetString(const std::string& key, const std::string& defaultValue) {
    const std::string* text = Find(key);
    if (!text)
        return defaultValue;
    return Unescape(Inner(*text));
}

std::string ZoTextTree::GetCString(const std::string& key, const char* defaultValue) {
    const std::string* text = Find(key);
    if (!text)
        return defaultValue ? std::string(defaultValue) : std::string();
    return Unescape(Inner(*text));
}

std::vector<float> ZoTextTree::GetFloatList(const std::string& key, char separator) {
    std::vector<float> numbers;
    const std::string* text = Find(key);
    if (!text)
        return numbers;
    for (const std::string& piece : Split(Inner(*text), separator))
        numbers.push_back(static_cast<float>(std::strtod(piece.c_str(), nullptr)));
    return numbers;
}

ZoVector ZoTextTree::GetVector(const std::string& key, char separator) {
    const std::vector<float> numbers = GetFloatList(key, separator);
    float xyz[3] = {-1024.0f, -1024.0f, -1024.0f};
    for (std::size_t i = 0; i < numbers.size() && i < 3; ++i)
        xyz[i] = numbers[i];
    return ZoVector(xyz[0], xyz[1], xyz[2]);
}

std::string ZoTextTree::GetCharGrid(const std::string& key, int& columns, int& rows, char separator,
                                    const std::string& defaultText) {
    const std::string* text = Find(key);
    if (!text)
        return defaultText;
    // Each group holds one row: a character, then a separator, and so on.
    std::vector<std::string> groups;
    const std::string body = Inner(*text);
    std::size_t pos = 0;
    while (pos < body.size()) {
        if (body[pos] != '[') {
            ++pos;
            continue;
        }
        std::string row;
        ++pos;
        while (pos < body.size() && body[pos] != ']') {
            row += body[pos++];
            if (pos < body.size() && body[pos] == separator)
                ++pos;
        }
        ++pos;
        groups.push_back(row);
    }
    std::string characters;
    for (const std::string& row : groups) {
        if (row.size() != groups.front().size()) {
            status_ = 1; // ragged grids are damage, not data
            return defaultText;
        }
        characters += row;
    }
    rows = static_cast<int>(groups.size());
    columns = groups.empty() ? 0 : static_cast<int>(groups.front().size());
    return characters;
}

void ZoTextTree::SetInt(const std::string& key, std::int32_t value) {
    values_[key] = std::to_string(value);
}

void ZoTextTree::SetFloat(const std::string& key, float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    std::string text(buffer);
    if (text.size() + 1 >= sizeof buffer) { // huge values need the long way round
        const int needed = std::snprintf(nullptr, 0, "%f", static_cast<double>(value));
        std::vector<char> big(static_cast<std::size_t>(needed) + 1);
        std::snprintf(big.data(), big.size(), "%f", static_cast<double>(value));
        text.assign(big.data());
    }
    values_[key] = text;
}

void ZoTextTree::SetString(const std::string& key, const std::string& value) {
    values_[key] = "\"" + Escape(value) + "\"";
}

void ZoTextTree::SetCharGrid(const std::string& key, const std::string& characters, int columns, int rows,
                             char separator) {
    std::string grid = "{";
    for (int row = 0; row < rows; ++row) {
        grid += '[';
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                grid += separator;
            const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                                      static_cast<std::size_t>(column);
            grid += index < characters.size() ? characters[index] : ' ';
        }
        grid += ']';
    }
    grid += '}';
    values_[key] = grid;
}
