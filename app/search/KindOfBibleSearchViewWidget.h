#pragma once

#include "app/reading/TranslationChoiceSheet.h"
#include "app/search/KindOfBibleSearchView.h"

namespace lumenscroll {

// Draws the search page's translation chooser as the translation choosers' shared sheet; a
// click on a row chooses it.
class KindOfBibleSearchViewWidget : public TranslationChoiceSheet {
    Q_OBJECT

public:
    KindOfBibleSearchViewWidget(KindOfBibleSearchView view, AppContext& context, QWidget* parent = nullptr);
    ~KindOfBibleSearchViewWidget() override;

    const KindOfBibleSearchView& view() const { return view_; }

protected:
    std::int64_t rowCount() const override { return view_.rowCount(); }
    void closeSheet() override { view_.close(); }
    void chooseRow(std::int64_t row) override { view_.choose(row); }

private:
    KindOfBibleSearchView view_;
};

} // namespace lumenscroll
