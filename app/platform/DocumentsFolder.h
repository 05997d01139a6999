#pragma once

#include <QString>

namespace lumenscroll {

// The user's Documents folder, where the page-state files live; tests give a folder of their own.
class DocumentsFolder {
public:
    // The platform's Documents location.
    DocumentsFolder();
    explicit DocumentsFolder(QString path);

    const QString& path() const { return path_; }
    // `relativePath` inside the folder ("Lumenscroll_QT/Lumenscroll_Settings").
    QString filePath(const QString& relativePath) const;

private:
    QString path_;
};

} // namespace lumenscroll
