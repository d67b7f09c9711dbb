// orvo-update-stub: stands in for the suite's updater ("OrvoSoftwareUpdate"). It takes the one
// argument the library passes, the Base64 text of a JSON message, checks the message's members
// and their types, and hands the decoded JSON on unchanged: to the file named by
// $ORVO_UPDATE_STUB_OUTPUT (written whole, then renamed into place) or else to standard output.
//
// Exit status: 0 message accepted, 1 malformed message, 2 usage, 3 output not written.
// Plain C++17 without Qt, so it is also cross-built as a Windows program for the Wine tests.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// ---- Base64 (standard alphabet, padded) ----------------------------------------------------

int sextet(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool decodeBase64(const std::string &text, std::string &bytes)
{
    if (text.empty() || text.size() % 4 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        int v[4];
        int padding = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && last && k >= 2) {
                v[k] = 0;
                ++padding;
            } else if ((v[k] = sextet(c)) < 0 || padding > 0) {
                return false;
            }
        }
        const unsigned long group = (unsigned long)v[0] << 18 | v[1] << 12 | v[2] << 6 | v[3];
        bytes += char(group >> 16 & 0xFF);
        if (padding < 2)
            bytes += char(group >> 8 & 0xFF);
        if (padding < 1)
            bytes += char(group & 0xFF);
    }
    return true;
}

// ---- JSON ----------------------------------------------------------------------------------

struct Value
{
    enum Type { Null, Boolean, Number, String, Array, Object } type = Null;
    std::string text; // a string's UTF-8 content
    std::vector<std::unique_ptr<Value>> items;
    std::map<std::string, std::unique_ptr<Value>> members;
};

class Parser
{
public:
    explicit Parser(const std::string &text) : m_text(text) {}

    // The whole text must be one value, with white space around it only.
    bool parseDocument(Value &value)
    {
        return parseValue(value, 0) && (skipSpace(), m_pos == m_text.size());
    }

private:
    void skipSpace()
    {
        while (m_pos < m_text.size()
               && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n'
                   || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool literal(const char *word)
    {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0)
            return false;
        m_pos += w.size();
        return true;
    }

    bool parseValue(Value &value, int depth)
    {
        skipSpace();
        if (m_pos >= m_text.size() || depth > 64)
            return false;
        const char c = m_text[m_pos];
        if (c == '{')
            return parseObject(value, depth);
        if (c == '[')
            return parseArray(value, depth);
        if (c == '"')
            return value.type = Value::String, parseString(value.text);
        for (const char *word : {"true", "false"}) {
            if (literal(word))
                return value.type = Value::Boolean, value.text = word, true;
        }
        if (literal("null"))
            return value.type = Value::Null, true;
        return parseNumber(value);
    }

    bool parseNumber(Value &value)
    {
        const size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        const size_t digits = m_pos;
        while (m_pos < m_text.size() && std::string("0123456789.eE+-").find(m_text[m_pos]) != std::string::npos)
            ++m_pos;
        if (m_pos == digits || m_text[digits] < '0' || m_text[digits] > '9')
            return false;
        value.type = Value::Number;
        value.text = m_text.substr(start, m_pos - start);
        return true;
    }

    static void appendUtf8(std::string &out, unsigned long code)
    {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | code >> 6);
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | code >> 12);
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | code >> 18);
            out += char(0x80 | (code >> 12 & 0x3F));
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    bool hex4(unsigned long &code)
    {
        if (m_pos + 4 > m_text.size())
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            const int digit = c >= '0' && c <= '9' ? c - '0'
                : c >= 'a' && c <= 'f'             ? c - 'a' + 10
                : c >= 'A' && c <= 'F'             ? c - 'A' + 10
                                                   : -1;
            if (digit < 0)
                return false;
            code = code << 4 | unsigned(digit);
        }
        return true;
    }

    bool parseString(std::string &out)
    {
        ++m_pos; // opening quote
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return false;
            const char e = m_text[m_pos++];
            const std::string from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
            if (from.find(e) != std::string::npos) {
                out += to[from.find(e)];
                continue;
            }
            unsigned long code = 0, low = 0;
            if (e != 'u' || !hex4(code))
                return false;
            if (code >= 0xD800 && code < 0xDC00) {
                if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                    return false;
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
            appendUtf8(out, code);
        }
        return false;
    }

    bool parseArray(Value &value, int depth)
    {
        value.type = Value::Array;
        ++m_pos;
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ']')
            return ++m_pos, true;
        for (;;) {
            value.items.push_back(std::make_unique<Value>());
            if (!parseValue(*value.items.back(), depth + 1))
                return false;
            skipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos++];
            if (c == ']')
                return true;
            if (c != ',')
                return false;
        }
    }

    bool parseObject(Value &value, int depth)
    {
        value.type = Value::Object;
        ++m_pos;
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == '}')
            return ++m_pos, true;
        for (;;) {
            skipSpace();
            std::string key;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"' || !parseString(key))
                return false;
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos++] != ':')
                return false;
            auto member = std::make_unique<Value>();
            if (!parseValue(*member, depth + 1) || value.members.count(key))
                return false; // a repeated member is as bad as a missing one
            value.members[key] = std::move(member);
            skipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos++];
            if (c == '}')
                return true;
            if (c != ',')
                return false;
        }
    }

    const std::string &m_text;
    size_t m_pos = 0;
};

// ---- the message ---------------------------------------------------------------------------

// Empty when `object` has every member with its type; else what is wrong.
std::string checkMembers(const Value &object, const char *where,
                         const std::vector<std::pair<const char *, Value::Type>> &expected)
{
    for (const auto &member : expected) {
        const auto found = object.members.find(member.first);
        if (found == object.members.end())
            return std::string(where) + " has no member \"" + member.first + '"';
        if (found->second->type != member.second)
            return std::string(where) + " member \"" + member.first + "\" has the wrong type";
    }
    return std::string();
}

std::string checkMessage(const Value &message)
{
    if (message.type != Value::Object)
        return "the message is not a JSON object";
    std::string problem = checkMembers(message, "the message",
                                       {{"scenario", Value::String},
                                        {"from", Value::String},
                                        {"eventid", Value::String},
                                        {"property", Value::Object}});
    if (!problem.empty())
        return problem;
    if (message.members.at("eventid")->text != "ID_ORVOENTRANCE_UPDATE_CMD")
        return "unknown eventid \"" + message.members.at("eventid")->text + '"';
    std::vector<std::pair<const char *, Value::Type>> property;
    for (const char *name : {"versionInfoFilePath", "appname", "apppath", "regeditversion",
                             "language", "style", "colorType", "defaultColor", "hoverColor",
                             "disableColor", "btnDefaultColor", "btnHoverColor",
                             "btnDisableColor", "backPicPath"})
        property.push_back({name, Value::String});
    property.push_back({"autoupdate", Value::Boolean});
    return checkMembers(*message.members.at("property"), "\"property\"", property);
}

bool writeOutput(const std::string &json)
{
    const char *path = std::getenv("ORVO_UPDATE_STUB_OUTPUT");
    if (!path || !*path)
        return std::fwrite(json.data(), 1, json.size(), stdout) == json.size() && std::fflush(stdout) == 0;
    // Whole or not at all: a reader waiting for the file never sees half of it.
    const std::string partial = std::string(path) + ".partial";
    std::FILE *out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(json.data(), 1, json.size(), out) == json.size();
    if (std::fclose(out) != 0 || !written)
        return false;
    std::remove(path);
    return std::rename(partial.c_str(), path) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s BASE64_MESSAGE\n", argc > 0 ? argv[0] : "orvo-update-stub");
        return 2;
    }
    std::string json;
    if (!decodeBase64(argv[1], json)) {
        std::fprintf(stderr, "orvo-update-stub: the argument is not standard Base64\n");
        return 1;
    }
    Value message;
    if (!Parser(json).parseDocument(message)) {
        std::fprintf(stderr, "orvo-update-stub: the message is not valid JSON\n");
        return 1;
    }
    const std::string problem = checkMessage(message);
    if (!problem.empty()) {
        std::fprintf(stderr, "orvo-update-stub: %s\n", problem.c_str());
        return 1;
    }
    if (!writeOutput(json)) {
        std::fprintf(stderr, "orvo-update-stub: cannot write the message\n");
        return 3;
    }
    return 0;
}
