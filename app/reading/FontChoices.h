#pragma once

namespace lumenscroll {

class SettingsStore;
class UserSettings;

// The preferences' three font choices as the user defaults keep them, read by every view that
// shows text in the reader's font: "fontSize" (an index of fontSizes), "fontColor" (of the
// font colours) and "font" (of the reading fonts).
struct FontChoices {
    // Which of the three keys the defaults held.
    bool size = false;
    bool color = false;
    bool font = false;

    // Puts each stored choice into its field of the shared state (pickerIndex, pickerIndex2,
    // pickerIndex3). For a missing key the field takes the default choice (14 points, black, the
    // first font), which is also written under the key.
    static FontChoices load(UserSettings& settings, SettingsStore& defaults);
};

} // namespace lumenscroll
