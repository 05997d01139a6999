#include "app/reading/PageNotices.h"

#include "app/model/BibleStructure.h"
#include "app/model/LanguageCode.h"
#include "app/platform/Scheduler.h"
#include "app/reading/PageHandle.h"

#include <algorithm>

namespace lumenscroll {

std::string noticeText(const PageHandle& page, BibleView::Notice notice) {
    const BibleStructure* record = page.record();
    const bool english =
        record && (record->kindOfBible == BibleKind::en01 ||
                   (record->kindOfBible != BibleKind::kr01 && record->language == englishLanguageCode));
    switch (notice) {
    case BibleView::Notice::textMissing:
        return english ? "The text of this chapter cannot be found.\nYour marks and notes on it are kept."
                       : "이 장의 본문을 찾을 수 없습니다.\n이 장에 남긴 표시와 메모는 그대로 보관됩니다.";
    case BibleView::Notice::saveFailed:
        return english ? "Your pages could not be saved. Check that the Documents folder can be written to."
                       : "페이지를 저장하지 못했습니다. 문서 폴더에 쓸 수 있는지 확인해 주세요.";
    }
    return {};
}

std::string shownMissingTextNotice(const PageHandle& page) {
    const BibleStructure* record = page.record();
    if (!record) {
        return {};
    }
    const bool hasText = std::any_of(record->praises.begin(), record->praises.end(),
                                     [](const BiblePraise& verse) { return !verse.word.empty(); });
    return hasText ? std::string() : noticeText(page, BibleView::Notice::textMissing);
}

void showNotice(const PageHandle& page, Scheduler& scheduler, const std::string& message) {
    const bool shown = page.modifyView([&](BibleView& view) {
        view.toastMessage = message;
        view.showToast = true;
    });
    if (!shown) {
        return;
    }
    // Only this notice goes: a later one stays its own time.
    scheduler.postAfter(&page.userSettings(), BibleView::noticeDuration, [page, message] {
        const BibleView* view = page.view();
        if (view && view->showToast && view->toastMessage == message) {
            page.modifyView([](BibleView& hidden) { hidden.showToast = false; });
        }
    });
}

std::string shownNotice(const PageHandle& page) {
    const BibleView* view = page.view();
    return view && view->showToast ? view->toastMessage : std::string();
}

} // namespace lumenscroll
