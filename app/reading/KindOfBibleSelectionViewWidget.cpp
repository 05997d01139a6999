#include "app/reading/KindOfBibleSelectionViewWidget.h"

#include <utility>

namespace lumenscroll {

KindOfBibleSelectionViewWidget::KindOfBibleSelectionViewWidget(KindOfBibleSelectionView view, AppContext& context,
                                                               QWidget* parent)
    : TranslationChoiceSheet(context, parent)
    , view_(std::move(view)) {
    setObjectName(QStringLiteral("kindOfBibleSelectionView"));
    refresh();
}

KindOfBibleSelectionViewWidget::~KindOfBibleSelectionViewWidget() = default;

} // namespace lumenscroll
