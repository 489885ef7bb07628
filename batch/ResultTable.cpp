#include "batch/ResultTable.h"

#include "batch/InputText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace q7 {

// The requested paths as a tree: a node holds the columns whose path ends at it and the keys and
// list positions below it that some column goes on into.
struct ResultTable::Node {
    std::vector<int> columns;
    std::vector<std::pair<std::string, std::unique_ptr<Node>>> keys;
    std::vector<std::pair<long, std::unique_ptr<Node>>> elements;

    Node* Key(const std::string& k) {
        for (auto& [name, child] : keys)
            if (name == k) return child.get();
        keys.emplace_back(k, std::make_unique<Node>());
        return keys.back().second.get();
    }
    Node* Element(long i) {
        for (auto& [pos, child] : elements)
            if (pos == i) return child.get();
        elements.emplace_back(i, std::make_unique<Node>());
        return elements.back().second.get();
    }
    const Node* FindKey(std::string_view k) const {
        for (const auto& [name, child] : keys)
            if (name == k) return child.get();
        return nullptr;
    }
    const Node* FindElement(long i) const {
        for (const auto& [pos, child] : elements)
            if (pos == i) return child.get();
        return nullptr;
    }
};

namespace {

// A single pass over one JSON text that notes where each requested value starts and ends and
// steps over everything else.
class Scanner {
public:
    Scanner(std::string_view text, std::vector<std::string_view>& cells) : m_s(text), m_cells(cells) {}

    // The text of a JSON string (with its quotes).
    static std::string Unquote(std::string_view raw) {
        std::vector<std::string_view> none;
        Scanner s(raw, none);
        std::string out;
        s.String(&out);
        return out;
    }

    void Document(const ResultTable::Node* root) {
        Space();
        if (Peek() != '{') Fail("not a JSON object");
        Value(root);
        Space();
        if (m_pos != m_s.size()) Fail("text after the object");
    }

private:
    [[noreturn]] void Fail(const char* why) const {
        throw CaseError(std::string("result line: ") + why + " at character " + std::to_string(m_pos + 1));
    }
    char Peek() const { return m_pos < m_s.size() ? m_s[m_pos] : '\0'; }
    void Space() {
        while (m_pos < m_s.size() &&
               (m_s[m_pos] == ' ' || m_s[m_pos] == '\t' || m_s[m_pos] == '\n' || m_s[m_pos] == '\r'))
            ++m_pos;
    }
    void Expect(char c) {
        if (Peek() != c) Fail("malformed JSON");
        ++m_pos;
    }

    void Value(const ResultTable::Node* node) {
        const size_t start = m_pos;
        switch (Peek()) {
        case '{':
            Object(node);
            break;
        case '[':
            List(node);
            break;
        case '"':
            String(nullptr);
            break;
        default:
            Scalar();
        }
        if (node)
            for (int c : node->columns)
                m_cells[static_cast<size_t>(c)] = m_s.substr(start, m_pos - start);
    }

    void Object(const ResultTable::Node* node) {
        Expect('{');
        Space();
        if (Peek() == '}') {
            ++m_pos;
            return;
        }
        std::string key;
        for (;;) {
            Space();
            String(&key);
            Space();
            Expect(':');
            Space();
            Value(node ? node->FindKey(key) : nullptr);
            Space();
            if (Peek() == ',') {
                ++m_pos;
                continue;
            }
            Expect('}');
            return;
        }
    }

    void List(const ResultTable::Node* node) {
        Expect('[');
        Space();
        if (Peek() == ']') {
            ++m_pos;
            return;
        }
        for (long i = 1;; ++i) {
            Space();
            Value(node ? node->FindElement(i) : nullptr);
            Space();
            if (Peek() == ',') {
                ++m_pos;
                continue;
            }
            Expect(']');
            return;
        }
    }

    // A string; its text goes to `out` unless that is null.
    void String(std::string* out) {
        Expect('"');
        if (out) out->clear();
        for (;;) {
            if (m_pos >= m_s.size()) Fail("unterminated string");
            const char c = m_s[m_pos++];
            if (c == '"') return;
            if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
            if (static_cast<unsigned char>(c) >= 0x80) {
                const size_t n = Utf8SequenceAt(m_s, m_pos - 1);
                if (n == 0) Fail("a string that is not UTF-8");
                if (out) out->append(m_s.substr(m_pos - 1, n));
                m_pos += n - 1;
                continue;
            }
            if (c != '\\') {
                if (out) *out += c;
                continue;
            }
            if (m_pos >= m_s.size()) Fail("unterminated string");
            const char e = m_s[m_pos++];
            if (e == 'u') {
                std::uint32_t cp = Hex4();
                if (cp >= 0xD800 && cp < 0xDC00 && m_s.substr(m_pos, 2) == "\\u") {
                    m_pos += 2;
                    const std::uint32_t low = Hex4();
                    if (low < 0xDC00 || low > 0xDFFF) Fail("bad surrogate pair");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                if (out) Utf8(*out, cp);
                continue;
            }
            char plain = 0;
            switch (e) {
            case '"':
            case '\\':
            case '/':
                plain = e;
                break;
            case 'b':
                plain = '\b';
                break;
            case 'f':
                plain = '\f';
                break;
            case 'n':
                plain = '\n';
                break;
            case 'r':
                plain = '\r';
                break;
            case 't':
                plain = '\t';
                break;
            default:
                Fail("bad escape in a string");
            }
            if (out) *out += plain;
        }
    }

    std::uint32_t Hex4() {
        if (m_pos + 4 > m_s.size()) Fail("bad \\u escape");
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_s[m_pos++];
            v <<= 4;
            if (h >= '0' && h <= '9')
                v |= static_cast<std::uint32_t>(h - '0');
            else if (h >= 'a' && h <= 'f')
                v |= static_cast<std::uint32_t>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                v |= static_cast<std::uint32_t>(h - 'A' + 10);
            else
                Fail("bad \\u escape");
        }
        return v;
    }

    static void Utf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // A number, true, false or null.
    void Scalar() {
        const size_t start = m_pos;
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos];
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '+' || c == '.' ||
                  c == 'E'))
                break;
            ++m_pos;
        }
        const std::string_view tok = m_s.substr(start, m_pos - start);
        if (tok.empty()) Fail("malformed JSON");
        if (tok == "true" || tok == "false" || tok == "null") return;
        const char first = tok[0];
        if (!(first == '-' || (first >= '0' && first <= '9'))) Fail("malformed JSON");
        for (char c : tok)
            if (c >= 'a' && c <= 'z' && c != 'e') Fail("malformed JSON");
    }

    std::string_view m_s;
    size_t m_pos = 0;
    std::vector<std::string_view>& m_cells;
};

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string Cell(std::string_view raw) {
    if (raw.empty() || raw == "null") return {};
    if (raw[0] == '"') return CsvField(Scanner::Unquote(raw));
    return CsvField(raw);
}

std::optional<long> Position(const std::string& digits) {
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    for (char c : digits)
        if (c < '0' || c > '9') return std::nullopt;
    const long v = std::stol(digits);
    return v >= 1 ? std::optional<long>(v) : std::nullopt;
}

} // namespace

ResultTable::ResultTable(const std::vector<std::string>& columns) : m_root(std::make_unique<Node>()) {
    m_columns.push_back("case");
    m_columns.insert(m_columns.end(), columns.begin(), columns.end());
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const std::string& path = m_columns[c];
        auto bad = [&path]() {
            return CaseError("column \"" + path + "\" is not a path like oil.Pbp or gas.tables.Z[1]");
        };
        Node* node = m_root.get();
        size_t i = 0;
        for (;;) {
            const size_t end = path.find_first_of(".[", i);
            const std::string key = path.substr(i, end == std::string::npos ? std::string::npos : end - i);
            if (key.empty()) throw bad();
            node = node->Key(key);
            i = end;
            while (i != std::string::npos && path[i] == '[') {
                const size_t close = path.find(']', i);
                if (close == std::string::npos) throw bad();
                const auto pos = Position(path.substr(i + 1, close - i - 1));
                if (!pos) throw bad();
                node = node->Element(*pos);
                i = close + 1 < path.size() ? close + 1 : std::string::npos;
            }
            if (i == std::string::npos) break;
            if (path[i] != '.') throw bad();
            ++i;
        }
        node->columns.push_back(static_cast<int>(c));
    }
}

ResultTable::~ResultTable() = default;

std::string ResultTable::Header() const {
    std::string out;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        if (c) out += ',';
        out += CsvField(m_columns[c]);
    }
    out += '\n';
    return out;
}

std::string ResultTable::Row(std::string_view resultLine) const {
    std::vector<std::string_view> cells(m_columns.size());
    Scanner(resultLine, cells).Document(m_root.get());
    std::string out;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c) out += ',';
        out += Cell(cells[c]);
    }
    out += '\n';
    return out;
}

namespace {

// Every column at or below `node`.
void AllColumns(const ResultTable::Node& node, std::vector<int>& out) {
    out.insert(out.end(), node.columns.begin(), node.columns.end());
    for (const auto& [key, child] : node.keys)
        AllColumns(*child, out);
    for (const auto& [pos, child] : node.elements)
        AllColumns(*child, out);
}

// The columns below `node` that `value` (the shape's value at the node) does not hold.
void Unknown(const ResultTable::Node& node, const nlohmann::json* value, std::vector<int>& out) {
    for (const auto& [key, child] : node.keys) {
        if (value && value->is_object() && value->contains(key))
            Unknown(*child, &(*value)[key], out);
        else
            AllColumns(*child, out);
    }
    for (const auto& [pos, child] : node.elements) {
        if (value && value->is_array())
            // The elements of a list are alike: the first stands for all; an empty list of numbers
            // takes positions but nothing below them.
            Unknown(*child, value->empty() ? nullptr : &value->front(), out);
        else
            AllColumns(*child, out);
    }
}

} // namespace

std::vector<std::string> ResultTable::UnknownColumns(std::string_view shapeLine) const {
    const nlohmann::json shape = nlohmann::json::parse(shapeLine);
    std::vector<int> unknown;
    Unknown(*m_root, &shape, unknown);
    std::sort(unknown.begin(), unknown.end());
    std::vector<std::string> out;
    for (int c : unknown)
        out.push_back(m_columns[static_cast<size_t>(c)]);
    return out;
}

std::vector<std::string> ResultTable::SplitColumns(const std::string& list) {
    std::vector<std::string> out;
    std::string item;
    int depth = 0;
    for (char c : list) {
        if (c == '[') ++depth;
        if (c == ']') --depth;
        if (c == ',' && depth == 0) {
            out.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    out.push_back(item);
    return out;
}

} // namespace q7
