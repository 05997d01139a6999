#include "app/shell/CarouselView.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/platform/FileSystem.h"
#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/Utils.h"
#include "coding/json/JsonDecoder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>

namespace lumenscroll {

namespace {

std::int64_t countOf(std::size_t size) {
    return static_cast<std::int64_t>(size);
}

std::string text(std::int64_t value) {
    return std::to_string(value);
}

// The page a first run opens: Genesis 1 of 개역한글.
BibleStructure firstRunRecord() {
    BibleStructure record;
    record.versesIndex = 0;
    record.order = 0;
    record.language = std::string(koreanLanguageCode);
    record.name = std::string(koreanBookName(BibleBook::genesis));
    record.isOldTestment = true;
    record.sectionIndex = 0;
    record.kindOfBible = BibleKind::kr01;
    record.matchingIndexToMemo = 0;
    return record;
}

// The verses of a chapter as the text resources give them (text, heading, position), carrying
// the marks of the stored verse at the same position: the stored list keeps no text, and the
// text may have been corrected since, but the marks are the user's.
std::vector<BiblePraise> markedVerses(std::vector<BiblePraise> verses,
                                      const std::vector<BiblePraise>& stored) {
    for (std::size_t j = 0; j < verses.size(); ++j) {
        BiblePraise& verse = verses[j];
        verse.isSelected = false;
        if (j >= stored.size()) {
            continue;
        }
        const BiblePraise& marked = stored[j];
        verse.hasMemo = marked.hasMemo;
        if (marked.memo) {
            verse.memo = marked.memo;
        }
        verse.memoTitle = marked.memoTitle;
        verse.bgColor = marked.bgColor;
        verse.bookmarked = marked.bookmarked;
    }
    return verses;
}

// A stored value decoded, or none with the error traced.
template <class T> std::optional<T> decodeStored(const QByteArray& bytes) {
    try {
        return coding::JsonDecoder().decode<T>(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const std::exception& error) {
        trace(std::string("error ") + error.what());
        return std::nullopt;
    }
}

// Three whole numbers joined by "@": book, chapter index, verse index.
std::optional<std::int64_t> parseInteger(std::string_view piece) {
    std::size_t position = 0;
    bool negative = false;
    if (!piece.empty() && (piece.front() == '+' || piece.front() == '-')) {
        negative = piece.front() == '-';
        position = 1;
    }
    if (position == piece.size() || piece.size() - position > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; position < piece.size(); ++position) {
        const char digit = piece[position];
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return negative ? -value : value;
}

std::vector<std::string_view> splitDroppingEmpty(std::string_view value, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(separator, start), value.size());
        if (end > start) {
            pieces.push_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return pieces;
}

} // namespace

template <class T> Binding<T> CarouselView::guarded(Binding<T> binding) const {
    std::weak_ptr<const bool> alive = alive_;
    return Binding<T>([alive, binding] { return alive.expired() ? T{} : binding.get(); },
                      [alive, binding](const T& value) {
                          if (!alive.expired()) {
                              binding.set(value);
                          }
                      });
}

CarouselView::CarouselView(UserSettings& userSettings, AppContext& context, Binding<bool> matched,
                           Binding<bool> plusBible, Binding<bool> isShrinked, Binding<bool> plusBtnPressed,
                           std::vector<std::string> titlePhotoArray, Binding<bool> pagesRestored,
                           ObjectWillChangePublisher* bindingsOwner)
    : matched(std::move(matched))
    , plusBible(std::move(plusBible))
    , isShrinked(std::move(isShrinked))
    , plusBtnPressed(std::move(plusBtnPressed))
    , userSettings(userSettings)
    , titlePhotoArray(*this, std::move(titlePhotoArray))
    , pagesRestored(std::move(pagesRestored))
    , context_(context)
    , watchers_(context.scheduler()) {
    if (bindingsOwner != nullptr) {
        // A change of what the bindings refer to is a change of what this view shows.
        bindingsOwnerChanges_ = bindingsOwner->sink([this] { publisher().send(); });
    }
    watchers_.observe(*this);
    watchers_.observe(userSettings);
    watchers_.watch([this] { return countOf(this->userSettings.selectedBibleArray->size()); },
                    [this](std::int64_t count) { fillNewPage(count); });
    watchers_.watch([this] { return this->userSettings.plusBible(); },
                    [this](bool value) { addPage(value); });
    watchers_.watch([this] { return selectedTab(); },
                    [this](std::int64_t index) { currentPageChanged(index); });
}

CarouselView::~CarouselView() = default;

void CarouselView::appear() {
    if (appeared_) {
        return;
    }
    appeared_ = true;
    restorePages();
    pagesRestored.set(true);
}

// --- Restoring ---

std::optional<QByteArray> CarouselView::storedValue(const QString& key) const {
    const SettingsStore& settings = context_.settings();
    if (std::optional<QByteArray> bytes = settings.data(key)) {
        return bytes;
    }
    // Something is there, but not as bytes: it is read as text, which will not decode either,
    // so that it is kept before it is saved over.
    if (settings.hasValue(key)) {
        return settings.string(key).value_or(QString()).toUtf8();
    }
    return std::nullopt;
}

void CarouselView::backUp(const QString& key, const QByteArray& bytes, const char* reason) const {
    const QString folder = context_.documents().filePath(PageStatePersistence::baseFolderName);
    QString error;
    if (!FileSystem::isDirectory(folder) && !FileSystem::makeDirectories(folder, &error)) {
        trace(QStringLiteral("error ") + error);
        return;
    }
    // A value that stays as it is (a bad one that nothing has saved over yet) is met again at
    // every launch: one copy of it is enough.
    const QString prefix = key + QLatin1Char('.');
    for (const QString& name : QDir(folder).entryList({prefix + QLatin1Char('*')}, QDir::Files)) {
        if (FileSystem::read(QDir(folder).filePath(name)) == bytes) {
            trace(QStringLiteral("the stored ") + key + QStringLiteral(" is kept in ") +
                  QDir(folder).filePath(name) + QStringLiteral(" already"));
            return;
        }
    }
    const QString stem = prefix + QLatin1String(reason) + QLatin1Char('-') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A backup is never replaced: a later one of the same second takes the next free number.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString name = stem + (attempt == 1 ? QString() : QLatin1Char('-') + QString::number(attempt)) +
                             QStringLiteral(".json");
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists()) {
                continue;
            }
            trace(QStringLiteral("error ") + file.errorString());
            return;
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            trace(QStringLiteral("error ") + file.errorString());
            return;
        }
        trace(QStringLiteral("the stored ") + key + QStringLiteral(" was kept in ") + file.fileName());
        return;
    }
    trace(QStringLiteral("error no free name for a backup of ") + key);
}

void CarouselView::restorePages() {
    UserSettings& settings = userSettings;
    if (!settings.roles->empty()) {
        trace("userSettings.selectedBibleArray.count " + text(countOf(settings.selectedBibleArray->size())));
        return;
    }

    const QString& pagesKey = PageStatePersistence::selectedBibleArrayKey;
    const QString& textsKey = PageStatePersistence::bibleWordsContainerKey;
    const bool optionHeld = context_.keys().isOptionKeyDown();
    // Both read now, before anything of this run can save over them.
    const std::optional<QByteArray> storedPages = optionHeld ? std::nullopt : storedValue(pagesKey);
    const std::optional<QByteArray> storedTexts = storedValue(textsKey);

    // Each value stands on its own: the pages' verses come from the text resources, not from
    // the loaded texts, so a bad texts value costs nothing but itself, and the next save
    // replaces it.
    if (storedPages) {
        if (auto pages = decodeStored<std::vector<BibleStructure>>(*storedPages)) {
            settings.selectedBibleArray.set(std::move(*pages));
        } else {
            backUp(pagesKey, *storedPages, "corrupt");
        }
    }
    if (storedTexts) {
        auto texts = decodeStored<std::vector<std::vector<BibleStructure>>>(*storedTexts);
        if (texts && countOf(texts->size()) != bibleBookCount) {
            trace("error the stored " + textsKey.toStdString() + " holds " + text(countOf(texts->size())) +
                  " books, not " + text(bibleBookCount));
            texts.reset();
        }
        if (texts) {
            settings.BibleWordsContainer.set(std::move(*texts));
        } else {
            backUp(textsKey, *storedTexts, "corrupt");
        }
    }

    const std::vector<BibleStructure>& records = settings.selectedBibleArray.get();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string prefix = "*** selectedBibleArray[" + std::to_string(i) + "]";
        trace(prefix + ".sectionIndex " + text(records[i].sectionIndex));
        trace(prefix + ".versesIndex " + text(records[i].versesIndex));
        trace(prefix + ".praises.count " + text(countOf(records[i].praises.size())));
    }

    if (records.empty()) {
        openFirstRunPage();
    } else {
        restoreStoredPages();
    }
}

void CarouselView::restoreStoredPages() {
    UserSettings& settings = userSettings;
    const std::int64_t count = countOf(settings.selectedBibleArray->size());
    for (std::int64_t i = 0; i < count; ++i) {
        appendPageView(i);
    }

    for (std::int64_t i = 0; i < count; ++i) {
        const BibleStructure stored = settings.selectedBibleArray.get()[at(i)];
        trace("userSettings.selectedBibleArray[" + text(i) + "].versesIndex " +
              std::string(bookNameByIndex(koreanLanguageCode, stored.sectionIndex)) + ", " +
              text(stored.versesIndex));
        const std::int64_t chapter = stored.versesIndex == -1 ? 1 : stored.versesIndex + 1;
        BibleStructure read = makeChapter(stored.sectionIndex, chapter, stored.kindOfBible, i);
        if (read.praises.empty()) {
            // The page keeps its stored verses, marks and notes, untouched: they are the user's,
            // and a later launch that has the text shows them on it again. The page shows a
            // notice in their place meanwhile.
            trace("error page " + text(i) + " names chapter " + text(chapter) + " of book " +
                  text(stored.sectionIndex) + " in " +
                  std::string(translationDisplayName(stored.kindOfBible)) + ", which has no text");
            continue;
        }
        std::vector<BiblePraise> verses = markedVerses(std::move(read.praises), stored.praises);
        settings.selectedBibleArray.modify(
            [&](std::vector<BibleStructure>& records) { records[at(i)].praises = std::move(verses); });
        for (const BiblePraise& verse : settings.selectedBibleArray.get()[at(i)].praises) {
            trace("userSettings.selectedBibleArray[i].praises[j].word " + verse.word);
        }
    }

    rebuildBookmarkRows();
    settings.OverAllSectionQTRecord.set(std::vector<std::string>(at(count)));
    settings.savePageState(context_);
}

void CarouselView::openFirstRunPage() {
    UserSettings& settings = userSettings;
    BibleView view = restoredPageView(0);
    settings.roles.modify([&](std::vector<BibleView>& views) { views.push_back(std::move(view)); });

    BibleStructure record = firstRunRecord();
    // The start-up loader's chapter of the page's book, when the loaded texts hold one.
    const auto& books = settings.BibleWordsContainer.get();
    if (isIndexOf(record.order, books.size()) && !books[at(record.order)].empty() &&
        books[at(record.order)].front().order == record.order) {
        const std::int64_t book = record.order;
        record = books[at(book)].front();
        settings.BibleWordsContainer.modify([&](std::vector<std::vector<BibleStructure>>& texts) {
            texts[at(book)].front().versesIndex = 0;
        });
    }
    record.versesIndex = 0;
    settings.selectedBibleArray.modify(
        [&](std::vector<BibleStructure>& records) { records.push_back(record); });
    const std::int64_t page = countOf(settings.roles->size()) - 1;
    trace(" ---- --- userSettings.selectedBibleArray[userSettings.roles.count - 1].versesIndex " +
          text(record.versesIndex));

    // The verses once: those the loader kept are replaced, never added to.
    BibleStructure read = makeChapter(0, 1, record.kindOfBible, page);
    settings.selectedBibleArray.modify(
        [&](std::vector<BibleStructure>& records) { records[at(page)].praises = std::move(read.praises); });
    const BibleStructure& opened = settings.selectedBibleArray.get()[at(page)];
    trace(" _____ userSettings.selectedBibleArray[0].versesIndex " + text(opened.versesIndex));
    trace("userSettings.selectedBibleArray[0].praises.count " + text(countOf(opened.praises.size())));
    if (!settings.BibleWordsContainer->empty() && !settings.BibleWordsContainer->front().empty()) {
        trace("userSettings.BibleWordsContainer[0][0].praises.count " +
              text(countOf(settings.BibleWordsContainer->front().front().praises.size())));
    }

    settings.selectedBible.set(opened);
    pageTitle(page);
    const BibleStructure shown = settings.selectedBibleArray.get()[at(page)];
    settings.roles.modify([&](std::vector<BibleView>& views) {
        views[at(page)].pickedPhotoName = Binding<std::string>::constant(firstPagePhoto);
        views[at(page)].selectedBible = shown;
    });
    rebuildBookmarkRows();
    settings.OverAllSectionQTRecord.set(std::vector<std::string>(settings.roles->size()));
}

void CarouselView::appendPageView(std::int64_t index) {
    BibleView page = restoredPageView(index);
    userSettings.roles.modify([&](std::vector<BibleView>& views) { views.push_back(std::move(page)); });
    pageTitle(index);
    const std::vector<std::string>& photos = titlePhotoArray();
    if (photos.empty()) {
        return;
    }
    const std::string photo = photos[at(context_.random().below(static_cast<int>(photos.size())))];
    userSettings.roles.modify([&](std::vector<BibleView>& views) {
        views[at(index)].pickedPhotoName = Binding<std::string>::constant(photo);
    });
}

void CarouselView::rebuildBookmarkRows() {
    std::vector<std::vector<bool>> rows;
    for (const BibleStructure& record : userSettings.selectedBibleArray.get()) {
        std::vector<bool>& row = rows.emplace_back();
        row.reserve(record.praises.size());
        for (const BiblePraise& verse : record.praises) {
            row.push_back(verse.bookmarked);
        }
    }
    userSettings.bookmarkArray.set(std::move(rows));
}

// --- Adding and filling ---

void CarouselView::addPage(bool newValue) {
    if (!newValue || !plusBtnPressed.get()) {
        return;
    }
    UserSettings& settings = userSettings;
    const std::int64_t current = selectedTab();
    if (settings.roles->empty() || !isIndexOf(current, settings.selectedBibleArray->size())) {
        trace("no page to copy for a new page: selectedTab " + text(current) + ", roles.count " +
              text(countOf(settings.roles->size())));
        return;
    }

    plusBtnPressed.set(false);
    if (!isShrinked.get()) {
        isShrinked.set(true);
    }
    prevPageIndex.set(current);
    settings.selectedTab.set(current);
    Utils::currentIndex = current;

    BibleView page = newPageView();
    settings.roles.modify([&](std::vector<BibleView>& views) { views.push_back(std::move(page)); });
    const std::int64_t added = countOf(settings.roles->size()) - 1;
    selectedTab.set(added);
    Utils::currentIndex = added;
    settings.selectedTab.set(added);

    const BibleStructure source = settings.selectedBibleArray.get()[at(prevPageIndex())];
    BibleStructure record = settings.selectedBible();
    record.order = source.order;
    record.versesIndex = source.versesIndex;
    record.name = source.name;
    record.sectionIndex = source.sectionIndex;
    record.praises = source.praises;
    record.kindOfBible = source.kindOfBible;
    settings.selectedBibleArray.modify(
        [&](std::vector<BibleStructure>& records) { records.push_back(record); });
    // The per-page lists grow with the page; the title follows the copied chapter.
    settings.bookmarkArray.modify([&](std::vector<std::vector<bool>>& rows) {
        std::vector<bool> row;
        for (const BiblePraise& verse : record.praises) {
            row.push_back(verse.bookmarked);
        }
        rows.resize(at(added));
        rows.push_back(std::move(row));
    });
    settings.OverAllSectionQTRecord.modify(
        [&](std::vector<std::string>& notes) { notes.resize(at(added + 1)); });
    pageTitle(added);

    if (settings.roles->size() != 1) {
        settings.plusBible2.set(true);
    }
}

void CarouselView::fillNewPage(std::int64_t newCount) {
    if (openSearchHit(newCount)) {
        return;
    }
    fillMissingPages(newCount);
}

bool CarouselView::openSearchHit(std::int64_t newCount) {
    UserSettings& settings = userSettings;
    const std::vector<std::string> found = settings.foundSectionVerseAndPraiseArray();
    const auto hit =
        std::find_if(found.rbegin(), found.rend(), [](const std::string& entry) { return !entry.empty(); });
    if (hit == found.rend()) {
        return false;
    }
    const std::int64_t hitIndex = countOf(found.size()) - 1 - (hit - found.rbegin());

    // The newest record is the hit's page. A page added with "New Page" has its value already;
    // a record appended for the hit gets one now.
    if (countOf(settings.roles->size()) < newCount) {
        BibleView page = restoredPageView(countOf(settings.roles->size()));
        page.pickedPhotoName = Binding<std::string>::constant(firstPagePhoto);
        settings.roles.modify([&](std::vector<BibleView>& views) { views.push_back(std::move(page)); });
    }
    const std::int64_t newest = countOf(settings.roles->size()) - 1;
    Utils::currentIndex = newest;
    settings.selectedTab.set(newest);
    trace("userSettings.foundSectionVerseAndPraiseArray.count " + text(countOf(found.size())));
    trace("userSettings.foundSectionVerseAndPraiseArray[indexForSearchedArray] " + *hit);

    const std::vector<std::string_view> pieces = splitDroppingEmpty(*hit, '@');
    if (pieces.size() < 3) {
        return true;
    }
    const std::optional<std::int64_t> book = parseInteger(pieces[0]);
    const std::optional<std::int64_t> chapterIndex = parseInteger(pieces[1]);
    const std::optional<std::int64_t> verse = parseInteger(pieces[2]);
    if (!book || !chapterIndex || !verse) {
        trace("error the search hit \"" + *hit + "\" is not a book, a chapter and a verse");
        return true;
    }
    trace("array " + text(*book) + " " + text(*chapterIndex) + " " + text(*verse));
    trace("userSettings.roles.count - 1 : " + text(newest) + ", selectedBibleArray.count " +
          text(countOf(settings.selectedBibleArray->size())));
    if (!isIndexOf(newest, settings.selectedBibleArray->size())) {
        trace("error no page record for the search hit " + text(hitIndex));
        return true;
    }

    const BibleKind kind = settings.kindOfBible().value_or(BibleKind::kr01);
    settings.selectedBibleArray.modify([&](std::vector<BibleStructure>& records) {
        BibleStructure& record = records[at(newest)];
        record.kindOfBible = kind;
        record.order = *book;
        record.versesIndex = *chapterIndex + 1;
        if (const std::optional<BibleBook> named = bibleBookFromRaw(*book)) {
            if (kind == BibleKind::kr01) {
                record.name = std::string(koreanBookName(*named));
            } else if (kind == BibleKind::en01) {
                record.name = std::string(bookName(englishLanguageCode, *named));
            }
        }
        record.sectionIndex = *book;
    });
    settings.roles.modify([&](std::vector<BibleView>& views) {
        BibleView& view = views[at(newest)];
        view.kindOfBible = kind;
        view.praiseIndex = *verse;
        view.sectionAndVerseMovingType = 0;
    });
    trace("userSettings.selectedBibleArray[userSettings.roles.count - 1].name " +
          settings.selectedBibleArray.get()[at(newest)].name);

    loadChapter(newest, *book, *chapterIndex + 1, kind);

    const BibleStructure& record = settings.selectedBibleArray.get()[at(newest)];
    const std::string verseCount = text(countOf(record.praises.size()));
    trace("userSettings.selectedBibleArray[userSettings.roles.count - 1].praises.count " + verseCount);
    trace("userSettings.selectedBibleArray[userSettings.roles.count - 1].sectionIndex " +
          text(record.sectionIndex) +
          ", userSettings.selectedBibleArray[userSettings.roles.count - 1].versesIndex " +
          text(record.versesIndex) +
          ", userSettings.selectedBibleArray[userSettings.roles.count - 1].praises.count " + verseCount +
          ", praiseIndex " + text(*verse));
    trace("userSettings.roles.count " + text(countOf(settings.roles->size())));

    pageTitle(newest);
    rebuildBookmarkRows();
    settings.OverAllSectionQTRecord.modify(
        [&](std::vector<std::string>& notes) { notes.resize(settings.selectedBibleArray->size()); });
    settings.savePageState(context_);
    settings.praiseSelected.set(*verse);
    trace(" == userSettings.praiseSelected " + text(settings.praiseSelected()));
    selectedTab.set(newest);
    return true;
}

void CarouselView::fillMissingPages(std::int64_t newCount) {
    UserSettings& settings = userSettings;
    if (newCount < 2 || countOf(settings.roles->size()) >= newCount) {
        return;
    }
    for (std::int64_t i = countOf(settings.roles->size()); i < newCount; ++i) {
        appendPageView(i);
    }
    rebuildBookmarkRows();
    settings.OverAllSectionQTRecord.set(std::vector<std::string>(settings.roles->size()));
}

// --- Closing ---

void CarouselView::deletePage() {
    UserSettings& settings = userSettings;
    const std::size_t count = settings.roles->size();
    if (count == 1) {
        settings.deleteBibleViewProcess.set(true);
        showNotice(lastPageNotice);
        scheduleDeleteProcessReset();
        return;
    }
    const std::int64_t closed = selectedTab();
    if (!isIndexOf(closed, count) || settings.selectedBibleArray->size() != count) {
        trace("no page to close: selectedTab " + text(closed) + ", roles.count " + text(countOf(count)) +
              ", selectedBibleArray.count " + text(countOf(settings.selectedBibleArray->size())));
        return;
    }
    settings.deleteBibleViewProcess.set(true);

    std::vector<BibleView> views = settings.roles();
    std::vector<BibleStructure> records = settings.selectedBibleArray();
    std::vector<std::vector<bool>> rows = settings.bookmarkArray();
    std::vector<std::string> notes = settings.OverAllSectionQTRecord();
    views.erase(views.begin() + closed);
    records.erase(records.begin() + closed);
    if (isIndexOf(closed, rows.size())) {
        rows.erase(rows.begin() + closed);
    }
    if (isIndexOf(closed, notes.size())) {
        notes.erase(notes.begin() + closed);
    }
    const std::int64_t remaining = countOf(views.size());
    // A page value reaches its state through its index: the pages after the closed one move
    // down by one.
    for (std::int64_t i = closed; i < remaining; ++i) {
        views[at(i)].pageIndex = Binding<std::int64_t>::constant(i);
    }
    settings.roles.set(std::move(views));
    settings.selectedBibleArray.set(std::move(records));
    settings.bookmarkArray.set(std::move(rows));
    settings.OverAllSectionQTRecord.set(std::move(notes));

    // The page before the closed one becomes current; the first page's place is taken by the
    // next one.
    std::int64_t current = selectedTab();
    if (current == remaining) {
        current = remaining - 1;
    } else if (current == 0 && remaining == 1) {
        current = 0;
    } else {
        current -= 1;
    }
    selectedTab.set(std::max<std::int64_t>(current, 0));
    Utils::currentIndex = selectedTab();

    // The pages that remain are written under their new indexes; the index past them no
    // longer names a page.
    deletePageStateFile(context_, PageStatePersistence::fileName(remaining));
    settings.savePageState(context_);
    scheduleDeleteProcessReset();
}

void CarouselView::scheduleDeleteProcessReset() {
    context_.scheduler().postAfter(this, deleteProcessDuration,
                                   [this] { userSettings.deleteBibleViewProcess.set(false); });
}

void CarouselView::showNotice(const std::string& message) {
    toastMessage.set(message);
    showToast.set(true);
    const std::uint64_t generation = ++noticeGeneration_;
    context_.scheduler().postAfter(this, toastDuration, [this, generation] {
        if (generation == noticeGeneration_) {
            showToast.set(false);
        }
    });
}

// --- Following the current page ---

void CarouselView::pageCellAppeared() {
    userSettings.selectedTab.set(selectedTab());
    Utils::currentIndex = selectedTab();
    if (isIndexOf(selectedTab(), userSettings.selectedBibleArray->size())) {
        readMemoOnce.set(true);
    }
}

void CarouselView::currentPageChanged(std::int64_t newIndex) {
    UserSettings& settings = userSettings;
    if (!settings.foundSectionVerseAndPraiseArray->empty()) {
        trace("Utils.currentIndex " + text(Utils::currentIndex));
        settings.newBibleViewPageCreating.set(true);
        settings.selectedTab.set(selectedTab());
        settings.foundSectionVerseAndPraiseArray.set({});
    }
    if (newIndex != Utils::currentIndex) {
        trace("selectedTab " + text(selectedTab()));
        settings.selectedTab.set(selectedTab());
        Utils::currentIndex = selectedTab();
        readMemoOnce.set(true);
    }
}

void CarouselView::optionClicked() {
    optionKeyPressed.set(true);
}

void CarouselView::tapPage() {
    if (isShrinked.get()) {
        isShrinked.set(false);
    }
}

// --- Chapters ---

std::string CarouselView::pageTitle(std::int64_t page) {
    UserSettings& settings = userSettings;
    if (!isIndexOf(page, settings.selectedBibleArray->size()) || !isIndexOf(page, settings.roles->size())) {
        return firstPageTitle;
    }
    const BibleStructure& record = settings.selectedBibleArray.get()[at(page)];
    std::string_view language = record.language;
    if (record.kindOfBible == BibleKind::kr01) {
        language = koreanLanguageCode;
    } else if (record.kindOfBible == BibleKind::en01) {
        language = englishLanguageCode;
    }
    if (record.language != language) {
        const std::string code(language);
        settings.selectedBibleArray.modify(
            [&](std::vector<BibleStructure>& records) { records[at(page)].language = code; });
    }
    restoredPageView(page).refreshPageTitle(page);
    return settings.roles.get()[at(page)].bibleSectionTitle;
}

void CarouselView::loadChapter(std::int64_t page, std::int64_t bookIndex, std::int64_t chapter,
                               BibleKind kind) {
    UserSettings& settings = userSettings;
    if (settings.roles->empty()) {
        trace("no page to load chapter " + text(chapter) + " of book " + text(bookIndex) + " into");
        return;
    }
    // The chapter is numbered by the step the newest page is making.
    BibleView loader = settings.roles.get().back();
    loader.pageIndex = Binding<std::int64_t>::constant(page);
    loader.loadPageText(bookIndex, chapter, kind);
    if (isIndexOf(page, settings.selectedBibleArray->size())) {
        for (const BiblePraise& verse : settings.selectedBibleArray.get()[at(page)].praises) {
            trace("== userSettings.selectedBibleArray[pageIndex].praises[" + text(verse.index) + "].words " +
                  verse.word);
        }
    }
}

BibleStructure CarouselView::makeChapter(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                         std::int64_t page) {
    trace("bibleKind : " + std::string(translationDisplayName(kind)));
    return restoredPageView(page).loadChapterText(bookIndex, chapter, kind, page);
}

// --- Page values ---

BibleView CarouselView::restoredPageView(std::int64_t index) {
    return BibleView{
        .isShrinkStatus = guarded(isShrinked),
        .userSettings = {userSettings, context_},
        .pageIndex = Binding<std::int64_t>::constant(index),
        .prevPageIndex = guarded(Binding<std::int64_t>::to(prevPageIndex)),
        .bibleSectionTitle = firstPageTitle,
        .titlePhotoArray = BibleView::defaultTitlePhotoArray(),
        .pickedPhotoName = Binding<std::string>::constant(firstPagePhoto),
        .selectedBible = std::nullopt,
        .translateVersion = std::string(translationDisplayName(BibleKind::kr01)),
        .kindOfBible = BibleKind::kr01,
        .plusBible = guarded(plusBible),
        .plusBible2 = guarded(Binding<bool>::to(plusBible2)),
        .lastSelectedIndex = -1,
        .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({std::string()}),
        .plusBtnPressed = Binding<bool>::constant(false),
        .sectionAndVerseMovingType = 0,
        .bibleViewFixedIndex = 0,
    };
}

BibleView CarouselView::newPageView() {
    const std::vector<BibleView>& views = userSettings.roles.get();
    const std::string photo = views.empty() ? firstPagePhoto : views.back().randomTitlePhoto();
    BibleView page = restoredPageView(countOf(views.size()));
    page.pickedPhotoName = Binding<std::string>::constant(photo);
    return page;
}

BibleView CarouselView::pageCell(std::int64_t index) {
    BibleView page = restoredPageView(index);
    // Each cell draws its own page: the current page is the carousel's to say, not the page's.
    page.plusBtnPressed = guarded(plusBtnPressed);
    page.bibleViewFixedIndex = index;
    return page;
}

// --- What the drawing shows ---

bool CarouselView::isCarouselShown() const {
    return selectedTab() >= 0 && selectedTab() < pageCount();
}

std::int64_t CarouselView::pageCount() const {
    return countOf(userSettings.roles->size());
}

bool CarouselView::isPageShown(std::int64_t index) const {
    return index == selectedTab() || isShrinked.get();
}

double CarouselView::pageScale() const {
    return isShrinked.get() ? shrunkScale : 1.0;
}

std::string CarouselView::pageCounterText() const {
    if (!isShrinked.get()) {
        return {};
    }
    return text(selectedTab() + 1) + " / " + text(pageCount());
}

} // namespace lumenscroll
