#include "app/platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace lumenscroll {
namespace {

using Writes = SettingsStore::Writes;

// Every case for a store that writes on the calling thread and for one that writes on its own.
class SettingsStoreTest : public testing::TestWithParam<Writes> {
protected:
    QTemporaryDir folder;
    QString file() const { return QDir(folder.path()).filePath("Lumenscroll.ini"); }
    // What the disk holds, not what a store of this process has read.
    QByteArray onDisk() const {
        QFile stored(file());
        return stored.open(QIODevice::ReadOnly) ? stored.readAll() : QByteArray();
    }
};

INSTANTIATE_TEST_SUITE_P(BothWrites, SettingsStoreTest,
                         testing::Values(Writes::onCallingThread, Writes::onWriterThread));

TEST_P(SettingsStoreTest, ValuesSurviveASyncAndAReopen) {
    const QByteArray json = R"([{"versesIndex":0,"name":"창세기","praises":[]}])";
    {
        SettingsStore store(file(), GetParam());
        store.setInteger("fontSize", 5);
        store.setInteger("big", 1LL << 40);
        store.setData("SelectedBibleArray", json);
        store.setBoolean("isAnimatedOffset", true);
        store.setString("userEmail", "a@b.c");
        EXPECT_TRUE(store.sync());
    }
    EXPECT_TRUE(QFile::exists(file()));

    SettingsStore reopened(file());
    EXPECT_TRUE(reopened.hasValue("fontSize"));
    EXPECT_EQ(reopened.integer("fontSize"), 5);
    EXPECT_EQ(reopened.integer("big"), 1LL << 40);
    EXPECT_EQ(reopened.data("SelectedBibleArray"), json);
    EXPECT_TRUE(reopened.boolean("isAnimatedOffset"));
    EXPECT_EQ(reopened.string("userEmail"), QString("a@b.c"));
}

// Byte values go to the file in one of two forms (as they are, or compressed and marked when
// QSettings would escape them); files of earlier runs hold the first form only, written by
// QSettings itself.
TEST_P(SettingsStoreTest, ByteValuesOfEveryFormReadBackAcrossLaunches) {
    const QByteArray json = R"([{"name":"창세기","memo":"a \"quoted\"\nnote"}])";
    const QByteArray looksMarked = "zlib:W10=";
    // Not what the mark says: not base64, no stream, a stream that is not deflate, a length no
    // stream of this size makes (which must not be allocated).
    const QByteArray damaged[] = {"zlib:not base64!", "zlib:W1 =", "zlib:AAAAAQ==", "zlib:AAAABXh4eHh4",
                                  "zlib:f////3icAwAAAAAB"};
    {
        QSettings earlierRun(file(), QSettings::IniFormat);
        earlierRun.setValue("SelectedBibleArray", json);
        earlierRun.setValue("BibleWordsContainer", QByteArray("[[]]"));
        for (std::size_t i = 0; i < std::size(damaged); ++i) {
            earlierRun.setValue(QString("damaged%1").arg(i), damaged[i]);
        }
    }
    {
        SettingsStore launch(file(), GetParam());
        EXPECT_EQ(launch.data("SelectedBibleArray"), json);
        EXPECT_EQ(launch.data("BibleWordsContainer"), QByteArray("[[]]"));
        // Not taken for missing: whoever reads it finds it bad and keeps it.
        for (std::size_t i = 0; i < std::size(damaged); ++i) {
            EXPECT_EQ(launch.data(QString("damaged%1").arg(i)), damaged[i]);
        }
        launch.setData("SelectedBibleArray", json + json);
        launch.setData("plain", looksMarked);
        launch.setData("empty", QByteArray());
        ASSERT_TRUE(launch.sync());
    }
    EXPECT_FALSE(onDisk().contains("\\\""));
    for (int launch = 0; launch < 2; ++launch) {
        SettingsStore store(file(), GetParam());
        EXPECT_EQ(store.data("SelectedBibleArray"), json + json);
        EXPECT_EQ(store.data("BibleWordsContainer"), QByteArray("[[]]"));
        EXPECT_EQ(store.data("plain"), looksMarked);
        EXPECT_EQ(store.data("empty"), QByteArray());
        store.setInteger("font", launch);
        ASSERT_TRUE(store.sync());
    }
}

TEST_P(SettingsStoreTest, AFailedSyncKeepsItsChangesAndDoesNotFailTheNextOne) {
    SettingsStore store(file(), GetParam());
    ASSERT_TRUE(QDir().mkpath(file()));
    store.setInteger("fontSize", 5);
    EXPECT_FALSE(store.sync());
    EXPECT_EQ(store.integer("fontSize"), 5);

    ASSERT_TRUE(QDir(file()).removeRecursively());
    EXPECT_TRUE(store.sync());
    EXPECT_EQ(SettingsStore(file()).integer("fontSize"), 5);
}

TEST_P(SettingsStoreTest, MissingKeysReadAsThePlatformsDefaults) {
    SettingsStore store(file(), GetParam());
    EXPECT_FALSE(store.hasValue("fontColor"));
    EXPECT_EQ(store.integer("fontColor"), 0);
    EXPECT_FALSE(store.boolean("isAnimatedOffset"));
    EXPECT_EQ(store.data("BibleWordsContainer"), std::nullopt);
    EXPECT_EQ(store.string("userEmail"), std::nullopt);
}

TEST_P(SettingsStoreTest, AValueOfAnotherKindIsNotTakenForOneItIsNot) {
    SettingsStore store(file(), GetParam());
    store.setString("fontSize", "large");
    store.setString("SelectedBibleArray", "[]");
    EXPECT_TRUE(store.hasValue("fontSize"));
    EXPECT_EQ(store.integer("fontSize"), 0);
    EXPECT_EQ(store.data("SelectedBibleArray"), std::nullopt);
    store.setInteger("font", 3);
    EXPECT_EQ(store.string("font"), QString("3"));
}

TEST_P(SettingsStoreTest, RemoveForgetsTheKey) {
    SettingsStore store(file(), GetParam());
    store.setInteger("font", 3);
    store.remove("font");
    EXPECT_FALSE(store.hasValue("font"));
    ASSERT_TRUE(store.sync());
    EXPECT_FALSE(SettingsStore(file()).hasValue("font"));
}

// The outcome of a syncThen, once the event loop has brought it.
std::optional<bool> outcome(SettingsStore& store, QObject* receiver) {
    auto told = std::make_shared<std::optional<bool>>();
    store.syncThen(receiver, [told](bool written) { *told = written; });
    const QDeadlineTimer deadline(10'000);
    while (!*told && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return *told;
}

TEST_P(SettingsStoreTest, ASyncThenTellsWhetherTheChangesReachedTheDisk) {
    SettingsStore store(file(), GetParam());
    QObject receiver;
    ASSERT_TRUE(QDir().mkpath(file()));
    store.setData("SelectedBibleArray", "[1]");
    EXPECT_EQ(outcome(store, &receiver), false);
    // Read back at once, whatever the disk holds.
    EXPECT_EQ(store.data("SelectedBibleArray"), QByteArray("[1]"));

    ASSERT_TRUE(QDir(file()).removeRecursively());
    store.setData("BibleWordsContainer", "[[]]");
    EXPECT_EQ(outcome(store, &receiver), true);
    EXPECT_TRUE(onDisk().contains("SelectedBibleArray=@ByteArray([1])"));
    EXPECT_TRUE(onDisk().contains("BibleWordsContainer=@ByteArray([[]])"));
}

TEST(SettingsStoreWriterThread, WritesWhatIsLeftWhenItGoesAndTellsNoReceiverThatIsGone) {
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath("Lumenscroll.ini");
    bool told = false;
    {
        SettingsStore store(file, Writes::onWriterThread);
        store.setInteger("font", 3);
        store.setData("SelectedBibleArray", "[2]");
        {
            QObject receiver;
            store.syncThen(&receiver, [&told](bool) { told = true; });
        }
        // The last change is not synced: the store writes it before it goes.
        store.setData("SelectedBibleArray", "[3]");
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(told);
    QFile stored(file);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray onDisk = stored.readAll();
    EXPECT_TRUE(onDisk.contains("SelectedBibleArray=@ByteArray([3])"));
    EXPECT_TRUE(onDisk.contains("font=3"));
}

} // namespace
} // namespace lumenscroll
