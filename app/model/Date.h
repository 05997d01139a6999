#pragma once

#include "coding/Decoder.h"
#include "coding/Encoder.h"

#include <compare>
#include <string_view>

namespace lumenscroll {

// A point in time as the account records store it: seconds since 2001-01-01 00:00:00 UTC,
// coded as that one number.
struct Date {
    double timeIntervalSinceReferenceDate = 0;

    static constexpr std::string_view codingTypeName = "Date";
    // 2001-01-01 00:00:00 UTC in seconds since 1970-01-01 00:00:00 UTC.
    static constexpr double referenceDateSince1970 = 978307200.0;

    static Date now();
    static Date fromTimeIntervalSince1970(double seconds) { return Date{seconds - referenceDateSince1970}; }
    double timeIntervalSince1970() const { return timeIntervalSinceReferenceDate + referenceDateSince1970; }

    void encode(coding::Encoder& encoder) const;
    static Date decode(coding::Decoder& decoder);

    friend auto operator<=>(const Date&, const Date&) = default;
};

} // namespace lumenscroll
