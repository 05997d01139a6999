#include "JsonTestSupport.h"

namespace lumenscroll::test {

namespace {

// The end of the JSON value that starts at `begin`.
std::size_t valueEnd(std::string_view json, std::size_t begin) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = begin; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '{' || c == '[')
            ++depth;
        else if (c == '}' || c == ']') {
            if (depth == 0)
                return i;
            --depth;
        } else if (c == ',' && depth == 0)
            return i;
    }
    return json.size();
}

} // namespace

std::string withoutTopLevelKey(std::string_view json, std::string_view key) {
    const std::string member = "\"" + std::string(key) + "\":";
    // Walk the outermost object's members so that a nested key of the same name is left alone.
    std::size_t position = 1;
    while (position < json.size() && json[position] != '}') {
        std::size_t keyEnd = position + 1;
        while (keyEnd < json.size() && json[keyEnd] != '"')
            keyEnd += json[keyEnd] == '\\' ? 2 : 1;
        const std::size_t colon = keyEnd + 1;
        const std::size_t end = valueEnd(json, colon + 1);
        if (json.substr(position, member.size()) == member) {
            std::string result(json);
            if (json[end] == ',')
                return result.erase(position, end + 1 - position);
            if (json[position - 1] == ',')
                return result.erase(position - 1, end - position + 1);
            return result.erase(position, end - position);
        }
        position = json[end] == ',' ? end + 1 : end;
    }
    throw std::logic_error("no member " + std::string(key) + " in " + std::string(json));
}

} // namespace lumenscroll::test
