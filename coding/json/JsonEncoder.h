#pragma once

#include "coding/Codable.h"
#include "coding/Data.h"
#include "coding/EncodeItem.h"
#include "coding/UserInfo.h"

namespace coding {

// Writes a value as compact UTF-8 JSON, object keys in the order they were written.
// Throws EncodingError for what JSON cannot carry (NaN and infinities, text that is not UTF-8).
class JsonEncoder {
public:
    UserInfo userInfo;

    template <class T>
    Data encode(const T& value) const {
        return encodeItem(makeEncodeItem(value));
    }

private:
    Data encodeItem(const EncodeItem& item) const;
};

} // namespace coding
