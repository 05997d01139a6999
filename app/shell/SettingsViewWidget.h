#pragma once

#include "app/platform/ChangeWatchers.h"

#include <QWidget>

#include <array>

class QLabel;

namespace lumenscroll {

class PanelCloseButton;
class SettingsPicker;
class SettingsView;

// Draws the preferences panel, 700 by 500, over a faint moving gradient: the header picture
// with the title and the close button, the three pickers, the red notice, and the picture
// beside the two texts. The panel appears with each showing of the widget.
class SettingsViewWidget : public QWidget {
    Q_OBJECT

public:
    explicit SettingsViewWidget(SettingsView& view, QWidget* parent = nullptr);
    ~SettingsViewWidget() override;

    SettingsView& view() const { return view_; }
    // Size, colour and font, in that order.
    SettingsPicker* picker(int which) const { return pickers_[static_cast<std::size_t>(which)]; }
    PanelCloseButton* closeButton() const { return closeButton_; }
    QLabel* notice() const { return notice_; }

    static constexpr int width = 700;
    static constexpr int height = 500;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildPickers();
    QWidget* buildPictureRow();
    void refresh();

    SettingsView& view_;
    std::array<SettingsPicker*, 3> pickers_{};
    PanelCloseButton* closeButton_ = nullptr;
    QLabel* notice_ = nullptr;
    ChangeWatchers watchers_;
};

} // namespace lumenscroll
