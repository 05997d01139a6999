#include "app/reading/BibleContentCell.h"

#include "app/model/FontSizes.h"
#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleView.h"
#include "app/reading/FontChoices.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"


#include <cstddef>
#include <utility>

namespace lumenscroll {

namespace {

// Entry `index` of `list`, or its first entry for an index outside it; `fallback` for an
// empty list.
template <class T> T entryOrFirst(const std::vector<T>& list, std::int64_t index, T fallback) {
    if (list.empty()) {
        return fallback;
    }
    return list[isIndexOf(index, list.size()) ? at(index) : 0];
}

} // namespace

BibleContentCell::BibleContentCell(Binding<std::int64_t> pageIndex, Binding<BibleStructure> selectedBible,
                                   Binding<std::int64_t> i, Binding<std::vector<bool>> isSelectedArray,
                                   PageEnvironment userSettings, std::int64_t fontSize, NamedColor fontColor,
                                   std::string fontKind, std::int64_t bgColor,
                                   std::vector<std::string> customFontsNameForPickerArray,
                                   std::vector<std::string> customFontsFileNameArray,
                                   std::vector<NamedColor> bgColorArray, std::vector<NamedColor> fontColorArray)
    : pageIndex(std::move(pageIndex))
    , selectedBible(std::move(selectedBible))
    , i(std::move(i))
    , isSelectedArray(std::move(isSelectedArray))
    , userSettings(userSettings)
    , fontSize(fontSize)
    , fontColor(fontColor)
    , fontKind(std::move(fontKind))
    , bgColor(bgColor)
    , customFontsNameForPickerArray(std::move(customFontsNameForPickerArray))
    , customFontsFileNameArray(std::move(customFontsFileNameArray))
    , bgColorArray(std::move(bgColorArray))
    , fontColorArray(std::move(fontColorArray)) {}

BibleContentCell::~BibleContentCell() = default;

std::int64_t BibleContentCell::fontSizeFromPicker() {
    fontSize = fontSizeForIndex(userSettings->pickerIndex());
    changed();
    return fontSize;
}

void BibleContentCell::fontColorFromPicker() {
    fontColor = entryOrFirst(fontColorArray, userSettings->pickerIndex2(), NamedColor::black);
    changed();
}

void BibleContentCell::fontFromPicker() {
    fontKind = entryOrFirst(customFontsFileNameArray, userSettings->pickerIndex3(), std::string());
    changed();
}

void BibleContentCell::loadFontSettings() {
    UserSettings& settings = *userSettings;
    if (OpenPages(settings).areParallel()) {
        return;
    }
    const FontChoices stored = FontChoices::load(settings, userSettings.context().settings());
    if (stored.size) {
        fontSizeFromPicker();
    } else {
        fontSize = fontSizeForIndex(defaultFontSizeIndex);
    }
    if (stored.color) {
        fontColorFromPicker();
    } else {
        fontColor = NamedColor::black;
    }
    if (stored.font) {
        fontFromPicker();
    } else {
        fontKind = customFontsFileNameArray.empty() ? std::string() : customFontsFileNameArray.front();
    }
    changed();
}

void BibleContentCell::appear(ChangeWatchers& reactions) {
    UserSettings& settings = *userSettings;
    // Each choice as it is now, and every later one.
    pickerIndexSink_ = settings.pickerIndex.sink([this](const std::int64_t&) { fontSizeFromPicker(); });
    pickerIndex2Sink_ = settings.pickerIndex2.sink([this](const std::int64_t&) { fontColorFromPicker(); });
    pickerIndex3Sink_ = settings.pickerIndex3.sink([this](const std::int64_t&) { fontFromPicker(); });

    reactions.watch(
        [this]() -> std::optional<std::int64_t> {
            const BiblePraise* praise = verse();
            return praise ? std::optional<std::int64_t>(praise->bgColor) : std::nullopt;
        },
        [this](const std::optional<std::int64_t>& highlight) {
            if (highlight) {
                bgColor = *highlight;
                changed();
            }
        });
    // The highlight the verse has now: a row that appears after the verse was marked (a
    // restored page, a chapter loaded again) shows the mark at once.
    if (const BiblePraise* praise = verse()) {
        bgColor = praise->bgColor;
    }
    loadFontSettings();
    changed();
}

const BiblePraise* BibleContentCell::verse() const {
    const auto& pages = userSettings->selectedBibleArray.get();
    const std::int64_t page = pageIndex.get();
    if (!isIndexOf(page, pages.size())) {
        return nullptr;
    }
    const auto& praises = pages[at(page)].praises;
    const std::int64_t position = i.get();
    return isIndexOf(position, praises.size()) ? &praises[at(position)] : nullptr;
}

std::optional<std::string> BibleContentCell::text() const {
    const BiblePraise* praise = verse();
    if (!praise) {
        return std::nullopt;
    }
    return std::to_string(i.get() + 1) + " " + praise->word;
}

bool BibleContentCell::isSelected() const {
    const std::vector<bool> selected = isSelectedArray.get();
    const std::int64_t position = i.get();
    return isIndexOf(position, selected.size()) && selected[at(position)];
}

NamedColor BibleContentCell::shownBackground() const {
    return entryOrFirst(bgColorArray, bgColor, NamedColor::white);
}

std::optional<ReadingFont> BibleContentCell::shownFont() const {
    if (fontKind.empty()) {
        return std::nullopt;
    }
    const std::string fileName = entryOrFirst(customFontsFileNameArray, userSettings->pickerIndex3(), std::string());
    return readingFontForFileName(fileName);
}

} // namespace lumenscroll
