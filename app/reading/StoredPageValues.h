#pragma once

#include "app/model/BibleStructure.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace lumenscroll {

class SavedPageValues;
class SettingsStore;

// The two JSON user defaults of the page state: under "SelectedBibleArray" the open pages with
// every verse text empty (the texts come from the resources at the next start, the list keeps the
// marks), under "BibleWordsContainer" the loaded texts as they are. A save makes again only what
// changed since the last (SavedPageValues), and the restore reads them back element by element,
// noting what it read, so that the save ending it finds them unchanged.
class StoredPageValues {
public:
    StoredPageValues() = delete;

    static inline const QString selectedBibleArrayKey = QStringLiteral("SelectedBibleArray");
    static inline const QString bibleWordsContainerKey = QStringLiteral("BibleWordsContainer");

    // The JSON stored under "SelectedBibleArray". The pages passed in are left as they are.
    // Throws coding errors.
    static QByteArray selectedBibleArrayJson(const std::vector<BibleStructure>& pages);
    // The JSON stored under "BibleWordsContainer". Throws coding errors.
    static QByteArray bibleWordsContainerJson(const std::vector<std::vector<BibleStructure>>& books);

    // The same two, each page's entry and the texts made again only where they changed since
    // `saved` noted them, noting what is made. Throw coding errors.
    static QByteArray pageListJson(const std::vector<BibleStructure>& pages, SavedPageValues& saved);
    static QByteArray textsJson(const std::vector<std::vector<BibleStructure>>& books,
                                SavedPageValues& saved);

    // Stores a user default unless it holds these bytes already, so that a save that changed
    // nothing there does not rewrite the settings file.
    static void storeIfChanged(SettingsStore& settings, const QString& key, const QByteArray& bytes);

    // The stored bytes under `key`: none when there is nothing there. Something there that is not
    // bytes is read as text, which will not decode either, so that it is kept before it is saved
    // over.
    static std::optional<QByteArray> stored(const SettingsStore& settings, const QString& key);

    // The stored page list decoded, noted in `saved` as stored; none, with the error traced, when
    // it does not decode.
    static std::optional<std::vector<BibleStructure>> decodePageList(const QByteArray& bytes,
                                                                     SavedPageValues& saved);
    // The stored texts decoded, noted in `saved` as stored; none, with the error traced, when they
    // do not decode or are not one list per book.
    static std::optional<std::vector<std::vector<BibleStructure>>> decodeTexts(const QByteArray& bytes,
                                                                               SavedPageValues& saved);
};

} // namespace lumenscroll
