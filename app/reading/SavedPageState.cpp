#include "app/reading/SavedPageState.h"

#include <memory>
#include <utility>

namespace lumenscroll {

namespace {

template <class T> void put(std::vector<std::optional<T>>& entries, std::size_t index, T entry) {
    if (entries.size() <= index) {
        entries.resize(index + 1);
    }
    entries[index] = std::move(entry);
}

template <class T> const T* find(const std::vector<std::optional<T>>& entries, std::size_t index) {
    return index < entries.size() && entries[index] ? &*entries[index] : nullptr;
}

} // namespace

void SavedPageState::useStorage(const QString& folder, const QString& settingsFile) {
    if (folder == folder_ && settingsFile == settingsFile_) {
        return;
    }
    *this = SavedPageState();
    folder_ = folder;
    settingsFile_ = settingsFile;
}

bool SavedPageState::fileHolds(std::size_t index, const BibleStructure& record,
                               const std::optional<FileStamp>& stamp) const {
    const File* file = find(files_, index);
    return file && stamp == file->stamp && file->record == record;
}

bool SavedPageState::fileUnchanged(std::size_t index, const std::optional<FileStamp>& stamp) const {
    const File* file = find(files_, index);
    return file && stamp == file->stamp;
}

void SavedPageState::rememberFile(std::size_t index, const BibleStructure& record, const FileStamp& stamp) {
    put(files_, index, File{record, stamp});
}

void SavedPageState::forgetFile(std::size_t index) {
    if (index < files_.size()) {
        files_[index].reset();
    }
}

void SavedPageState::keepFiles(std::size_t count) {
    if (files_.size() > count) {
        files_.resize(count);
    }
}

const QByteArray* SavedPageState::listEntry(std::size_t index, const BibleStructure& blanked) const {
    const ListEntry* entry = find(listEntries_, index);
    return entry && entry->blanked == blanked ? &entry->json : nullptr;
}

const SavedPageState::ListEntry* SavedPageState::lastListEntry(std::size_t index) const {
    return find(listEntries_, index);
}

void SavedPageState::rememberListEntry(std::size_t index, const BibleStructure& blanked, QByteArray json) {
    put(listEntries_, index, ListEntry{blanked, std::move(json)});
}

void SavedPageState::keepListEntries(std::size_t count) {
    if (listEntries_.size() > count) {
        listEntries_.resize(count);
    }
}

const QByteArray* SavedPageState::textsJson(const std::vector<std::vector<BibleStructure>>& books) const {
    return texts_ && texts_->books == books ? &texts_->json : nullptr;
}

void SavedPageState::rememberTexts(const std::vector<std::vector<BibleStructure>>& books, QByteArray json) {
    texts_ = Texts{books, std::move(json)};
}

} // namespace lumenscroll
