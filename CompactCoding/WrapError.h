#pragma once

#include "coding/CodingKey.h"
#include "coding/EncodingError.h"

#include <exception>
#include <string>
#include <utility>

namespace coding {

// Runs one encoding step of a container and gives its result. An invalid-value error gets the
// container's path in front of its own; any error that is not an encoding error becomes an
// invalid-value error "An unknown error occured" carrying it as the underlying error.
template <class Step>
decltype(auto) wrapError(const CodingPath& codingPath, Step&& step) {
    try {
        return std::forward<Step>(step)();
    } catch (EncodingError& error) {
        if (error.kind() == EncodingError::Kind::invalidValue)
            error.prependPath(codingPath);
        throw;
    } catch (...) {
        throw EncodingError::invalidValue(std::string(),
                                          ErrorContext{codingPath, "An unknown error occured", std::current_exception()});
    }
}

// The same for a step that codes the value under `key`: the path the error gets is the
// container's path followed by the key, built only when there is an error.
template <class Step>
decltype(auto) wrapError(const CodingPath& codingPath, const CodingKey& key, Step&& step) {
    const auto pathToKey = [&] {
        CodingPath path = codingPath;
        path.push_back(key);
        return path;
    };
    try {
        return std::forward<Step>(step)();
    } catch (EncodingError& error) {
        if (error.kind() == EncodingError::Kind::invalidValue)
            error.prependPath(pathToKey());
        throw;
    } catch (...) {
        throw EncodingError::invalidValue(std::string(),
                                          ErrorContext{pathToKey(), "An unknown error occured", std::current_exception()});
    }
}

} // namespace coding
