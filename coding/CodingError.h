#pragma once

#include "coding/CodingKey.h"

#include <exception>
#include <string>

namespace coding {

// Where a coding error happened and why.
struct ErrorContext {
    CodingPath codingPath;
    std::string debugDescription;
    std::exception_ptr underlyingError;
};

// The root of every error a coder throws. what() gives kind, path and description.
class CodingError : public std::exception {
public:
    const char* what() const noexcept override;

protected:
    // The text what() returns; called again whenever the error changed since the last call.
    virtual std::string describe() const = 0;
    void invalidateDescription() { described_ = false; }

private:
    mutable std::string description_;
    mutable bool described_ = false;
};

} // namespace coding
