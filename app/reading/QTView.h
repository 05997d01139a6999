#pragma once

#include "app/platform/Binding.h"
#include "app/reading/ReadingFont.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

class UserSettings;

// The chapter note view: it holds a chapter note and its prompt but shows neither, only an
// empty line in the note font. Drawn by QTViewWidget.
//
//     QTView(pageIndex, "", "", std::string(QTView::placeholderText), userSettings,
//            readingFontDisplayNames(), readingFontFileNames())
class QTView {
public:
    static constexpr std::string_view placeholderText = "성경 각 장에 따른 QT 묵상들은 여기에 기록됩니다.";

    QTView(Binding<std::int64_t> pageIndex, std::string fontKind, std::string qtContent, std::string qtPlaceHolder,
           UserSettings& userSettings, std::vector<std::string> customFontsNameForPickerArray,
           std::vector<std::string> customFontsFileNameArray);

    Binding<std::int64_t> pageIndex;
    // Empty: the first font of the list.
    std::string fontKind;
    // Carried, not drawn.
    std::string qtContent;
    std::string qtPlaceHolder;
    UserSettings& userSettings;
    std::vector<std::string> customFontsNameForPickerArray;
    std::vector<std::string> customFontsFileNameArray;

    // The font of the empty line, at noteFontSize.
    std::optional<ReadingFont> noteFont() const;

    static constexpr int noteFontSize = 20;
};

} // namespace lumenscroll
