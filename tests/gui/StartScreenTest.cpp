// The start screen's lines, colours and positions.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "QtTestRegistry.h"
#include "gui/StartScreen.h"

using namespace dralun;

class StartScreenTest : public QObject {
    Q_OBJECT

private slots:
    void linesStandWhereTheyBelong()
    {
        const QList<StartLine> lines = StartScreenLines();
        QCOMPARE(lines.size(), 5 + 3 + 12 + 1);
        QCOMPARE(lines[4].y, 550);
        QCOMPARE(lines[4].text, QStringLiteral("Dralun  Version 1.00"));
        QCOMPARE(lines[5].text, QStringLiteral("Hydraulische Nachweise nach den Dralun, den ZTV-ING"));
        for (int i = 0; i < 12; ++i)
            QCOMPARE(lines[8 + i].y, 100 + 25 * i);
        QCOMPARE(lines[19].text, QStringLiteral("Hydraulische Nachweise für Versickermulden/-gräben"));
        QCOMPARE(lines[20].y, 410);
        QCOMPARE(lines[20].text,
                 QStringLiteral("Bei der Zahleneingabe ist als Dezimaltrennzeichen ein Punkt und kein Komma zu verwenden."));
    }

    void pageIsLightBlueAndTheRuleMagentaOnOpaqueGround()
    {
        QImage image(900, 600, QImage::Format_RGB32);
        image.fill(Qt::gray);
        {
            QPainter painter(&image);
            DrawStartScreen(painter, image.rect());
        }
        QCOMPARE(image.pixelColor(50, 300), QColor(128, 194, 255));
        QCOMPARE(image.pixelColor(0, 300), QColor(Qt::black)); // thin border
        bool magenta = false, opaque = false, nearBlack = false;
        for (int x = 100; x < 700; ++x) {
            for (int y = 410; y < 425; ++y) {
                const QColor c = image.pixelColor(x, y);
                magenta |= c == QColor(255, 0, 255);
                opaque |= c == QColor(Qt::white);
            }
            for (int y = 100; y < 115; ++y)
                nearBlack |= image.pixelColor(x, y) == QColor(16, 16, 16);
        }
        QVERIFY(magenta);
        QVERIFY(opaque);
        QVERIFY(nearBlack);
    }

    void aSmallWindowShowsTheWholePageSmallerNotCutOff()
    {
        // As at twice the scale on a small screen, the window beside the project.
        const QColor page(128, 194, 255);
        QImage image(360, 300, QImage::Format_RGB32);
        image.fill(Qt::gray);
        {
            QPainter painter(&image);
            DrawStartScreen(painter, image.rect());
        }
        const auto inkIn = [&](QRect area) {
            int ink = 0;
            for (int x = area.left(); x <= area.right(); ++x)
                for (int y = area.top(); y <= area.bottom(); ++y)
                    ink += image.pixelColor(x, y) != page ? 1 : 0;
            return ink;
        };
        // Nothing reaches the right or the bottom edge (inside the border)...
        QCOMPARE(inkIn(QRect(image.width() - 6, 1, 5, image.height() - 2)), 0);
        QCOMPARE(inkIn(QRect(1, image.height() - 6, image.width() - 2, 5)), 0);
        // ...and the last lines, the disclaimer and the version, are there.
        QVERIFY(inkIn(QRect(1, image.height() * 3 / 4, image.width() - 2, image.height() / 4 - 6)) > 50);
        // The rule is there, smaller (its letters smoothed: nearly magenta).
        bool magenta = false;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y) {
                const QColor c = image.pixelColor(x, y);
                magenta |= c.red() > 200 && c.green() < 100 && c.blue() > 200;
            }
        QVERIFY(magenta);
    }
};

DRALUN_QTEST(StartScreenTest);
#include "StartScreenTest.moc"
