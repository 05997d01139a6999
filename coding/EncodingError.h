#pragma once

#include "coding/CodingError.h"

#include <any>

namespace coding {

class EncodingError : public CodingError {
public:
    enum class Kind { invalidValue };

    static EncodingError invalidValue(std::any value, ErrorContext context) {
        return EncodingError(Kind::invalidValue, std::move(value), std::move(context));
    }

    Kind kind() const { return kind_; }
    const std::any& value() const { return value_; }
    const ErrorContext& context() const { return context_; }
    const CodingPath& codingPath() const { return context_.codingPath; }
    const std::string& debugDescription() const { return context_.debugDescription; }

    // Containers put their own path in front while the error travels outward.
    void prependPath(const CodingPath& prefix);

protected:
    std::string describe() const override;

private:
    EncodingError(Kind kind, std::any value, ErrorContext context)
        : kind_(kind), value_(std::move(value)), context_(std::move(context)) {}

    Kind kind_;
    std::any value_;
    ErrorContext context_;
};

} // namespace coding
