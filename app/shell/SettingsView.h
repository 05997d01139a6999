#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/platform/NamedColor.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace lumenscroll {

class AppContext;
class UserSettings;

// The preferences panel: three pickers for the reading font size, font colour and font. Each
// choice is kept as an index, in the shared state and in the user defaults, where the reading
// pages and the search page take it from. Below the pickers stand the notice about starting
// with the Alt key held down, a picture and two short texts. The panel lives while the reading
// page's top area shows it; its close button clears the flag that shows it.
//
// Drawn by SettingsViewWidget, which makes the panel appear with each of its showings.
class SettingsView : public ObservableObject {
public:
    SettingsView(UserSettings& userSettings, AppContext& context);
    ~SettingsView() override;
    SettingsView(const SettingsView&) = delete;
    SettingsView& operator=(const SettingsView&) = delete;

    // The chosen font size, font colour and font, as indexes into the lists below.
    Published<std::int64_t> pickerIndex{*this, 0};
    Published<std::int64_t> pickerIndex2{*this, 0};
    Published<std::int64_t> pickerIndex3{*this, 0};
    // The font sizes in points: the sizes the verse rows and the search page draw with.
    const std::vector<std::int64_t> options;
    // The font colours and their names, in the order the reading page applies them.
    const std::vector<NamedColor> fontColorArray;
    const std::vector<std::string> fontColorNameArray;
    // The fonts as the picker lists them, and their family names (kept, not shown).
    const std::vector<std::string> customFontsNameArray;
    const std::vector<std::string> customFontsNameForPickerArray;
    const std::string explanation;
    const std::string explanation2;
    UserSettings& userSettings;

    static inline const QString title = QStringLiteral("Preferences");
    static inline const QString sizePickerTitle = QStringLiteral("Select Font Size");
    static inline const QString colorPickerTitle = QStringLiteral("Select Font Color");
    static inline const QString fontPickerTitle = QStringLiteral("Select Font");
    // On this platform the key is Alt.
    static const QString optionKeyNotice;
    static inline const QString headerImage = QStringLiteral("TopArea3");
    static inline const QString pictureImage = QStringLiteral("readingBible");

    // The panel came on screen: each picker takes its index from the user defaults.
    void appear();
    void sizePickerAppeared();
    void colorPickerAppeared();
    void fontPickerAppeared();

    // A change of a picker's index goes to the shared state and then, from there, to the
    // user defaults. The index is kept as it is: every reader checks it against its list.
    void pickerIndexChanged(std::int64_t index);
    void pickerIndex2Changed(std::int64_t index);
    void pickerIndex3Changed(std::int64_t index);

    // The close button.
    void close();

    AppContext& context() const { return context_; }

private:
    void store(const QString& key, std::int64_t index);

    AppContext& context_;
    ChangeWatchers watchers_;
};

} // namespace lumenscroll
