// The symbols both the reading page and the shell draw: their own icon, a stand-in icon, an
// outline kept in the code, a filled circle with the symbol cut out, and a translucent colour
// applied to the symbol as a whole.

#include "app/reading/SymbolIcon.h"
#include "app/platform/ResourceLocator.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

// A 24 by 24 square from 4 to 20 in currentColor.
const QByteArray squareIcon = R"(<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">)"
                              R"(<rect x="4" y="4" width="16" height="16" fill="currentColor"/></svg>)";
// Two squares in currentColor, overlapping in the middle.
const QByteArray overlappingIcon =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">)"
    R"(<rect x="2" y="2" width="14" height="14" fill="currentColor"/>)"
    R"(<rect x="8" y="8" width="14" height="14" fill="currentColor"/></svg>)";

class SymbolIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        write("plus.svg", squareIcon);
        write("gearshape.svg", squareIcon);
        write("xmark.svg", squareIcon);
        write("doc.on.doc.svg", overlappingIcon);
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QImage draw(const QString& symbol, const QColor& color = Qt::red, int size = 24) const {
        return SymbolIcon::pixmap(resources, symbol, color, size).toImage();
    }

    static bool isBlank(const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y).alpha() != 0) {
                    return false;
                }
            }
        }
        return true;
    }

    QTemporaryDir folder;
    ResourceLocator resources{folder.path()};
};

TEST_F(SymbolIconTest, AnIconIsDrawnInTheCallersColourAndAStandInServesASymbolWithoutOne) {
    const QImage own = draw(QStringLiteral("plus"));
    EXPECT_EQ(own.pixelColor(12, 12), QColor(Qt::red));
    EXPECT_EQ(own.pixelColor(1, 1).alpha(), 0);

    // No "gear" icon: "gearshape" stands in.
    EXPECT_EQ(draw(QStringLiteral("gear"), Qt::blue).pixelColor(12, 12), QColor(Qt::blue));
    EXPECT_TRUE(isBlank(draw(QStringLiteral("no.such.symbol"))));
}

TEST_F(SymbolIconTest, ASymbolTheResourcesLackIsDrawnFromTheOutlineKeptForIt) {
    EXPECT_FALSE(isBlank(draw(QStringLiteral("arrow.counterclockwise"))));
}

TEST_F(SymbolIconTest, ACircleFillIsAFilledCircleWithTheSymbolCutOut) {
    const QImage image = draw(QStringLiteral("xmark.circle.fill"), Qt::green, 30);
    EXPECT_EQ(image.pixelColor(15, 15).alpha(), 0); // inside the cut-out square
    EXPECT_EQ(image.pixelColor(15, 3), QColor(Qt::green)); // the ring around it
    EXPECT_EQ(image.pixelColor(1, 1).alpha(), 0); // outside the circle
}

TEST_F(SymbolIconTest, ATranslucentColourFadesTheWholeSymbolOnceOverlapsIncluded) {
    const QImage image = draw(QStringLiteral("doc.on.doc"), QColor(0, 0, 0, 128));
    const int single = image.pixelColor(4, 4).alpha();
    EXPECT_NEAR(single, 128, 1);
    EXPECT_EQ(image.pixelColor(12, 12).alpha(), single); // where the squares overlap
}

TEST_F(SymbolIconTest, ANonPositiveSizeIsAnEmptyPixmap) {
    EXPECT_TRUE(SymbolIcon::pixmap(resources, QStringLiteral("plus"), Qt::red, 0).isNull());
}

} // namespace
} // namespace lumenscroll
