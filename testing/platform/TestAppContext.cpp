#include "testing/platform/TestAppContext.h"

#include "app/platform/FileSystem.h"

#include <QDir>

namespace lumenscroll {

namespace {

template <class Service> std::unique_ptr<Service> make(Service*& keep) {
    auto service = std::make_unique<Service>();
    keep = service.get();
    return service;
}

} // namespace

TestAppContext::TestAppContext(const QString& resourceDirectory, quint32 randomSeed,
                               SettingsStore::Writes settingsWrites)
    : TestAppContext(std::make_unique<QTemporaryDir>(), QString(), resourceDirectory, randomSeed,
                     settingsWrites) {}

std::unique_ptr<TestAppContext> TestAppContext::inHome(const QString& home, const QString& resourceDirectory,
                                                       quint32 randomSeed,
                                                       SettingsStore::Writes settingsWrites) {
    return std::unique_ptr<TestAppContext>(
        new TestAppContext(nullptr, home, resourceDirectory, randomSeed, settingsWrites));
}

TestAppContext::TestAppContext(std::unique_ptr<QTemporaryDir> ownRoot, QString home,
                               const QString& resourceDirectory, quint32 randomSeed,
                               SettingsStore::Writes settingsWrites)
    : ownRoot_(std::move(ownRoot))
    , root_(ownRoot_ ? ownRoot_->path() : std::move(home)) {
    if (ownRoot_ && !ownRoot_->isValid()) {
        qFatal("TestAppContext: no temporary folder: %s", qPrintable(ownRoot_->errorString()));
    }
    const QDir root(root_);
    const QString documents = root.filePath(QStringLiteral("Documents"));
    ownsResources_ = resourceDirectory.isEmpty();
    const QString resources = ownsResources_ ? root.filePath(QStringLiteral("resources")) : resourceDirectory;
    FileSystem::makeDirectories(documents);
    if (ownsResources_) {
        FileSystem::makeDirectories(resources);
    }

    auto animations = std::make_unique<Animations>();
    animations->setEnabled(false);

    AppContext::Services services{
        .scheduler = make(scheduler_),
        .settings = std::make_unique<SettingsStore>(settingsFilePath(), settingsWrites),
        .documents = std::make_unique<DocumentsFolder>(documents),
        .resources = std::make_unique<ResourceLocator>(resources),
        .clipboard = make(clipboard_),
        .urlOpener = make(urlOpener_),
        .cursors = make(cursors_),
        .keys = make(keys_),
        .activity = std::make_unique<AppActivity>(),
        .random = std::make_unique<SeededRandom>(randomSeed),
        .sounds = make(sounds_),
        .animations = std::move(animations),
        .clock = make(clock_),
    };
    context_ = std::make_unique<AppContext>(std::move(services));
}

TestAppContext::~TestAppContext() = default;

QString TestAppContext::settingsFilePath() const {
    return QDir(root_).filePath(QStringLiteral("Lumenscroll.ini"));
}

bool TestAppContext::addResource(const QString& fileName, const QByteArray& bytes) {
    if (!ownsResources_) {
        return false;
    }
    return FileSystem::writeAtomically(QDir(context_->resources().directory()).filePath(fileName), bytes);
}

} // namespace lumenscroll
