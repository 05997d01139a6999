#include "app/model/Date.h"

#include "coding/Codable.h"

#include <chrono>

namespace lumenscroll {

Date Date::now() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return fromTimeIntervalSince1970(std::chrono::duration<double>(sinceEpoch).count());
}

void Date::encode(coding::Encoder& encoder) const {
    encoder.singleValueContainer().encode(timeIntervalSinceReferenceDate);
}

Date Date::decode(coding::Decoder& decoder) {
    return Date{decoder.singleValueContainer().decode<double>()};
}

} // namespace lumenscroll
