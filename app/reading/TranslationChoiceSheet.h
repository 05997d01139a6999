#pragma once

#include <QWidget>

#include <cstdint>

class QAbstractButton;
class QListWidget;

namespace lumenscroll {

class AppContext;

// What the two translation choosers draw, the reading page's and the search page's: a sheet
// 300 by 200 points, the shared title row with the close button at its trailing end over it,
// then a narrow centred list with one row per translation provided, its name in the title-2
// font. Each chooser's widget derives from it, says how many rows there are, and passes a
// click on the close button or on a row to its own view; it calls refresh() once it is built.
class TranslationChoiceSheet : public QWidget {
    Q_OBJECT

public:
    explicit TranslationChoiceSheet(AppContext& context, QWidget* parent = nullptr);
    ~TranslationChoiceSheet() override;

    QAbstractButton* closeButton() const { return closeButton_; }
    QListWidget* list() const { return list_; }

    // Lists the rows the shared state provides now.
    void refresh();

    static constexpr int width = 300;
    static constexpr int height = 200;

protected:
    virtual std::int64_t rowCount() const = 0;
    virtual void closeSheet() = 0;
    virtual void chooseRow(std::int64_t row) = 0;

    void paintEvent(QPaintEvent* event) override;

private:
    QAbstractButton* closeButton_;
    QListWidget* list_;
};

} // namespace lumenscroll
