#pragma once

#include <QColor>
#include <QComboBox>
#include <QString>

#include <cstdint>
#include <vector>

namespace lumenscroll {

// One pop-up picker of the preferences panel. Every entry is drawn in its own colour, the
// chosen one in the closed picker too; a light colour gets a dark shadow, so that "하얀색"
// stays white and still readable on the white list. An index outside the entries
// shows no entry.
class SettingsPicker : public QComboBox {
    Q_OBJECT

public:
    struct Entry {
        QString text;
        QColor color;
    };

    SettingsPicker(const std::vector<Entry>& entries, QWidget* parent = nullptr);
    ~SettingsPicker() override;

    // Shows the entry of `index`, or none, without reporting a choice.
    void showIndex(std::int64_t index);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumenscroll
