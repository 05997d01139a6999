#pragma once

class QWidget;

namespace lumenscroll {

// The title row of both translation choosers: "성경 번역본 선택" in the title-3 font, 15 points
// above and below, centred between flexible spaces. The caller places the row across the top of
// its sheet.
QWidget* translationChoiceTitle(QWidget* parent = nullptr);

} // namespace lumenscroll
