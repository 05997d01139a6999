#include "coding/json/JsonPlainReader.h"

#include "coding/Utf8.h"
#include "coding/json/JsonDocumentBuilder.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace coding {

using Json = nlohmann::ordered_json;

namespace {

// A recursive descent that answers false wherever it stops being sure; `at` is then of no use.
class Reader {
public:
    explicit Reader(std::string_view text)
        : text_(text) {}

    bool readDocument(Json& document) {
        if (!readValue(document, 0))
            return false;
        skipWhitespace();
        return at_ == text_.size();
    }

private:
    bool readValue(Json& value, std::size_t depth) {
        skipWhitespace();
        if (at_ == text_.size())
            return false;
        switch (text_[at_]) {
        case '{':
            return readObject(value, depth + 1);
        case '[':
            return readArray(value, depth + 1);
        case '"': {
            std::string text;
            if (!readString(text))
                return false;
            value = std::move(text);
            return true;
        }
        case 't':
            return readWord("true", value, true);
        case 'f':
            return readWord("false", value, false);
        case 'n':
            return readWord("null", value, nullptr);
        default:
            return readInteger(value);
        }
    }

    template <class T> bool readWord(std::string_view word, Json& value, T&& meaning) {
        if (text_.substr(at_, word.size()) != word)
            return false;
        at_ += word.size();
        value = std::forward<T>(meaning);
        return true;
    }

    // -?(0|[1-9][0-9]*) of at most 18 digits, which no integer type overflows; a fraction, an
    // exponent or more digits are the general parser's.
    bool readInteger(Json& value) {
        const bool negative = text_[at_] == '-';
        std::size_t digitsAt = at_ + (negative ? 1 : 0);
        std::size_t end = digitsAt;
        std::uint64_t magnitude = 0;
        while (end < text_.size() && text_[end] >= '0' && text_[end] <= '9') {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(text_[end] - '0');
            ++end;
        }
        const std::size_t digits = end - digitsAt;
        if (digits == 0 || digits > 18 || (digits > 1 && text_[digitsAt] == '0'))
            return false;
        if (end < text_.size() && (text_[end] == '.' || text_[end] == 'e' || text_[end] == 'E'))
            return false;
        at_ = end;
        // As the general parser types them: a minus sign makes a signed integer, even of -0.
        if (negative)
            value = -static_cast<std::int64_t>(magnitude);
        else
            value = magnitude;
        return true;
    }

    // The text opening at `at_`. The whole document was found UTF-8 before reading began.
    bool readString(std::string& result) {
        ++at_;
        std::size_t runStart = at_;
        while (at_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') {
                result.append(text_.data() + runStart, at_ - runStart);
                ++at_;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c != '\\') {
                ++at_;
                continue;
            }
            result.append(text_.data() + runStart, at_ - runStart);
            if (at_ + 1 == text_.size())
                return false;
            switch (text_[at_ + 1]) {
            case '"': result += '"'; break;
            case '\\': result += '\\'; break;
            case '/': result += '/'; break;
            case 'b': result += '\b'; break;
            case 'f': result += '\f'; break;
            case 'n': result += '\n'; break;
            case 'r': result += '\r'; break;
            case 't': result += '\t'; break;
            default: return false;
            }
            at_ += 2;
            runStart = at_;
        }
        return false;
    }

    bool readArray(Json& value, std::size_t depth) {
        if (depth > JsonDocumentBuilder::maximumDepth)
            return false;
        ++at_;
        value = Json::array();
        auto& elements = value.get_ref<Json::array_t&>();
        skipWhitespace();
        if (at_ < text_.size() && text_[at_] == ']') {
            ++at_;
            return true;
        }
        while (true) {
            elements.emplace_back();
            if (!readValue(elements.back(), depth))
                return false;
            skipWhitespace();
            if (at_ == text_.size())
                return false;
            if (text_[at_] == ']') {
                ++at_;
                return true;
            }
            if (text_[at_] != ',')
                return false;
            ++at_;
        }
    }

    // A key given twice keeps its first place and takes the last value, as with the builder.
    bool readObject(Json& value, std::size_t depth) {
        if (depth > JsonDocumentBuilder::maximumDepth)
            return false;
        ++at_;
        std::vector<std::pair<std::string, Json>> members;
        skipWhitespace();
        if (at_ < text_.size() && text_[at_] == '}') {
            ++at_;
            value = Json::object();
            return true;
        }
        while (true) {
            skipWhitespace();
            std::string key;
            if (at_ == text_.size() || text_[at_] != '"' || !readString(key))
                return false;
            skipWhitespace();
            if (at_ == text_.size() || text_[at_] != ':')
                return false;
            ++at_;
            Json member;
            if (!readValue(member, depth))
                return false;
            std::size_t found = 0;
            while (found < members.size() && members[found].first != key)
                ++found;
            if (found < members.size()) {
                members[found].second = std::move(member);
            } else if (members.size() == JsonPlainReader::membersSearched) {
                return false;
            } else {
                members.emplace_back(std::move(key), std::move(member));
            }
            skipWhitespace();
            if (at_ == text_.size())
                return false;
            if (text_[at_] == '}') {
                ++at_;
                break;
            }
            if (text_[at_] != ',')
                return false;
            ++at_;
        }
        value = Json::object();
        auto& object = static_cast<Json::object_t::Container&>(value.get_ref<Json::object_t&>());
        object.reserve(members.size());
        for (auto& [key, member] : members)
            object.emplace_back(std::move(key), std::move(member));
        return true;
    }

    void skipWhitespace() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
                return;
            ++at_;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

std::optional<Json> JsonPlainReader::read(std::string_view text) {
    // Outside its texts JSON is ASCII: a text that is UTF-8 as a whole has UTF-8 texts, and one
    // that is not is not JSON.
    if (text.find('\0') != std::string_view::npos || !isValidUtf8(text))
        return std::nullopt;
    Json document;
    if (!Reader(text).readDocument(document))
        return std::nullopt;
    return document;
}

bool JsonPlainReader::sameDocument(const Json& a, const Json& b) {
    if (a.type() != b.type() || a.size() != b.size())
        return false;
    if (a.is_object()) {
        for (auto x = a.items().begin(), y = b.items().begin(); x != a.items().end(); ++x, ++y) {
            if (x.key() != y.key() || !sameDocument(x.value(), y.value()))
                return false;
        }
        return true;
    }
    if (a.is_array()) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!sameDocument(a[i], b[i]))
                return false;
        }
        return true;
    }
    return a == b;
}

} // namespace coding
