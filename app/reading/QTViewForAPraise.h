#pragma once

#include "app/platform/Binding.h"
#include "app/platform/FileSystem.h"
#include "app/reading/ReadingFont.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

class UserSettings;

// The note editor of one verse: the note typed over a faint prompt, and "저장". The text becomes
// the verse's note in the page record at every edit, written like any other field of the page, so
// the page's next save writes it; "저장" also marks the verse as having a note. Drawn by
// QTViewForAPraiseWidget.
//
// Built for verse `i` of page `pageIndex`, with the page's note text for that verse:
//
//     QTViewForAPraise(i, pageIndex, "", std::string(QTViewForAPraise::placeholderText),
//                      noteText, userSettings, readingFontDisplayNames(), readingFontFileNames(),
//                      FileSystem())
class QTViewForAPraise {
public:
    static constexpr std::string_view placeholderText = "각 장의 구절에 대한 QT 묵상들은 여기에 기록합니다.";

    QTViewForAPraise(Binding<std::int64_t> i, Binding<std::int64_t> pageIndex, std::string fontKind,
                     std::string qtPlaceHolder, Binding<std::string> qtContent, UserSettings& userSettings,
                     std::vector<std::string> customFontsNameForPickerArray,
                     std::vector<std::string> customFontsFileNameArray, FileSystem fileManager);

    // The verse (from 0) and the page (an index of selectedBibleArray).
    Binding<std::int64_t> i;
    Binding<std::int64_t> pageIndex;
    // Empty: the first font of the list.
    std::string fontKind;
    // The prompt; emptied while the note holds text.
    std::string qtPlaceHolder;
    // The note text being edited.
    Binding<std::string> qtContent;
    UserSettings& userSettings;
    // Carried, not drawn.
    std::vector<std::string> customFontsNameForPickerArray;
    std::vector<std::string> customFontsFileNameArray;
    // Carried, not used.
    FileSystem fileManager;

    // Whether the prompt is drawn under the note: the verse is one of its page's, and both its
    // note and the text being edited are empty.
    bool isPlaceholderShown() const;
    // The font of both layers, at noteFontSize.
    std::optional<ReadingFont> noteFont() const;

    // The note text changed (any edit, whatever its length): it becomes the verse's note at
    // once, an emptied note included; the prompt is emptied while there is text, and back when
    // there is none.
    void noteChanged();
    // "저장": a note with text becomes the verse's note and the verse is marked as having one.
    // An empty note changes nothing.
    void saveNote() const;

    static constexpr int noteFontSize = 20;
};

} // namespace lumenscroll
