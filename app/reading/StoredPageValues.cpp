#include "app/reading/StoredPageValues.h"

#include "app/model/BibleBook.h"
#include "app/platform/SettingsStore.h"
#include "app/platform/Trace.h"
#include "app/reading/SavedPageValues.h"
#include "coding/Data.h"
#include "coding/json/JsonArrayText.h"
#include "coding/json/JsonDecoder.h"
#include "coding/json/JsonEncoder.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace lumenscroll {

namespace {

QByteArray toByteArray(const coding::Data& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

std::string_view textOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

template <class Record> QByteArray jsonOf(const Record& record) {
    return toByteArray(coding::JsonEncoder().encode(record));
}

// The JSON array of `count` elements, element i's JSON being `element(i)`.
template <class Element> QByteArray jsonArray(std::size_t count, Element&& element) {
    QByteArray json;
    coding::JsonArrayText::write(json, count, std::forward<Element>(element));
    return json;
}

// The page as the stored page list holds it.
BibleStructure blankedWords(const BibleStructure& page) {
    BibleStructure blanked = page;
    for (BiblePraise& praise : blanked.praises) {
        praise.word.clear();
    }
    return blanked;
}

// The JSON of a page's entry. A save usually follows a change to a verse or two of a page: each
// verse that is as it was when the page's last entry was made keeps its JSON from there.
QByteArray listEntryJson(const BibleStructure& blanked, const SavedPageValues::ListEntry* last) {
    if (!last) {
        return jsonOf(blanked);
    }
    const std::vector<BiblePraise>& lastVerses = last->blanked->praises;
    return toByteArray(coding::JsonEncoder().encodeKeepingElements(
        blanked, BibleStructure::keyPraises, *last->blanked, textOf(last->json),
        [&](std::size_t i) { return lastVerses[i] == blanked.praises[i]; }));
}

// The entry of `page`, page `index`, noted in `saved`: the last one while the page gives it
// still, the entry of an equal page this save made (pages open on one chapter hold equal
// records, each chapter's marks being on every page that shows it), or one made again. `made`
// lists the pages whose entries this save made.
QByteArray listEntryOf(const BibleStructure& page, std::size_t index, std::vector<std::size_t>& made,
                       SavedPageValues& saved) {
    const SavedPageValues::ListEntry* last = saved.lastListEntry(index);
    if (last && *last->page == page) {
        return last->json;
    }
    for (auto other = made.rbegin(); other != made.rend(); ++other) {
        if (*saved.lastListEntry(*other)->page == page) {
            const SavedPageValues::ListEntry same = *saved.lastListEntry(*other);
            saved.rememberListEntry(index, same);
            return same.json;
        }
    }
    made.push_back(index);
    auto blanked = std::make_shared<const BibleStructure>(blankedWords(page));
    // Only the verse texts changed (the page's chapter text was loaded): the entry stands.
    if (last && *last->blanked == *blanked) {
        SavedPageValues::ListEntry entry{std::make_shared<const BibleStructure>(page), last->blanked, last->json};
        saved.rememberListEntry(index, entry);
        return entry.json;
    }
    QByteArray json = listEntryJson(*blanked, last);
    saved.rememberListEntry(index, {std::make_shared<const BibleStructure>(page), std::move(blanked), json});
    return json;
}

// The JSON of a placeholder chapter record, which all but a chapter or two of the loaded texts
// are.
const QByteArray& placeholderJson() {
    static const QByteArray json = jsonOf(BibleStructure{});
    return json;
}

// Whether the placeholder's JSON decodes back into a placeholder, so that decoding the stored
// texts may take one for the other.
bool placeholderReadsBack() {
    static const bool readsBack = [] {
        try {
            return coding::JsonDecoder().decode<BibleStructure>(textOf(placeholderJson())) ==
                   BibleStructure{};
        } catch (const std::exception&) {
            return false;
        }
    }();
    return readsBack;
}

// The JSON of a book holding the placeholder alone, as all but a few of the stored books do.
const std::string& placeholderBookJson() {
    static const std::string json = [] {
        std::string book;
        coding::JsonArrayText::write(book, 1, [](std::size_t) { return textOf(placeholderJson()); });
        return book;
    }();
    return json;
}

// A stored value decoded, or none with the error traced.
template <class T> std::optional<T> decodeWhole(const QByteArray& bytes) {
    try {
        return coding::JsonDecoder().decode<T>(textOf(bytes));
    } catch (const std::exception& error) {
        traceError(error);
        return std::nullopt;
    }
}

// The chapters of one book of the stored texts, each placeholder taken as one without decoding
// it. Throws coding errors; none when the book is not a list.
std::optional<std::vector<BibleStructure>> decodeBook(std::string_view book) {
    if (book == placeholderBookJson()) {
        return std::vector<BibleStructure>(1);
    }
    const auto chapters = coding::JsonArrayText::elements(book, textOf(placeholderJson()));
    if (!chapters) {
        return std::nullopt;
    }
    std::vector<BibleStructure> decoded;
    decoded.reserve(chapters->size());
    for (const std::string_view chapter : *chapters) {
        decoded.push_back(chapter == textOf(placeholderJson())
                              ? BibleStructure{}
                              : coding::JsonDecoder().decode<BibleStructure>(chapter));
    }
    return decoded;
}

// The stored texts decoded book by book, the placeholders not decoded at all: they are all but a
// chapter or two of more than a thousand. A value of another shape is decoded whole, for its
// error.
std::optional<std::vector<std::vector<BibleStructure>>> decodeTextsByBook(const QByteArray& bytes) {
    const auto books = placeholderReadsBack()
                           ? coding::JsonArrayText::elements(textOf(bytes), placeholderBookJson())
                           : std::nullopt;
    if (books) {
        try {
            std::vector<std::vector<BibleStructure>> texts;
            texts.reserve(books->size());
            for (const std::string_view book : *books) {
                std::optional<std::vector<BibleStructure>> chapters = decodeBook(book);
                if (!chapters) {
                    break;
                }
                texts.push_back(std::move(*chapters));
            }
            if (texts.size() == books->size()) {
                return texts;
            }
        } catch (const std::exception&) {
        }
    }
    return decodeWhole<std::vector<std::vector<BibleStructure>>>(bytes);
}

} // namespace

QByteArray StoredPageValues::selectedBibleArrayJson(const std::vector<BibleStructure>& pages) {
    return jsonArray(pages.size(), [&](std::size_t i) { return jsonOf(blankedWords(pages[i])); });
}

QByteArray StoredPageValues::bibleWordsContainerJson(const std::vector<std::vector<BibleStructure>>& books) {
    // All but a chapter or two are placeholders, whose JSON never changes: it is made once and
    // copied, and only the loaded chapters go through the encoder.
    static const BibleStructure placeholder;
    return jsonArray(books.size(), [&](std::size_t b) {
        return jsonArray(books[b].size(), [&](std::size_t c) {
            const BibleStructure& chapter = books[b][c];
            return chapter == placeholder ? placeholderJson() : jsonOf(chapter);
        });
    });
}

QByteArray StoredPageValues::pageListJson(const std::vector<BibleStructure>& pages, SavedPageValues& saved) {
    std::vector<std::size_t> made;
    std::vector<QByteArray> entries;
    entries.reserve(pages.size());
    // The brackets and commas, then the entries.
    auto size = static_cast<qsizetype>(pages.size() + 2);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        entries.push_back(listEntryOf(pages[i], i, made, saved));
        size += entries.back().size();
    }
    saved.keepListEntries(pages.size());
    QByteArray json;
    json.reserve(size);
    coding::JsonArrayText::write(json, entries.size(), [&](std::size_t i) -> const QByteArray& { return entries[i]; });
    return json;
}

QByteArray StoredPageValues::textsJson(const std::vector<std::vector<BibleStructure>>& books,
                                       SavedPageValues& saved) {
    if (const QByteArray* json = saved.textsJson(books)) {
        return *json;
    }
    QByteArray json = bibleWordsContainerJson(books);
    saved.rememberTexts(books, json);
    return json;
}

void StoredPageValues::storeIfChanged(SettingsStore& settings, const QString& key, const QByteArray& bytes) {
    if (settings.data(key) != bytes) {
        settings.setData(key, bytes);
    }
}

std::optional<QByteArray> StoredPageValues::stored(const SettingsStore& settings, const QString& key) {
    if (std::optional<QByteArray> bytes = settings.data(key)) {
        return bytes;
    }
    if (settings.hasValue(key)) {
        return settings.string(key).value_or(QString()).toUtf8();
    }
    return std::nullopt;
}

// Entry by entry, each entry's JSON kept with the record it decodes into, so that the save after
// the restore makes again only the entries of changed pages. A value that is not a list of entries
// that each decode is decoded whole, for its error.
std::optional<std::vector<BibleStructure>> StoredPageValues::decodePageList(const QByteArray& bytes,
                                                                            SavedPageValues& saved) {
    if (const auto entries = coding::JsonArrayText::elements(textOf(bytes))) {
        try {
            std::vector<BibleStructure> pages;
            pages.reserve(entries->size());
            for (const std::string_view entry : *entries) {
                pages.push_back(coding::JsonDecoder().decode<BibleStructure>(entry));
            }
            for (std::size_t i = 0; i < pages.size(); ++i) {
                // The entry holds no verse texts: the record is its own blanked form.
                auto page = std::make_shared<const BibleStructure>(pages[i]);
                saved.rememberListEntry(
                    i, {page, page, QByteArray((*entries)[i].data(), static_cast<qsizetype>((*entries)[i].size()))});
            }
            saved.keepListEntries(pages.size());
            return pages;
        } catch (const std::exception&) {
        }
    }
    return decodeWhole<std::vector<BibleStructure>>(bytes);
}

std::optional<std::vector<std::vector<BibleStructure>>>
StoredPageValues::decodeTexts(const QByteArray& bytes, SavedPageValues& saved) {
    std::optional<std::vector<std::vector<BibleStructure>>> texts = decodeTextsByBook(bytes);
    if (texts && static_cast<std::int64_t>(texts->size()) != bibleBookCount) {
        trace("error the stored " + bibleWordsContainerKey.toStdString() + " holds " +
              std::to_string(texts->size()) + " books, not " + std::to_string(bibleBookCount));
        return std::nullopt;
    }
    if (texts) {
        saved.rememberTexts(*texts, bytes);
    }
    return texts;
}

} // namespace lumenscroll
