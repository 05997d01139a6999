#pragma once

#include "app/model/BiblePraise.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/ListenerList.h"
#include "app/platform/NamedColor.h"
#include "app/platform/Subscription.h"
#include "app/reading/PageEnvironment.h"
#include "app/reading/ReadingFont.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll {

class ChangeWatchers;

// One verse row of a reading page: the verse number and text in the reader's font, size and
// colour, on the verse's highlight colour, shimmering while the verse is selected. The verse
// list builds one per verse; BibleContentCellWidget draws it.
//
// The fields are the row's, in order; the four state fields (fontSize, fontColor, fontKind,
// bgColor) start from what the list passes and follow the preferences and the verse's
// highlight once the row is on screen (appear()).
class BibleContentCell {
public:
    BibleContentCell(Binding<std::int64_t> pageIndex, Binding<BibleStructure> selectedBible, Binding<std::int64_t> i,
                     Binding<std::vector<bool>> isSelectedArray, PageEnvironment userSettings, std::int64_t fontSize,
                     NamedColor fontColor, std::string fontKind, std::int64_t bgColor,
                     std::vector<std::string> customFontsNameForPickerArray,
                     std::vector<std::string> customFontsFileNameArray, std::vector<NamedColor> bgColorArray,
                     std::vector<NamedColor> fontColorArray);
    BibleContentCell(const BibleContentCell&) = delete;
    BibleContentCell& operator=(const BibleContentCell&) = delete;
    ~BibleContentCell();

    Binding<std::int64_t> pageIndex;
    // The page's record as the list hands it over. The row reads its own verse in place in
    // the shared page list instead (verse()): the same record, without a copy of the whole
    // chapter for every row of it.
    Binding<BibleStructure> selectedBible;
    // The verse's position in the chapter, from 0.
    Binding<std::int64_t> i;
    // The page's selection flags.
    Binding<std::vector<bool>> isSelectedArray;
    PageEnvironment userSettings;
    std::int64_t fontSize;
    NamedColor fontColor;
    // A reading font's file name; empty is the system font.
    std::string fontKind;
    // The verse's highlight, an index of bgColorArray.
    std::int64_t bgColor;
    // Carried, not drawn.
    std::vector<std::string> customFontsNameForPickerArray;
    std::vector<std::string> customFontsFileNameArray;
    std::vector<NamedColor> bgColorArray;
    std::vector<NamedColor> fontColorArray;

    // The size chosen in the preferences (UserSettings.pickerIndex), kept in fontSize.
    std::int64_t fontSizeFromPicker();
    // The colour chosen in the preferences (pickerIndex2); a choice outside the list is its
    // first colour.
    void fontColorFromPicker();
    // The font chosen in the preferences (pickerIndex3); a choice outside the list is its
    // first font.
    void fontFromPicker();
    // Takes the font choices from the user defaults into the preferences' fields, writing the
    // defaults (size 14, black, the first font) where a key is missing. Only while the open
    // pages and the page values differ in number, that is while the pages are being built.
    void loadFontSettings();

    // The row came on screen: from now on it follows the three font choices and the verse's
    // highlight, which it shows from the start. The highlight is followed through `reactions`,
    // which must observe the shared state and must not outlive this row (the verse list keeps
    // one set for all the rows of a chapter).
    void appear(ChangeWatchers& reactions);

    // --- What the row draws ---

    // The verse; null when the page or the verse is missing.
    const BiblePraise* verse() const;
    // The verse number, a blank and the verse's text; none (an empty row) without a verse.
    std::optional<std::string> text() const;
    bool isSelected() const;
    // bgColor's colour, or the list's first for an index outside it.
    NamedColor shownBackground() const;
    // The font drawn: none for the system font (fontKind empty); otherwise the font the
    // preferences chose, or the list's first for a choice outside it. fontKind only decides
    // between the two.
    std::optional<ReadingFont> shownFont() const;

    // Told after a state field changed.
    [[nodiscard]] Subscription onChange(std::function<void()> listener) { return listeners_.add(std::move(listener)); }

private:
    void changed() const { listeners_.send(); }

    ListenerList<> listeners_;
    Subscription pickerIndexSink_;
    Subscription pickerIndex2Sink_;
    Subscription pickerIndex3Sink_;
};

} // namespace lumenscroll
