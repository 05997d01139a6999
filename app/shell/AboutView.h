#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/shell/FrameProvider.h"
#include "app/shell/LoopingMovie.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace lumenscroll {

class AppContext;
class MoviePlayer;
class UserSettings;

// The About panel: the intro movie loops behind the title, a description, an appeal for
// support with its payment lines, a closing note with a contact line and the icon. Pointing
// at the support row reveals the payment link and cheers; leaving it hides the link again,
// disappointed, until the link has been clicked, which opens it in the browser and keeps it
// revealed while the panel lives. The panel lives while the reading page's top area shows it;
// its close button clears the flag that shows it.
//
// Drawn by AboutViewWidget, which starts the movie with its first showing and shows the
// pointing hand over the support row only: the cursor never outlives the panel.
class AboutView : public ObservableObject {
public:
    // `player` is the player the movie is loaded into; it must outlive this view.
    AboutView(UserSettings& userSettings, AppContext& context, MoviePlayer& player);
    ~AboutView() override;
    AboutView(const AboutView&) = delete;
    AboutView& operator=(const AboutView&) = delete;

    // Kept from the original layout; nothing uses it.
    Published<std::int64_t> pickerIndex{*this, 0};
    // The intro movie, looping.
    LoopingMovie player;
    // Kept from the original layout; nothing uses it.
    MoviePlayer* playerLayer = nullptr;
    UserSettings& userSettings;
    std::string explanation;
    std::string supportExplanation;
    // The payment line before it is revealed.
    std::string supportLink;
    // The payment link: the revealed payment line, opened by a click on it.
    std::string tossLink;
    // Always shown above the payment line.
    std::string bankAccountInfo;
    // Two lines, the second after a carriage return.
    std::string explanation2;
    // Whether the support row is revealed.
    Published<bool> hoverOnToss{*this, false};
    // The sound playing or played last.
    Published<std::optional<QString>> audioPlayer{*this, std::nullopt};
    // Reserved for an animated icon driven by a frame provider and a timer; the icon is a still
    // picture: the timer is never started and none of these is ever set.
    QTimer* animationTimer = nullptr;
    Published<std::shared_ptr<FrameProvider>> frameProvider{*this, nullptr};
    Published<QPointF> cursorHotSpot{*this, QPointF(0, 0)};
    Published<QSizeF> cursorSize{*this, QSizeF(0, 0)};
    Published<std::int64_t> currentLoop{*this, 0};
    Published<std::int64_t> currentFrame{*this, 0};
    // Whether the payment line has been clicked.
    Published<bool> tappedTossLink{*this, false};
    std::int64_t loopCount = 0;

    static inline const QString title = QStringLiteral("About Lumenscroll");
    static const QString contactLine;
    static inline const QString movieName = QStringLiteral("IntroMovie");
    static inline const QString movieType = QStringLiteral("mp4");
    static inline const QString iconName = QStringLiteral("Icon2_256");
    static inline const QString cheeringSound = QStringLiteral("cheering.wav");
    static inline const QString disappointedSound = QStringLiteral("disappointing.mp3");

    // The movie view came on screen: the movie plays, and starts again each time it ends.
    void startMovie();
    // The pointer entered (true) or left (false) the support row.
    void hoverSupportRow(bool inside);
    // A click on the payment line: its link opens, when it is one, and the row stays revealed.
    void pressPaymentLine();
    // The close button.
    void close();

    // What the payment line shows now.
    std::string paymentLine() const { return hoverOnToss() ? tossLink : supportLink; }

    // A change of hoverOnToss: cheering when revealed, disappointed when hidden. A sound that
    // is not among the resources is skipped, and whatever plays goes on.
    void hoverOnTossChanged(bool revealed);

    AppContext& context() const { return context_; }

private:
    AppContext& context_;
    ChangeWatchers watchers_;
};

} // namespace lumenscroll
