// Arbitrary text for the JSON decoder, read as one of the two values the program stores as JSON:
// the open pages ([BibleStructure]) or the loaded texts ([[BibleStructure]]); bit 0 of the first
// byte chooses. A decoding error is the expected answer to bad text; anything else (a crash, a
// sanitizer report, another exception) is a finding. What decodes must encode to JSON that
// decodes to the same records. The restore at launch splits the stored arrays into their
// elements without parsing them and decodes the elements one by one: where every element
// decodes, that must give exactly what decoding the whole value gives. A text the plain JSON
// reader takes must be read by the general parser, to the same document.

#include "FuzzCheck.h"

#include "app/model/BibleStructure.h"
#include "coding/Coding.h"
#include "coding/json/JsonArrayText.h"
#include "coding/json/JsonDecoder.h"
#include "coding/json/JsonDocumentBuilder.h"
#include "coding/json/JsonEncoder.h"
#include "coding/json/JsonPlainReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using fuzzing::fail;
using lumenscroll::BibleStructure;
using Pages = std::vector<BibleStructure>;
using Texts = std::vector<std::vector<BibleStructure>>;

template <class T> std::optional<T> decoded(std::string_view json) {
    try {
        return coding::JsonDecoder().decode<T>(json);
    } catch (const coding::CodingError&) {
        return std::nullopt;
    }
}

// The value read element by element, as the restore reads it; none when the text is not an
// array or an element does not decode.
std::optional<BibleStructure> byElements(std::string_view json, const BibleStructure*) {
    return decoded<BibleStructure>(json);
}

template <class Element>
std::optional<std::vector<Element>> byElements(std::string_view json, const std::vector<Element>*) {
    const std::optional<std::vector<std::string_view>> elements = coding::JsonArrayText::elements(json);
    if (!elements) {
        return std::nullopt;
    }
    std::vector<Element> result;
    for (const std::string_view element : *elements) {
        std::optional<Element> one = byElements(element, static_cast<const Element*>(nullptr));
        if (!one) {
            return std::nullopt;
        }
        result.push_back(std::move(*one));
    }
    return result;
}

template <class T> void check(std::string_view json) {
    const std::optional<T> whole = decoded<T>(json);
    if (const std::optional<T> pieces = byElements(json, static_cast<const T*>(nullptr))) {
        if (!whole) {
            fail("the elements decode one by one but the whole value does not");
        }
        if (*pieces != *whole) {
            fail("the elements decode one by one to other records than the whole value");
        }
    }
    if (!whole) {
        return;
    }
    coding::Data encoded;
    try {
        encoded = coding::JsonEncoder().encode(*whole);
    } catch (const coding::CodingError&) {
        fail("decoded records do not encode");
    }
    const std::optional<T> again = decoded<T>(encoded.view());
    if (!again) {
        fail("the encoding of decoded records does not decode");
    }
    if (*again != *whole) {
        fail("decoded records encode to JSON that decodes to other records");
    }
}

void checkReaders(std::string_view json) {
    const auto plain = coding::JsonPlainReader::read(json);
    if (!plain) {
        return;
    }
    try {
        if (!coding::JsonPlainReader::sameDocument(*plain, coding::JsonDocumentBuilder::parseGenerally(json))) {
            fail("the plain JSON reader and the general parser read a text to different documents");
        }
    } catch (const coding::CodingError&) {
        fail("the plain JSON reader takes a text the general parser refuses");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view json(reinterpret_cast<const char*>(data + 1), size - 1);
    checkReaders(json);
    if ((data[0] & 1) == 0) {
        check<Pages>(json);
    } else {
        check<Texts>(json);
    }
    return 0;
}
