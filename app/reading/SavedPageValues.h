#pragma once

#include "app/model/BibleStructure.h"
#include "app/reading/PageEntries.h"

#include <QByteArray>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace lumenscroll {

// What the saves of this run, and the restore at launch, have left in the two stored values, so
// that a save makes again only what changed since: for each page, the record (verse texts empty)
// that its entry of the stored page list was made from, and that entry's JSON; the loaded texts
// that the stored texts were made from, and their JSON.
class SavedPageValues {
public:
    // Pages open on one chapter hold equal records: their entries share the records.
    struct ListEntry {
        // The page's record the entry was made from, or a record that gives the same entry.
        std::shared_ptr<const BibleStructure> page;
        // The same with its verse texts empty, as the entry holds it.
        std::shared_ptr<const BibleStructure> blanked;
        QByteArray json;
    };

    // Page `index`'s entry as it was last made, whatever the page is now; null when none was.
    const ListEntry* lastListEntry(std::size_t index) const;
    void rememberListEntry(std::size_t index, ListEntry entry);
    // Forgets the entries of the pages at or past `count`.
    void keepListEntries(std::size_t count);

    // The stored texts' JSON when it was made from `books`; null otherwise.
    const QByteArray* textsJson(const std::vector<std::vector<BibleStructure>>& books) const;
    void rememberTexts(const std::vector<std::vector<BibleStructure>>& books, QByteArray json);

private:
    struct Texts {
        std::vector<std::vector<BibleStructure>> books;
        QByteArray json;
    };

    PageEntries<ListEntry> listEntries_;
    std::optional<Texts> texts_;
};

} // namespace lumenscroll
