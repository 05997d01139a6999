#include "CarouselViewTestSupport.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/platform/FileSystem.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/QTViewForAPraise.h"
#include "app/reading/Utils.h"
#include "coding/json/JsonDecoder.h"
#include "testing/platform/BuiltResources.h"

#include <QDir>

#include <string_view>

namespace lumenscroll::testing {

QString builtResourceDirectory() {
    return builtResourceDirectory({QStringLiteral("01창세기.txt"), QStringLiteral("43John.txt")});
}

BibleStructure storedPage(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount) {
    BibleStructure page;
    page.versesIndex = chapterIndex;
    page.order = book;
    page.sectionIndex = book;
    page.kindOfBible = kind;
    page.language = std::string(kind == BibleKind::en01 ? englishLanguageCode : koreanLanguageCode);
    if (const std::optional<BibleBook> named = bibleBookFromRaw(book)) {
        page.name = std::string(bookName(page.language, *named));
        page.isOldTestment = isOldTestament(*named);
    }
    for (int v = 0; v < verseCount; ++v) {
        BiblePraise verse;
        verse.index = v;
        page.praises.push_back(verse);
    }
    return page;
}

void storePageList(const AppContext& context, const std::vector<BibleStructure>& pages) {
    context.settings().setData(PageStatePersistence::selectedBibleArrayKey,
                               PageStatePersistence::selectedBibleArrayJson(pages));
}

void lastRunStored(const QString& home, const std::vector<BibleStructure>& pages,
                   const std::optional<QByteArray>& texts) {
    const auto last = TestAppContext::inHome(home);
    storePageList(last->context(), pages);
    if (texts) {
        last->context().settings().setData(PageStatePersistence::bibleWordsContainerKey, *texts);
    }
}

void storeTexts(const AppContext& context, const std::vector<std::vector<BibleStructure>>& books) {
    context.settings().setData(PageStatePersistence::bibleWordsContainerKey,
                               PageStatePersistence::bibleWordsContainerJson(books));
}

std::optional<std::vector<BibleStructure>> storedPageList(const AppContext& context) {
    const std::optional<QByteArray> bytes =
        context.settings().data(PageStatePersistence::selectedBibleArrayKey);
    if (!bytes) {
        return std::nullopt;
    }
    try {
        return coding::JsonDecoder().decode<std::vector<BibleStructure>>(
            std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void writeNote(UserSettings& settings, std::int64_t page, std::int64_t verse, std::string text) {
    QTViewForAPraise editor(Binding<std::int64_t>::constant(verse), Binding<std::int64_t>::constant(page), "",
                            std::string(QTViewForAPraise::placeholderText), Binding<std::string>::to(text), settings,
                            {}, {}, {});
    editor.noteChanged();
    editor.saveNote();
}

QStringList pageStateFiles(const AppContext& context) {
    QStringList names = FileSystem::list(PageStatePersistence::settingsFolder(context)).value_or(QStringList());
    names.removeIf([](const QString& name) { return !PageStatePersistence::pageIndexOfFileName(name); });
    return names;
}

QStringList backupFiles(const AppContext& context) {
    const QDir folder(context.documents().filePath(PageStatePersistence::baseFolderName));
    return folder.entryList(QDir::Files, QDir::Name);
}

QByteArray backupBytes(const AppContext& context, const QString& name) {
    const QDir folder(context.documents().filePath(PageStatePersistence::baseFolderName));
    return FileSystem::read(folder.filePath(name)).value_or(QByteArray());
}

namespace {

QStringList errorLines(const TraceCapture& capture) {
    QStringList lines;
    for (const QString& line : capture.lines()) {
        if (line.startsWith(QStringLiteral("error "))) {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace

void CarouselTest::startProcess() {
    Utils::currentIndex = -1;
}

void CarouselTest::SetUp() {
    if (builtResourceDirectory().isEmpty()) {
        GTEST_SKIP() << "the Bible texts are not among the built resources";
    }
    startProcess();
}

Launch::Launch(const QString& home, const QString& resources, bool optionKeyDown)
    : test(TestAppContext::inHome(home, resources)) {
    CarouselTest::startProcess();
    test->fixedKeyProbe().setOptionKeyDown(optionKeyDown);
    loadStartUpChapter(settings, test->context());
    carousel = makeCarousel(settings, test->context());
    carousel->appear();
    test->manualScheduler().runReady();
}

QStringList Launch::errors() const {
    return errorLines(test->traceCapture());
}

CarouselViewTestBase::CarouselViewTestBase()
    : test(builtResourceDirectory()) {}

void CarouselViewTestBase::SetUp() {
    CarouselTest::SetUp();
    if (IsSkipped()) {
        return;
    }
    carousel = makeCarousel(settings);
}

std::unique_ptr<CarouselView> CarouselViewTestBase::makeCarousel(UserSettings& over) {
    return CarouselFlags::makeCarousel(over, test.context());
}

std::unique_ptr<CarouselView> CarouselFlags::makeCarousel(UserSettings& settings, AppContext& context) {
    return std::make_unique<CarouselView>(
        settings, context, Binding<bool>::to(matched), Binding<bool>::constant(false),
        Binding<bool>::to(isShrinked), Binding<bool>::to(plusBtnPressed), BibleView::defaultTitlePhotoArray(),
        Binding<bool>::to(pagesRestored));
}

void CarouselViewTestBase::restore(const std::vector<BibleStructure>& pages) {
    loadStartUpChapter(settings, test.context());
    storePageList(test.context(), pages);
    carousel->appear();
    settle();
}

QStringList CarouselViewTestBase::errors() {
    return errorLines(test.traceCapture());
}

} // namespace lumenscroll::testing
