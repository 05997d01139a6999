#include "app/reading/SavedPageValues.h"

#include <utility>

namespace lumenscroll {

const SavedPageValues::ListEntry* SavedPageValues::lastListEntry(std::size_t index) const {
    return listEntries_.find(index);
}

void SavedPageValues::rememberListEntry(std::size_t index, ListEntry entry) {
    listEntries_.put(index, std::move(entry));
}

void SavedPageValues::keepListEntries(std::size_t count) {
    listEntries_.keep(count);
}

const QByteArray* SavedPageValues::textsJson(const std::vector<std::vector<BibleStructure>>& books) const {
    return texts_ && texts_->books == books ? &texts_->json : nullptr;
}

void SavedPageValues::rememberTexts(const std::vector<std::vector<BibleStructure>>& books, QByteArray json) {
    texts_ = Texts{books, std::move(json)};
}

} // namespace lumenscroll
