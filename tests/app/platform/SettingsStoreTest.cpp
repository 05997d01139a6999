#include "app/platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

class SettingsStoreTest : public testing::Test {
protected:
    QTemporaryDir folder;
    QString file() const { return QDir(folder.path()).filePath("Lumenscroll.ini"); }
};

TEST_F(SettingsStoreTest, ValuesSurviveASyncAndAReopen) {
    const QByteArray json = R"([{"versesIndex":0,"name":"창세기","praises":[]}])";
    {
        SettingsStore store(file());
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

TEST_F(SettingsStoreTest, AFailedSyncKeepsItsChangesAndDoesNotFailTheNextOne) {
    SettingsStore store(file());
    ASSERT_TRUE(QDir().mkpath(file()));
    store.setInteger("fontSize", 5);
    EXPECT_FALSE(store.sync());
    EXPECT_EQ(store.integer("fontSize"), 5);

    ASSERT_TRUE(QDir(file()).removeRecursively());
    EXPECT_TRUE(store.sync());
    EXPECT_EQ(SettingsStore(file()).integer("fontSize"), 5);
}

TEST_F(SettingsStoreTest, MissingKeysReadAsThePlatformsDefaults) {
    SettingsStore store(file());
    EXPECT_FALSE(store.hasValue("fontColor"));
    EXPECT_EQ(store.integer("fontColor"), 0);
    EXPECT_FALSE(store.boolean("isAnimatedOffset"));
    EXPECT_EQ(store.data("BibleWordsContainer"), std::nullopt);
    EXPECT_EQ(store.string("userEmail"), std::nullopt);
}

TEST_F(SettingsStoreTest, AValueOfAnotherKindIsNotTakenForOneItIsNot) {
    SettingsStore store(file());
    store.setString("fontSize", "large");
    store.setString("SelectedBibleArray", "[]");
    EXPECT_TRUE(store.hasValue("fontSize"));
    EXPECT_EQ(store.integer("fontSize"), 0);
    EXPECT_EQ(store.data("SelectedBibleArray"), std::nullopt);
    store.setInteger("font", 3);
    EXPECT_EQ(store.string("font"), QString("3"));
}

TEST_F(SettingsStoreTest, RemoveForgetsTheKey) {
    SettingsStore store(file());
    store.setInteger("font", 3);
    store.remove("font");
    EXPECT_FALSE(store.hasValue("font"));
    ASSERT_TRUE(store.sync());
    EXPECT_FALSE(SettingsStore(file()).hasValue("font"));
}

} // namespace
} // namespace lumenscroll
