#pragma once

// Everything a type needs to describe itself to a coder.
#include "coding/Codable.h"
#include "coding/CodingKey.h"
#include "coding/Data.h"
#include "coding/DecodingError.h"
#include "coding/Decoder.h"
#include "coding/EncodingError.h"
#include "coding/Encoder.h"
#include "coding/FixedSize.h"
#include "coding/KeySet.h"
#include "coding/RawValueEnum.h"
#include "coding/SignedValue.h"
