#include "app/platform/SettingsStore.h"

#include <QMetaType>
#include <QSettings>
#include <QVariant>

namespace lumenscroll {

namespace {

const QString organisationAndApplication = QStringLiteral("Lumenscroll");

} // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(organisationAndApplication, organisationAndApplication)) {}

SettingsStore::SettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::hasValue(const QString& key) const {
    return settings_->contains(key);
}

std::int64_t SettingsStore::integer(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (!value.isValid()) {
        return 0;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok ? number : 0;
}

void SettingsStore::setInteger(const QString& key, std::int64_t value) {
    settings_->setValue(key, QVariant::fromValue(static_cast<qlonglong>(value)));
}

bool SettingsStore::boolean(const QString& key) const {
    return settings_->value(key, false).toBool();
}

void SettingsStore::setBoolean(const QString& key, bool value) {
    settings_->setValue(key, value);
}

std::optional<QByteArray> SettingsStore::data(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return value.toByteArray();
}

void SettingsStore::setData(const QString& key, const QByteArray& value) {
    settings_->setValue(key, value);
}

std::optional<QString> SettingsStore::string(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (!value.isValid() || !value.canConvert<QString>()) {
        return std::nullopt;
    }
    return value.toString();
}

void SettingsStore::setString(const QString& key, const QString& value) {
    settings_->setValue(key, value);
}

void SettingsStore::remove(const QString& key) {
    settings_->remove(key);
}

bool SettingsStore::sync() {
    if (lastSyncFailed_) {
        // QSettings keeps its first error for good, so every later sync would look failed too.
        // A fresh one on the same file takes over: the changes not yet written are held per
        // file, not per object, and the fresh one is made before the old one goes, so they stay.
        std::unique_ptr<QSettings> fresh =
            settings_->format() == QSettings::IniFormat
                ? std::make_unique<QSettings>(settings_->fileName(), QSettings::IniFormat)
                : std::make_unique<QSettings>(organisationAndApplication, organisationAndApplication);
        settings_.swap(fresh);
    }
    settings_->sync();
    lastSyncFailed_ = settings_->status() != QSettings::NoError;
    return !lastSyncFailed_;
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}

} // namespace lumenscroll
