#pragma once

#include "app/model/BibleKind.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumenscroll {

class AppContext;

// The Bible text resources among the application's resources: one file of type "txt" per
// book and translation, "01창세기" ... "66요한계시록" for kr01 and "01Genesis" ...
// "66Revelation" for en01. The other translations have no text.
class TextResource {
public:
    TextResource() = delete;

    static constexpr const char* type = "txt";

    static bool hasText(BibleKind kind) { return kind == BibleKind::kr01 || kind == BibleKind::en01; }

    // The book's number (index + 1) in two digits, then its name in the translation's
    // language. Empty for a translation without text or a book index outside 0-65.
    static std::string name(BibleKind kind, std::int64_t bookIndex);

    // The whole text of the resource `name` among the context's resources. None when there is
    // no such resource (traced as "file is not exist") or when it is not UTF-8. The book read
    // last is given again from the context's TextFileCache while its file stays as it was:
    // each read otherwise checks the whole book's UTF-8.
    static std::optional<std::string> read(const AppContext& context, const std::string& name);
    // The same text without a copy: a view of the context's TextFileCache, good until the next
    // read of a text resource through the context.
    static std::optional<std::string_view> view(const AppContext& context, const std::string& name);
};

} // namespace lumenscroll
