#pragma once

#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/TranslationChoiceSheet.h"

namespace lumenscroll {

// Draws the reading page's translation chooser as the translation choosers' shared sheet; a
// click on a row chooses it. The page shows it while its showBibleTranslateSelectionWindow is
// up and destroys it, after the action that lowered the flag, when the flag falls.
class KindOfBibleSelectionViewWidget : public TranslationChoiceSheet {
    Q_OBJECT

public:
    KindOfBibleSelectionViewWidget(KindOfBibleSelectionView view, AppContext& context, QWidget* parent = nullptr);
    ~KindOfBibleSelectionViewWidget() override;

    const KindOfBibleSelectionView& view() const { return view_; }

protected:
    std::int64_t rowCount() const override { return view_.rowCount(); }
    void closeSheet() override { view_.close(); }
    void chooseRow(std::int64_t row) override { view_.choose(row); }

private:
    KindOfBibleSelectionView view_;
};

} // namespace lumenscroll
