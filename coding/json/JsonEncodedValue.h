#pragma once

#include "coding/KeyIndex.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace coding {

// One JSON value while it is being encoded. Containers handed out to a record keep writing into
// it after the call that made them returned, so every value has a stable identity (it is held by
// shared_ptr) until the whole tree is turned into a document at the end.
class JsonEncodedValue {
public:
    enum class Kind : std::uint8_t { unset, scalar, array, object, text };

    Kind kind() const { return kind_; }

    void setScalar(nlohmann::ordered_json value);
    // A value written as `json`, JSON text already, byte for byte; the text must outlive write().
    void setText(std::string_view json);
    void becomeArray();
    void becomeObject();

    // Array values.
    std::shared_ptr<JsonEncodedValue> appendElement();
    std::size_t elementCount() const { return elements_.size(); }

    // Object values. A key written again keeps its first position and takes the new value.
    std::shared_ptr<JsonEncodedValue> member(std::string_view key) const;
    std::shared_ptr<JsonEncodedValue> replaceMember(std::string_view key);

    // Appends the tree's compact JSON text to `out`, as the document writer writes it: a value
    // nothing was written to is an empty object, as a value that encodes nothing is in Swift.
    // Every text in the tree was checked for UTF-8 on the way in.
    void write(std::string& out) const;

private:
    Kind kind_ = Kind::unset;
    nlohmann::ordered_json scalar_;
    std::string_view text_;
    std::size_t findMember(std::string_view key) const;

    std::vector<std::shared_ptr<JsonEncodedValue>> elements_;
    std::vector<std::pair<std::string, std::shared_ptr<JsonEncodedValue>>> members_;
    KeyIndex<> memberIndex_;
};

} // namespace coding
