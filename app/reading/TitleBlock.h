#pragma once

#include <string>
#include <vector>

namespace lumenscroll {

class PageHandle;
class RandomSource;

// The page's title block: the title photo, the translation capsule and the chapter title
// capsule, and when the title is rebuilt. The title itself is made from the page's record by
// the page operations (refreshPageTitle, rebuildPageTitle); the label follows the record's
// translation there too (labelNewestPage).

// The title rebuilt from the page's record (rebuildPageTitle), traced.
void rebuildTitle(const PageHandle& page);

// userSelectBibleSection changed: when raised, the title is rebuilt and the flag lowered.
void userSelectBibleSectionRaised(const PageHandle& page, bool raised);

// What the title block shows: empty for a page that is not open.
std::string shownTitle(const PageHandle& page);
std::string shownTitlePhoto(const PageHandle& page);
std::string shownTranslation(const PageHandle& page);
// Whether the title block is drawn: the page is open.
bool isTitleBlockShown(const PageHandle& page);

// One of `photos`, uniformly chosen (empty when there are none).
std::string randomTitlePhoto(const std::vector<std::string>& photos, RandomSource& random);

} // namespace lumenscroll
