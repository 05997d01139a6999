#include "ReadingTestSupport.h"

#include "CompactCoding/BinaryDecoder.h"
#include "app/model/BibleBook.h"
#include "app/platform/FileSystem.h"
#include "app/reading/PageStatePersistence.h"

#include <QDir>

#include <span>

namespace lumenscroll::testing {

BibleView makePage(UserSettings& settings, AppContext& context, std::int64_t index) {
    return BibleView{
        .isShrinkStatus = Binding<bool>::constant(false),
        .userSettings = PageEnvironment(settings, context),
        .pageIndex = Binding<std::int64_t>::constant(index),
        .prevPageIndex = Binding<std::int64_t>::constant(0),
        .pickedPhotoName = Binding<std::string>::constant("TopArea1"),
        .plusBible = Binding<bool>::to(settings.plusBible),
        .plusBible2 = Binding<bool>::to(settings.plusBible2),
        .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({std::string()}),
        .plusBtnPressed = Binding<bool>::constant(false),
        .bibleViewFixedIndex = index,
    };
}

void openPages(UserSettings& settings, AppContext& context, const std::vector<BibleStructure>& records) {
    settings.selectedBibleArray.set(testing::pageListKey(), records);
    std::vector<BibleView> views;
    for (std::size_t i = 0; i < records.size(); ++i) {
        views.push_back(makePage(settings, context, static_cast<std::int64_t>(i)));
    }
    settings.roles.set(testing::pageListKey(), std::move(views));
}

BibleStructure chapterRecord(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount,
                             const std::string& prefix) {
    BibleStructure record;
    record.versesIndex = chapterIndex;
    record.order = book;
    record.sectionIndex = book;
    record.kindOfBible = kind;
    record.language = kind == BibleKind::en01 ? "en" : "kr";
    for (int v = 0; v < verseCount; ++v) {
        BiblePraise praise;
        praise.index = v;
        praise.word = prefix + " " + std::to_string(v + 1);
        record.praises.push_back(praise);
    }
    return record;
}

std::string bookText(std::int64_t book, const std::string& lineEnd) {
    std::string text;
    const auto counts = versesPerChapter(*bibleBookFromRaw(book));
    for (std::size_t c = 0; c < counts.size(); ++c) {
        for (std::int64_t v = 1; v <= counts[c]; ++v) {
            const std::string reference = std::to_string(c + 1) + ":" + std::to_string(v);
            text += reference + " word " + std::to_string(c + 1) + "." + std::to_string(v) + lineEnd;
        }
    }
    return text;
}

QString pageStateFilePath(const AppContext& context, std::int64_t index) {
    return QDir(PageStatePersistence::settingsFolder(context))
        .filePath(PageStatePersistence::fileName(index));
}

std::optional<BibleStructure> savedPage(const AppContext& context, std::int64_t index) {
    const std::optional<QByteArray> bytes = FileSystem::read(pageStateFilePath(context, index));
    if (!bytes) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                             static_cast<std::size_t>(bytes->size()));
    return coding::BinaryDecoder().decode<BibleStructure>(data);
}

} // namespace lumenscroll::testing
