#include "app/reading/FontChoices.h"

#include "app/model/FontSizes.h"
#include "app/platform/SettingsStore.h"
#include "app/reading/FontChoiceKeys.h"
#include "app/reading/UserSettings.h"

#include <QString>

#include <cstdint>

namespace lumenscroll {

namespace {

// The stored choice under `key` into `field`, or the default into both; whether it was stored.
bool loadChoice(SettingsStore& defaults, const QString& key, Published<std::int64_t>& field,
                std::int64_t defaultChoice) {
    if (defaults.hasValue(key)) {
        field.set(defaults.integer(key));
        return true;
    }
    field.set(defaultChoice);
    defaults.setInteger(key, defaultChoice);
    return false;
}

} // namespace

FontChoices FontChoices::load(UserSettings& settings, SettingsStore& defaults) {
    FontChoices stored;
    stored.size =
        loadChoice(defaults, fontSizeKey, settings.pickerIndex, defaultFontSizeIndex);
    stored.color = loadChoice(defaults, fontColorKey, settings.pickerIndex2, 0);
    stored.font = loadChoice(defaults, fontKey, settings.pickerIndex3, 0);
    return stored;
}

} // namespace lumenscroll
