#include "app/search/KindOfBibleSearchViewWidget.h"

#include <utility>

namespace lumenscroll {

KindOfBibleSearchViewWidget::KindOfBibleSearchViewWidget(KindOfBibleSearchView view, AppContext& context,
                                                         QWidget* parent)
    : TranslationChoiceSheet(context, parent)
    , view_(std::move(view)) {
    setObjectName(QStringLiteral("kindOfBibleSearchView"));
    refresh();
}

KindOfBibleSearchViewWidget::~KindOfBibleSearchViewWidget() = default;

} // namespace lumenscroll
