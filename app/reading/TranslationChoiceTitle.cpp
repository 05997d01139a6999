#include "app/reading/TranslationChoiceTitle.h"

#include "app/platform/Look.h"
#include "app/reading/TranslationChoice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

namespace lumenscroll {

namespace {

constexpr int verticalPadding = 15;

} // namespace

QWidget* translationChoiceTitle(QWidget* parent) {
    auto* row = new QWidget(parent);
    row->setObjectName(QStringLiteral("translationChoiceTitle"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, verticalPadding, 0, verticalPadding);
    auto* title = new QLabel(QString::fromUtf8(translationChoiceTitleText.data(),
                                               static_cast<qsizetype>(translationChoiceTitleText.size())),
                             row);
    title->setFont(Look::font(TextStyle::title3));
    layout->addStretch(1);
    layout->addWidget(title);
    layout->addStretch(1);
    return row;
}

} // namespace lumenscroll
