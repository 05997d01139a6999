#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace coding {

// A JSON array handled as the texts of its elements, so that a stored value of many elements is
// read and written an element at a time: an element whose JSON is known already is taken or
// written as that text, never parsed or encoded again.
class JsonArrayText {
public:
    JsonArrayText() = delete;

    // The elements of the JSON array `json`, each as the text that holds it (the whitespace
    // around it left out), found without parsing them: strings and nesting are followed only as
    // far as finding the commas between elements needs. None when `json` is not one array with
    // nothing but whitespace around it, when an element is empty, when a string or a nesting
    // stays open, or when the text holds a NUL byte (never part of JSON text, and where the
    // decoder stops reading, so that an element cut off by one would decode while the array does
    // not).
    //
    // An element is not checked here: whoever decodes it finds out. Elements that each decode are
    // exactly the array's elements, so decoding them one by one gives what decoding the array
    // gives.
    //
    // An element that is exactly `known` (a whole JSON value, when given) is found by comparing
    // the text with it rather than by following it: the stored values repeat one element many
    // times.
    static std::optional<std::vector<std::string_view>> elements(std::string_view json, std::string_view known = {});

    // Appends to `out` the array of `count` elements whose JSON texts are element(0) up to
    // element(count - 1), laid out as JsonEncoder lays out a list: what it writes of a list whose
    // elements it would write as those texts.
    template <class Out, class Element>
    static void write(Out& out, std::size_t count, Element&& element) {
        out += '[';
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0)
                out += ',';
            out += element(i);
        }
        out += ']';
    }
};

} // namespace coding
