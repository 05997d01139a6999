#pragma once

#include <QColor>
#include <QMargins>
#include <QString>
#include <QWidget>

namespace lumenscroll {

// A short notice ("복사할 구절을 선택해 주세요." and the like): white text on an opaque dark
// capsule, padded all round, so that it reads the same over verses, pictures or the dark main
// area. Its owner places it; sizeFor says how large it is for its text.
class NoticeCapsule : public QWidget {
    Q_OBJECT

public:
    explicit NoticeCapsule(QWidget* parent = nullptr);
    ~NoticeCapsule() override;

    QString text() const { return text_; }
    void setText(const QString& text);
    // The capsule for its text on one line, wrapped only past `maximumWidth`.
    QSize sizeFor(int maximumWidth) const;

    static constexpr QMargins padding{20, 12, 20, 12};
    // White on it reads at better than 13:1.
    static constexpr QColor background{44, 44, 46};
    static constexpr qreal cornerRadius = 18;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace lumenscroll
