#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QObject;
class QSettings;

namespace lumenscroll {

// The user defaults: the font choices as integers and the saved pages as JSON bytes, kept by
// QSettings under organisation and application "Lumenscroll". Reads of a missing key give
// what the platform's defaults gave (0, no data, no string), so callers that care ask
// hasValue() first.
//
// Byte values that QSettings would escape byte by byte are kept in the file compressed, as
// marked base64 text, which it reads and writes at once; values of earlier runs read as they
// were stored.
//
// QSettings writes its whole file at every sync and waits for the disk: with the saved pages in
// it, that is milliseconds. The user's own store
// therefore writes on a thread of its own (Writes::onWriterThread): a change is read back at
// once from the store, and every change is on its way to the disk as soon as it is made, in
// the order made; the writes that pile up while one is under way go to the disk together in
// the next one. Nothing is left unwritten when the store goes, and a write that fails is
// retried with the next one, as QSettings keeps what it could not write.
class SettingsStore {
public:
    // Where the file is written: on the thread that changes or syncs, which then waits for the
    // disk; or on the store's own writer thread.
    enum class Writes { onCallingThread, onWriterThread };

    // The user's own settings, written on the writer thread.
    SettingsStore();
    // A settings file of its own (tests): an INI file at `filePath`, created on first sync.
    explicit SettingsStore(const QString& filePath, Writes writes = Writes::onCallingThread);
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

    // Writes the changes made so far to disk and waits for them; false when the store could not
    // be written or read. Changes a failed sync could not write stay for the next one.
    bool sync();
    // Writes the changes made so far, and then tells `done` whether they reached the disk: at
    // once, on the calling thread, for a store that writes there; otherwise from the event loop
    // of `receiver`'s thread once the writer thread is done, and never when `receiver` is gone
    // by then.
    void syncThen(QObject* receiver, std::function<void(bool written)> done);

    QString fileName() const;

private:
    class Writer;

    QVariant value(const QString& key) const;
    // `value` none: the key is removed.
    void put(const QString& key, std::optional<QVariant> value);

    std::unique_ptr<QSettings> settings_;
    QString fileName_;
    bool lastSyncFailed_ = false;
    // On the writer thread: what this store has changed, read back from here, since the file
    // may not hold it yet.
    std::unique_ptr<Writer> writer_;
    std::map<QString, std::optional<QVariant>> changed_;
    // The last byte value read from the file under each key, as stored and as it stands for.
    struct Unmarked {
        QByteArray stored;
        QByteArray value;
    };
    mutable std::map<QString, Unmarked> unmarked_;
};

} // namespace lumenscroll
