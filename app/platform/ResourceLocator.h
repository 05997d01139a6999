#pragma once

#include <QString>

#include <optional>

namespace lumenscroll {

// Finds the application's resources (the Bible texts, media, icons) by name and type, as the
// build lays them out: the folder "resources" beside the executable. Names are matched in
// Unicode normal form C, so a Korean name written decomposed (as some file systems and
// archives store it) is found by its composed spelling and the other way round.
class ResourceLocator {
public:
    // `<directory of the executable>/resources`.
    ResourceLocator();
    explicit ResourceLocator(QString directory);

    const QString& directory() const { return directory_; }

    // The path of resource `name` of type `type` ("txt", "mp4"; empty when `name` carries its
    // own extension), or none when there is no such file. A name that reaches outside the
    // folder is never found.
    std::optional<QString> path(const QString& name, const QString& type) const;

private:
    QString directory_;
};

} // namespace lumenscroll
