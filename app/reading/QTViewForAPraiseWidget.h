#pragma once

#include "app/reading/QTViewForAPraise.h"

#include <QWidget>

class QAbstractButton;
class QTextEdit;

namespace lumenscroll {

// Draws a verse's note editor: the note, 800 points wide and at least 50 high, growing with its
// text, on a faint orange over the prompt (shown while the verse has no note), and "저장" beside
// it. Every edit goes to the view at once; Escape leaves the editor and the note alone and goes
// on to the page.
class QTViewForAPraiseWidget : public QWidget {
    Q_OBJECT

public:
    explicit QTViewForAPraiseWidget(QTViewForAPraise view, QWidget* parent = nullptr);
    ~QTViewForAPraiseWidget() override;

    const QTViewForAPraise& view() const { return view_; }
    QTextEdit* noteEditor() const { return note_; }
    QTextEdit* placeholderEditor() const { return placeholder_; }
    QAbstractButton* saveButton() const { return save_; }

    static constexpr int editorWidth = 800;
    static constexpr int editorMinimumHeight = 50;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void noteEdited();
    // The prompt's text and presence, and both layers' height, from the view.
    void refresh();

    QTViewForAPraise view_;
    QWidget* layers_;
    QTextEdit* placeholder_;
    QTextEdit* note_;
    QAbstractButton* save_;
};

} // namespace lumenscroll
