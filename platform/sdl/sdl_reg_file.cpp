#include "platform/sdl/sdl_reg_file.h"

#include "platform/byte_order.h"

#include <algorithm>
#include <cctype>

namespace {

// regedit's exports are UTF-16LE; names and numbers are ASCII, anything else becomes UTF-8.
std::string DecodeText(const std::string& bytes)
{
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE') return bytes;
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = ReadU16(reinterpret_cast<const uint8_t*>(&bytes[i]));
        if (unit < 0x80) {
            text += char(unit);
        } else if (unit < 0x800) {
            text += char(0xC0 | unit >> 6);
            text += char(0x80 | (unit & 0x3F));
        } else {
            text += char(0xE0 | unit >> 12);
            text += char(0x80 | (unit >> 6 & 0x3F));
            text += char(0x80 | (unit & 0x3F));
        }
    }
    return text;
}

std::string Trim(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(uint8_t(text[begin]))) ++begin;
    while (end > begin && std::isspace(uint8_t(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(uint8_t(x)) == std::tolower(uint8_t(y));
           });
}

// Reads a quoted string starting at text[pos] == '"' with regedit's \\ and \" escapes; pos ends
// behind the closing quote.
bool ReadQuoted(const std::string& text, size_t& pos, std::string* out)
{
    out->clear();
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < text.size()) c = text[++pos];
        *out += c;
    }
    return false;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = char(std::tolower(uint8_t(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ParseHexBytes(const std::string& list, std::vector<uint8_t>* data)
{
    std::string item;
    size_t start = 0;
    const std::string text = Trim(list);
    if (text.empty()) return true;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        item = Trim(text.substr(start, comma - start));
        if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) return false;
        data->push_back(uint8_t(HexDigit(item[0]) << 4 | HexDigit(item[1])));
        start = comma + 1;
    }
    return true;
}

// The data part of a value line: "text", dword:hhhhhhhh, hex:..., hex(n):... or - (delete).
bool ParseData(const std::string& text, bool* remove, std::vector<uint8_t>* data,
               std::string* problem)
{
    *remove = false;
    if (text == "-") {
        *remove = true;
        return true;
    }
    if (!text.empty() && text[0] == '"') {
        size_t pos = 0;
        std::string value;
        if (!ReadQuoted(text, pos, &value) || pos != text.size()) {
            *problem = "unterminated or malformed string value";
            return false;
        }
        data->assign(value.begin(), value.end());
        data->push_back(0);
        return true;
    }
    if (text.compare(0, 6, "dword:") == 0) {
        const std::string digits = text.substr(6);
        if (digits.empty() || digits.size() > 8 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return HexDigit(c) >= 0; })) {
            *problem = "dword value needs 1 to 8 hexadecimal digits";
            return false;
        }
        const uint32_t number = uint32_t(std::stoul(digits, nullptr, 16));
        for (int shift = 0; shift < 32; shift += 8) data->push_back(uint8_t(number >> shift));
        return true;
    }
    size_t colon = std::string::npos;
    if (text.compare(0, 4, "hex:") == 0) {
        colon = 3;
    } else if (text.compare(0, 4, "hex(") == 0) {
        const size_t close = text.find("):");
        if (close != std::string::npos) colon = close + 1;
    }
    if (colon != std::string::npos) {
        if (ParseHexBytes(text.substr(colon + 1), data)) return true;
        *problem = "hex value must be two-digit hexadecimal bytes separated by commas";
        return false;
    }
    *problem = "unknown value type (expected \"string\", dword:, hex: or -)";
    return false;
}

void StoreValue(RegFileKey* key, const std::string& name, bool remove, std::vector<uint8_t>&& data)
{
    auto& values = key->values;
    values.erase(std::remove_if(values.begin(), values.end(),
                                [&](const RegFileValue& v) { return EqualNoCase(v.name, name); }),
                 values.end());
    if (!remove) values.push_back({name, std::move(data)});
}

// Logical lines: hex lists may continue on the next line after a trailing backslash.
std::vector<std::pair<int, std::string>> LogicalLines(const std::string& text)
{
    std::vector<std::pair<int, std::string>> lines;
    size_t start = 0;
    int number = 0;
    bool continued = false;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++number;
        line = continued ? Trim(line) : line;
        if (continued)
            lines.back().second += line;
        else
            lines.push_back({number, line});
        continued = !lines.back().second.empty() && lines.back().second.back() == '\\';
        if (continued) lines.back().second.pop_back();
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool ParseRegFile(const std::string& bytes, const std::string& keyPath, RegFileKey* key,
                  RegFileError* error)
{
    *key = RegFileKey();
    const auto lines = LogicalLines(DecodeText(bytes));
    bool sawHeader = false;
    bool inKey = false;
    for (const auto& [number, raw] : lines) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == ';') continue;
        auto fail = [&, number = number](const std::string& message) {
            *error = {number, message};
            return false;
        };
        if (!sawHeader) {
            if (line != "Windows Registry Editor Version 5.00" && line != "REGEDIT4")
                return fail(
                    "not a registry file: the first line must be "
                    "\"Windows Registry Editor Version 5.00\"");
            sawHeader = true;
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') return fail("key line does not end with ']'");
            std::string path = line.substr(1, line.size() - 2);
            const bool removeKey = !path.empty() && path[0] == '-';
            if (removeKey) path.erase(0, 1);
            inKey = EqualNoCase(path, keyPath);
            if (inKey && removeKey) *key = RegFileKey();
            if (inKey) key->found = !removeKey;
            inKey = inKey && !removeKey;
            continue;
        }
        std::string name;
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] != '"' || !ReadQuoted(line, pos, &name)) {
            return fail("expected a value line such as \"Width\"=dword:00000400");
        }
        const size_t equals = line.find_first_not_of(" \t", pos);
        if (equals == std::string::npos || line[equals] != '=')
            return fail("expected '=' after the value name");
        bool remove = false;
        std::vector<uint8_t> data;
        std::string problem;
        if (!ParseData(Trim(line.substr(equals + 1)), &remove, &data, &problem))
            return fail(problem);
        if (inKey) StoreValue(key, name, remove, std::move(data));
    }
    if (!sawHeader) {
        *error = {0, "empty file: no \"Windows Registry Editor Version 5.00\" line"};
        return false;
    }
    return true;
}
