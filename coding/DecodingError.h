#pragma once

#include "coding/CodingError.h"

#include <string_view>

namespace coding {

class DecodingError : public CodingError {
public:
    enum class Kind { typeMismatch, valueNotFound, keyNotFound, dataCorrupted };

    static DecodingError typeMismatch(std::string_view type, ErrorContext context) {
        return DecodingError(Kind::typeMismatch, std::string(type), {}, std::move(context));
    }
    static DecodingError valueNotFound(std::string_view type, ErrorContext context) {
        return DecodingError(Kind::valueNotFound, std::string(type), {}, std::move(context));
    }
    static DecodingError keyNotFound(CodingKey key, ErrorContext context) {
        return DecodingError(Kind::keyNotFound, {}, std::move(key), std::move(context));
    }
    static DecodingError dataCorrupted(ErrorContext context) {
        return DecodingError(Kind::dataCorrupted, {}, {}, std::move(context));
    }
    static DecodingError dataCorrupted(CodingPath path, std::string description) {
        return dataCorrupted(ErrorContext{std::move(path), std::move(description), nullptr});
    }

    Kind kind() const { return kind_; }
    // The expected type, for typeMismatch and valueNotFound.
    const std::string& typeName() const { return typeName_; }
    // The missing key, for keyNotFound.
    const CodingKey& key() const { return key_; }
    const ErrorContext& context() const { return context_; }
    const CodingPath& codingPath() const { return context_.codingPath; }
    const std::string& debugDescription() const { return context_.debugDescription; }

    void prependPath(const CodingPath& prefix);
    void prependKey(const CodingKey& key);

protected:
    std::string describe() const override;

private:
    DecodingError(Kind kind, std::string typeName, CodingKey key, ErrorContext context)
        : kind_(kind), typeName_(std::move(typeName)), key_(std::move(key)), context_(std::move(context)) {}

    Kind kind_;
    std::string typeName_;
    CodingKey key_;
    ErrorContext context_;
};

} // namespace coding
