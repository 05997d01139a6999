#include "app/reading/QTView.h"

#include "app/reading/UserSettings.h"

#include <utility>

namespace lumenscroll {

QTView::QTView(Binding<std::int64_t> pageIndex, std::string fontKind, std::string qtContent, std::string qtPlaceHolder,
               UserSettings& userSettings, std::vector<std::string> customFontsNameForPickerArray,
               std::vector<std::string> customFontsFileNameArray)
    : pageIndex(std::move(pageIndex))
    , fontKind(std::move(fontKind))
    , qtContent(std::move(qtContent))
    , qtPlaceHolder(std::move(qtPlaceHolder))
    , userSettings(userSettings)
    , customFontsNameForPickerArray(std::move(customFontsNameForPickerArray))
    , customFontsFileNameArray(std::move(customFontsFileNameArray)) {}

std::optional<ReadingFont> QTView::noteFont() const {
    return chosenReadingFont(fontKind, customFontsFileNameArray, userSettings.pickerIndex3());
}

} // namespace lumenscroll
