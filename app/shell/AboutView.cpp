#include "app/shell/AboutView.h"

#include "app/platform/AppContext.h"
#include "app/reading/UserSettings.h"

#include <QUrl>

namespace lumenscroll {

const QString AboutView::contactLine = QStringLiteral("문의: lumenscroll@example.org");

AboutView::AboutView(UserSettings& userSettings, AppContext& context, MoviePlayer& player)
    : player(player, context, movieName, movieType)
    , userSettings(userSettings)
    , explanation("루멘스크롤은 데스크톱에서 개역한글 성경을 누구나 마음껏 읽을 수 있도록 만든 무료 성경 앱입니다. "
                  "성경 장별로 창을 여러 개 띄워 나란히 읽고, 구절을 찾고 복사하고 묵상을 기록할 수 있습니다. "
                  "말씀을 가까이하는 하루하루에 작은 도움이 되기를 바랍니다.")
    , supportExplanation("적은 돈이라도 후원해주시면, 앱을 개발하는데 큰 도움이 됩니다.🤓💕💕")
    , supportLink("👉 토스 후원 계좌 보기 👈")
    , tossLink("https://example.org/lumenscroll/support")
    , bankAccountInfo("후원 계좌는 아래 링크에서 안내해 드립니다")
    , explanation2("더 나은 앱을 위해 아이디어가 있으시면 연락주십시오.\r작은 의견도 소중히 듣겠습니다.")
    , context_(context)
    , watchers_(context.scheduler()) {
    watchers_.observe(*this);
    watchers_.watch([this] { return hoverOnToss(); }, [this](bool revealed) { hoverOnTossChanged(revealed); });
}

AboutView::~AboutView() = default;

void AboutView::startMovie() {
    player.start();
}

void AboutView::hoverSupportRow(bool inside) {
    if (inside) {
        hoverOnToss.set(true);
        return;
    }
    if (!tappedTossLink()) {
        hoverOnToss.set(false);
    }
}

void AboutView::pressPaymentLine() {
    const QUrl url(QString::fromStdString(tossLink), QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty()) {
        context_.urlOpener().open(url);
    }
    tappedTossLink.set(true);
}

void AboutView::close() {
    userSettings.aboutViewBtnPressed.set(false);
}

void AboutView::hoverOnTossChanged(bool revealed) {
    const std::optional<QString> path = context_.resources().path(revealed ? cheeringSound : disappointedSound, {});
    if (!path) {
        return;
    }
    // The player stops the sound still playing before it starts this one.
    audioPlayer.set(*path);
    context_.sounds().play(*path);
}

} // namespace lumenscroll
