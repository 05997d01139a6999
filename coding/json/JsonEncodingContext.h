#pragma once

#include "coding/UserInfo.h"
#include "coding/json/JsonKeptElements.h"

namespace coding {

// What every node and container of one encoding shares.
struct JsonEncodingContext {
    UserInfo userInfo;
    // The list whose elements are written as texts given, if any (JsonEncoder::encodeKeepingElements).
    const JsonKeptElements* keptElements = nullptr;
};

} // namespace coding
