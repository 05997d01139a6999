#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

namespace lumenscroll {

// The user defaults: the font choices as integers and the saved pages as JSON bytes, kept by
// QSettings under organisation and application "Lumenscroll". Reads of a missing key give
// what the platform's defaults gave (0, no data, no string), so callers that care ask
// hasValue() first.
class SettingsStore {
public:
    // The user's own settings.
    SettingsStore();
    // A settings file of its own (tests): an INI file at `filePath`, created on first sync.
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    bool hasValue(const QString& key) const;

    // The stored integer; 0 when the key is missing or its value is not a whole number.
    std::int64_t integer(const QString& key) const;
    void setInteger(const QString& key, std::int64_t value);

    bool boolean(const QString& key) const;
    void setBoolean(const QString& key, bool value);

    // Bytes stored as bytes (the JSON values); none when missing or stored as something else.
    std::optional<QByteArray> data(const QString& key) const;
    void setData(const QString& key, const QByteArray& value);

    std::optional<QString> string(const QString& key) const;
    void setString(const QString& key, const QString& value);

    void remove(const QString& key);

    // Writes pending changes to disk now (after a save); false when the store could not be
    // written or read. Changes a failed sync could not write stay for the next one.
    bool sync();

    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
    bool lastSyncFailed_ = false;
};

} // namespace lumenscroll
