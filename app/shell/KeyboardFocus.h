#pragma once

#include <QObject>

namespace lumenscroll {

// Who holds the keyboard focus in the program: a text field (the search field, a note's editor)
// once clicked or given it, and no other widget. The keyboard types text and moves what the
// reader sees; buttons, lists and pickers are for the pointer. None of them takes the focus, as
// one that held it would hold it unseen: the arrow keys would move it from one to the next, and
// Space would press whichever held it. The keys no text field takes reach the window, which
// hands them to what the reader sees (CarouselViewWidget).
//
// The rule is given to every widget of the application as it is polished, before it is first
// shown, for as long as the rule lives: the window holds it from before its content is built.
// A widget the program hands the focus outright (a chooser sheet, so that Escape passes through
// it first) keeps it until it goes.
class KeyboardFocus final : public QObject {
public:
    KeyboardFocus();
    ~KeyboardFocus() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace lumenscroll
