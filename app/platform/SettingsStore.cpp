#include "app/platform/SettingsStore.h"

#include <QMetaObject>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

const QString organisationAndApplication = QStringLiteral("Lumenscroll");

using SettingsFactory = std::function<std::unique_ptr<QSettings>()>;

std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>(organisationAndApplication, organisationAndApplication);
}

SettingsFactory iniFile(const QString& filePath) {
    return [filePath] { return std::make_unique<QSettings>(filePath, QSettings::IniFormat); };
}

// Syncs `settings` and says whether it worked. QSettings keeps its first error for good, so
// every later sync would look failed too: after a failure a fresh one on the same file takes
// over. The changes not yet written are held per file, not per object, and the fresh one is
// made before the old one goes, so they stay for it to write.
bool syncAfresh(std::unique_ptr<QSettings>& settings, bool& lastFailed, const SettingsFactory& open) {
    if (lastFailed) {
        std::unique_ptr<QSettings> fresh = open();
        settings.swap(fresh);
    }
    settings->sync();
    lastFailed = settings->status() != QSettings::NoError;
    return !lastFailed;
}

// Byte values that QSettings would write byte by byte, escaped (every quote of a JSON text,
// every byte of a Korean letter), and read back the same way, go to the file compressed, as
// base64 behind this mark: a short run of plain text, which it writes and reads at once (the
// saved pages, a few hundred kilobytes of JSON much alike, take a few). Other values, and every
// value an earlier run stored, are the bytes themselves; a value that begins with the mark is
// always marked, so that no plain value is taken for a marked one.
constexpr std::string_view mark = "zlib:";

// qCompress's first four bytes give the length it was made from, which qUncompress allocates
// at once: a length no stream of this size can make is refused first. Deflate makes at most
// 1032 bytes of one.
constexpr qsizetype deflateMaximumRatio = 1032;

bool startsWithMark(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayView(mark.data(), static_cast<qsizetype>(mark.size())));
}

bool escapedByQSettings(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte >= 0x7f || c == '"' || c == '\\';
    });
}

// The value as the file holds it. On the writer thread, for the user's store.
QVariant stored(const QVariant& value) {
    if (value.typeId() != QMetaType::QByteArray) {
        return value;
    }
    const QByteArray bytes = value.toByteArray();
    if (!startsWithMark(bytes) && !escapedByQSettings(bytes)) {
        return value;
    }
    // The fastest level: the values are so alike within that it gives nearly all the others do.
    return QVariant(QByteArray(mark.data(), static_cast<qsizetype>(mark.size())) + qCompress(bytes, 1).toBase64());
}

constexpr std::uint8_t notBase64 = 0xff;

constexpr std::array<std::uint8_t, 256> base64Digits = [] {
    std::array<std::uint8_t, 256> digits{};
    digits.fill(notBase64);
    constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        digits[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
    }
    return digits;
}();

// Padded base64 as QByteArray::toBase64 writes it; none for anything else. Qt's own reader
// takes several times as long, a character at a time.
std::optional<QByteArray> fromBase64(QByteArrayView text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    const qsizetype padding = text.endsWith("==") ? 2 : text.endsWith('=') ? 1 : 0;
    QByteArray bytes(text.size() / 4 * 3 - padding, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    // Every digit is below 64; the mark of a character outside the alphabet has the top bit set.
    const auto group = [&](qsizetype at, std::uint32_t& bits) {
        const std::uint32_t a = base64Digits[in[at]], b = base64Digits[in[at + 1]],
                            c = base64Digits[in[at + 2]], d = base64Digits[in[at + 3]];
        bits = (a << 18) | (b << 12) | (c << 6) | d;
        return ((a | b | c | d) & 0x80) == 0;
    };
    const qsizetype whole = padding == 0 ? text.size() : text.size() - 4;
    for (qsizetype at = 0; at < whole; at += 4) {
        std::uint32_t bits = 0;
        if (!group(at, bits)) {
            return std::nullopt;
        }
        out[0] = static_cast<unsigned char>(bits >> 16);
        out[1] = static_cast<unsigned char>(bits >> 8);
        out[2] = static_cast<unsigned char>(bits);
        out += 3;
    }
    if (padding > 0) {
        // The padding read as the digit 0, and the rest checked as any group.
        const unsigned char last[4] = {in[whole], in[whole + 1], padding == 2 ? static_cast<unsigned char>('A') : in[whole + 2],
                                       static_cast<unsigned char>('A')};
        in = last;
        std::uint32_t bits = 0;
        if (!group(0, bits)) {
            return std::nullopt;
        }
        out[0] = static_cast<unsigned char>(bits >> 16);
        if (padding == 1) {
            out[1] = static_cast<unsigned char>(bits >> 8);
        }
    }
    return bytes;
}

// The value a stored one stands for. A marked value that is not what the mark says is damaged:
// it is given as it is, so that whoever reads it finds it bad and can keep it, rather than taken
// for none.
QByteArray unmarked(const QByteArray& stored) {
    if (!startsWithMark(stored)) {
        return stored;
    }
    const std::optional<QByteArray> compressed =
        fromBase64(QByteArrayView(stored).sliced(static_cast<qsizetype>(mark.size())));
    if (!compressed || compressed->size() < 4) {
        return stored;
    }
    const auto* header = reinterpret_cast<const unsigned char*>(compressed->constData());
    const qsizetype length = (qsizetype{header[0]} << 24) | (qsizetype{header[1]} << 16) |
                             (qsizetype{header[2]} << 8) | qsizetype{header[3]};
    if (length / deflateMaximumRatio > compressed->size()) {
        return stored;
    }
    QByteArray bytes = qUncompress(*compressed);
    return bytes.size() == length ? bytes : stored;
}

} // namespace

// The writer thread of a store, and its own QSettings on the store's file: QSettings objects
// on one file in one process share what they hold, so the changes handed over here are the
// store's, and one object may work on its thread while another reads on the main thread.
// Results come back through the event queue of an object of the store's thread.
class SettingsStore::Writer {
public:
    explicit Writer(SettingsFactory open)
        : open_(std::move(open)) {
        worker_ = new QObject;
        worker_->moveToThread(&thread_);
        QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
        thread_.start();
    }

    ~Writer() {
        (void)wait();
        QMetaObject::invokeMethod(
            worker_, [this] { settings_.reset(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Hands a change over. It is written with the next write, which the calling thread's event
    // loop starts unless a sync starts it sooner: the changes of one action go to the disk
    // together.
    void put(const QString& key, std::optional<QVariant> value) {
        const std::lock_guard lock(mutex_);
        pending_.emplace_back(key, std::move(value));
        ++requested_;
        if (!startPosted_) {
            startPosted_ = true;
            QMetaObject::invokeMethod(
                &results_,
                [this] {
                    const std::lock_guard lock(mutex_);
                    startPosted_ = false;
                    startLocked();
                },
                Qt::QueuedConnection);
        }
    }

    void then(QObject* receiver, std::function<void(bool)> done) {
        const std::lock_guard lock(mutex_);
        waiters_.push_back({QPointer<QObject>(receiver), std::move(done)});
        ++requested_;
        startLocked();
    }

    bool wait() {
        std::unique_lock lock(mutex_);
        const std::uint64_t wanted = ++requested_;
        startLocked();
        written_.wait(lock, [&] { return completed_ >= wanted; });
        return lastWritten_;
    }

private:
    struct Waiter {
        QPointer<QObject> receiver;
        std::function<void(bool)> done;
    };

    void startLocked() {
        if (started_ || completed_ >= requested_) {
            return;
        }
        started_ = true;
        QMetaObject::invokeMethod(
            worker_, [this] { write(); }, Qt::QueuedConnection);
    }

    // On the writer thread: everything handed over so far, in one sync.
    void write() {
        std::vector<std::pair<QString, std::optional<QVariant>>> changes;
        std::vector<Waiter> waiters;
        std::uint64_t upTo = 0;
        {
            const std::lock_guard lock(mutex_);
            changes.swap(pending_);
            waiters.swap(waiters_);
            upTo = requested_;
            started_ = false;
        }
        if (!settings_) {
            settings_ = open_();
        }
        for (auto& [key, value] : changes) {
            if (value) {
                settings_->setValue(key, stored(*value));
            } else {
                settings_->remove(key);
            }
        }
        const bool written = syncAfresh(settings_, lastFailed_, open_);
        // Posted before the write counts as done: once the store has waited for it, nothing
        // is sent to the results' object any more.
        for (Waiter& waiter : waiters) {
            QMetaObject::invokeMethod(
                &results_,
                [receiver = std::move(waiter.receiver), done = std::move(waiter.done), written] {
                    if (receiver) {
                        done(written);
                    }
                },
                Qt::QueuedConnection);
        }
        const std::lock_guard lock(mutex_);
        completed_ = upTo;
        lastWritten_ = written;
        // Changes handed over while this one was written.
        startLocked();
        written_.notify_all();
    }

    SettingsFactory open_;
    // Of the store's thread; declared first, gone last.
    QObject results_;

    std::mutex mutex_;
    std::condition_variable written_;
    std::vector<std::pair<QString, std::optional<QVariant>>> pending_;
    std::vector<Waiter> waiters_;
    // Every change, sync and wait counts one up; a write completes all counted when it began.
    std::uint64_t requested_ = 0;
    std::uint64_t completed_ = 0;
    bool lastWritten_ = true;
    bool started_ = false;
    bool startPosted_ = false;

    // The writer thread's own.
    std::unique_ptr<QSettings> settings_;
    bool lastFailed_ = false;

    QThread thread_;
    QObject* worker_ = nullptr;
};

SettingsStore::SettingsStore()
    : settings_(userSettings())
    , fileName_(settings_->fileName())
    , writer_(std::make_unique<Writer>(userSettings)) {}

SettingsStore::SettingsStore(const QString& filePath, Writes writes)
    : settings_(iniFile(filePath)())
    , fileName_(settings_->fileName())
    , writer_(writes == Writes::onWriterThread ? std::make_unique<Writer>(iniFile(filePath)) : nullptr) {}

SettingsStore::~SettingsStore() = default;

QVariant SettingsStore::value(const QString& key) const {
    if (writer_) {
        if (const auto changed = changed_.find(key); changed != changed_.end()) {
            return changed->second.value_or(QVariant());
        }
    }
    QVariant value = settings_->value(key);
    if (value.typeId() != QMetaType::QByteArray) {
        return value;
    }
    // Each save asks for the stored values to compare with: one decoding of a value serves until
    // the file holds another.
    const QByteArray bytes = value.toByteArray();
    Unmarked& known = unmarked_[key];
    if (!known.stored.isSharedWith(bytes) && known.stored != bytes) {
        known = Unmarked{bytes, unmarked(bytes)};
    }
    return QVariant(known.value);
}

void SettingsStore::put(const QString& key, std::optional<QVariant> value) {
    if (!writer_) {
        if (value) {
            settings_->setValue(key, stored(*value));
        } else {
            settings_->remove(key);
        }
        return;
    }
    changed_[key] = value;
    writer_->put(key, std::move(value));
}

bool SettingsStore::hasValue(const QString& key) const {
    if (writer_) {
        if (const auto changed = changed_.find(key); changed != changed_.end()) {
            return changed->second.has_value();
        }
    }
    return settings_->contains(key);
}

std::int64_t SettingsStore::integer(const QString& key) const {
    const QVariant stored = value(key);
    if (!stored.isValid()) {
        return 0;
    }
    bool ok = false;
    const qlonglong number = stored.toLongLong(&ok);
    return ok ? number : 0;
}

void SettingsStore::setInteger(const QString& key, std::int64_t value) {
    put(key, QVariant::fromValue(static_cast<qlonglong>(value)));
}

bool SettingsStore::boolean(const QString& key) const {
    const QVariant stored = value(key);
    return stored.isValid() && stored.toBool();
}

void SettingsStore::setBoolean(const QString& key, bool value) {
    put(key, QVariant(value));
}

std::optional<QByteArray> SettingsStore::data(const QString& key) const {
    const QVariant stored = value(key);
    if (stored.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return stored.toByteArray();
}

void SettingsStore::setData(const QString& key, const QByteArray& value) {
    put(key, QVariant(value));
}

std::optional<QString> SettingsStore::string(const QString& key) const {
    const QVariant stored = value(key);
    if (!stored.isValid() || !stored.canConvert<QString>()) {
        return std::nullopt;
    }
    return stored.toString();
}

void SettingsStore::setString(const QString& key, const QString& value) {
    put(key, QVariant(value));
}

void SettingsStore::remove(const QString& key) {
    put(key, std::nullopt);
}

bool SettingsStore::sync() {
    if (writer_) {
        return writer_->wait();
    }
    return syncAfresh(settings_, lastSyncFailed_, iniFile(fileName_));
}

void SettingsStore::syncThen(QObject* receiver, std::function<void(bool written)> done) {
    if (writer_) {
        writer_->then(receiver, std::move(done));
        return;
    }
    done(sync());
}

QString SettingsStore::fileName() const {
    return fileName_;
}

} // namespace lumenscroll
