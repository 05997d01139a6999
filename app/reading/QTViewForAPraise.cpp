#include "app/reading/QTViewForAPraise.h"

#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/UserSettings.h"

#include <utility>

namespace lumenscroll {

QTViewForAPraise::QTViewForAPraise(Binding<std::int64_t> i, Binding<std::int64_t> pageIndex, std::string fontKind,
                                   std::string qtPlaceHolder, Binding<std::string> qtContent,
                                   UserSettings& userSettings, std::vector<std::string> customFontsNameForPickerArray,
                                   std::vector<std::string> customFontsFileNameArray, FileSystem fileManager)
    : i(std::move(i))
    , pageIndex(std::move(pageIndex))
    , fontKind(std::move(fontKind))
    , qtPlaceHolder(std::move(qtPlaceHolder))
    , qtContent(std::move(qtContent))
    , userSettings(userSettings)
    , customFontsNameForPickerArray(std::move(customFontsNameForPickerArray))
    , customFontsFileNameArray(std::move(customFontsFileNameArray))
    , fileManager(fileManager) {}

bool QTViewForAPraise::isPlaceholderShown() const {
    // Never behind text: a note handed in with text its verse's note does not hold yet.
    const BiblePraise* verse = PageHandle(userSettings, pageIndex.get()).verse(i.get());
    return verse && verse->memo->memoContent.empty() && qtContent.get().empty();
}

std::optional<ReadingFont> QTViewForAPraise::noteFont() const {
    return chosenReadingFont(fontKind, customFontsFileNameArray, userSettings.pickerIndex3());
}

void QTViewForAPraise::noteChanged() {
    const std::string content = qtContent.get();
    const std::int64_t page = pageIndex.get();
    changeVerseMarks(PageHandle(userSettings, page), i.get(),
                     [&](BiblePraise& verse) { verse.setMemoContent(content); });
    if (content.empty()) {
        qtPlaceHolder = std::string(placeholderText);
        return;
    }
    trace("qtContent: " + content);
    qtPlaceHolder.clear();
    const auto& records = userSettings.OverAllSectionQTRecord();
    if (isIndexOf(page, records.size())) {
        trace("userSettings.OverAllSectionQTRecord[pageIndex] " + records[at(page)]);
    }
}

void QTViewForAPraise::saveNote() const {
    const std::string content = qtContent.get();
    if (content.empty()) {
        return;
    }
    changeVerseMarks(PageHandle(userSettings, pageIndex.get()), i.get(), [&](BiblePraise& verse) {
        verse.setMemoContent(content);
        verse.hasMemo = true;
    });
}

} // namespace lumenscroll
