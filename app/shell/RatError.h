#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>

namespace lumenscroll {

// Why an animated image could not be read into a frame provider. Two errors are equal when
// their cases are, and hash alike (std::hash<RatError>).
class RatError : public std::runtime_error {
public:
    enum Case {
        fileNotFound = 0,
        noImages = 1,
        noImageProperties = 2,
        noImageDictionary = 3,
        noImageTimingInfo = 4,
    };

    explicit RatError(Case errorCase);

    Case errorCase() const { return case_; }
    int code() const { return static_cast<int>(case_); }

    friend bool operator==(const RatError& a, const RatError& b) { return a.case_ == b.case_; }

private:
    Case case_;
};

} // namespace lumenscroll

template <> struct std::hash<lumenscroll::RatError> {
    std::size_t operator()(const lumenscroll::RatError& error) const noexcept {
        return std::hash<int>()(error.code());
    }
};
