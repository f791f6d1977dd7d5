#include "conversation/BlinkImages.h"

#include <QtTest>

class TestBlinkImages : public QObject
{
    Q_OBJECT

private slots:
    void twoPicturesOfSixteenPixels()
    {
        for (int index = 0; index < BlinkImageCount; ++index) {
            const QImage image = BlinkImage(index);
            QCOMPARE(image.size(), QSize(16, 16));
            QVERIFY(image.hasAlphaChannel());
            // Transparent corners, a filled middle.
            QCOMPARE(qAlpha(image.pixel(0, 15)), 0);
            QCOMPARE(qAlpha(image.pixel(15, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(8, 9)), 255);
            QVERIFY(!BlinkIcon(index).isNull());
        }
        QVERIFY(BlinkImage(0) != BlinkImage(1));
    }

    void theBrightOneIsTheDarkerShade()
    {
        // Image 0 draws the eye: it stands out more against a light tab than image 1.
        QVERIFY(qGray(BlinkImage(0).pixel(8, 9)) < qGray(BlinkImage(1).pixel(8, 9)));
    }

    void noPictureOutsideTheList_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("none") << -1;
        QTest::newRow("past the end") << 2;
    }
    void noPictureOutsideTheList()
    {
        QFETCH(int, index);
        QVERIFY(BlinkImage(index).isNull());
        QVERIFY(BlinkIcon(index).isNull());
    }
};

QTEST_MAIN(TestBlinkImages)
#include "tst_blinkimages.moc"
