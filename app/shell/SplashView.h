#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/shell/LoopingMovie.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll {

class AppContext;
class MainView;
class MoviePlayer;
class UserSettings;

// The start-up screen, the window's first content: the intro movie loops behind the title and
// a loading indicator while the first chapter of the Korean Genesis is loaded, 3.0 seconds
// after the screen first appears; then the movie stops and the main view takes the screen.
// When a text is already loaded in this run, the main view comes at once.
//
// Drawn by SplashViewWidget: the loading block while showIndicator is true, the main view once
// goToMain is true and showIndicator false.
class SplashView : public ObservableObject {
public:
    // `player` is the player the intro movie is loaded into; it must outlive this view.
    // `pagesRestored` goes on to the main view and, through it, to the page carousel, which
    // sets it once it has restored the saved pages.
    SplashView(UserSettings& userSettings, AppContext& context, MoviePlayer& player,
               Binding<bool> pagesRestored = Binding<bool>::constant(false));
    ~SplashView() override;
    SplashView(const SplashView&) = delete;
    SplashView& operator=(const SplashView&) = delete;

    Published<bool> goToMain{*this, false};
    UserSettings& userSettings;
    // The chapter the start-up loader read last.
    Published<BibleStructure> selectedBible{*this, BibleStructure{}};
    Published<bool> showIndicator{*this, true};
    Published<std::int64_t> bibleSectionCount{*this, 66};
    Published<bool> hueRotate{*this, false};
    Published<bool> returnFrame{*this, false};
    Published<std::optional<BibleKind>> bibleKind{*this, BibleKind::kr01};
    Published<std::int64_t> initialPageIndex{*this, 0};
    Published<std::int64_t> tempBibleSectionCount{*this, 1};
    Published<std::int64_t> tempSectionCount{*this, 1};
    Published<std::vector<std::string>> titlePhotoArray;
    // The intro movie.
    LoopingMovie player;
    // Kept from the original layout; nothing uses it.
    MoviePlayer* playerLayer = nullptr;
    Published<bool> biblePagesLoaded{*this, false};

    static constexpr std::chrono::milliseconds startupDelay{3000};
    static inline const QString movieName = QStringLiteral("IntroMovie");
    static inline const QString movieType = QStringLiteral("mp4");
    static inline const QString iconName = QStringLiteral("Icon2_256");
    static inline const QString title = QStringLiteral("Lumenscroll");
    static inline const QString loadingText = QStringLiteral("Loading ");

    // The screen came on screen for the first time: the movie starts and the start-up
    // sequence begins. Later calls do nothing.
    void appear();

    // The movie view appeared: plays the movie, which loops from then on.
    void startIntroMovie();
    // The start-up sequence: the main view at once when a text is loaded already, otherwise
    // the finish step 3.0 seconds from now.
    void startAfterDelay();
    // Loads the start-up chapter, stops the movie and shows the main view, in one go.
    void finishStartup();

    // The start-up chapter loader: reads chapter `chapter` (from 1) of book `bookIndex` of the
    // Korean text into selectedBible and, when the book's entry has room for it, appends it to
    // the book's entry of BibleWordsContainer and files the whole container under "kr" in
    // loadedBibleWordsContainers. A missing text, a short text or a malformed line gives fewer
    // verses or none (a chapter without verses is still kept); a book index outside 0-65 or a
    // chapter the book does not have keeps nothing.
    void loadBibleText(std::int64_t bookIndex, std::int64_t chapter);

    // The main view, once the screen has handed over to it.
    MainView* mainView() const { return mainView_.get(); }
    AppContext& context() const { return context_; }

private:
    // Whether this run has a text loaded: the first book's first chapter has a name.
    bool isTextLoaded() const;
    void showMain();

    AppContext& context_;
    Binding<bool> pagesRestored_;
    std::unique_ptr<MainView> mainView_;
    bool appeared_ = false;
};

} // namespace lumenscroll
