#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace lumenscroll {

class AppContext;
class SearchBar;

// Draws the search bar: on a white box with rounded corners, the translation label (its name
// and a magnifying glass, white on an animated gradient capsule), the query field, the search
// button and, while there is a query, the clear button. Typing writes the query through the
// bar; Return and the search button start a search. The owner calls refresh() when the bar's
// bindings may have changed.
class SearchBarWidget : public QWidget {
    Q_OBJECT

public:
    SearchBarWidget(SearchBar& bar, AppContext& context, QWidget* parent = nullptr);
    ~SearchBarWidget() override;

    QAbstractButton* translationLabel() const { return translationLabel_; }
    QLineEdit* queryField() const { return queryField_; }
    QAbstractButton* searchButton() const { return searchButton_; }
    QAbstractButton* clearButton() const { return clearButton_; }

    // Shows what the bar holds now: the label, the query, the clear button, the focus.
    void refresh();

    static constexpr int boxCornerRadius = 10;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SearchBar& bar_;
    QWidget* box_;
    QAbstractButton* translationLabel_;
    QLabel* translationName_;
    QLineEdit* queryField_;
    QAbstractButton* searchButton_;
    QAbstractButton* clearButton_;
    bool focusTaken_ = false;
};

} // namespace lumenscroll
