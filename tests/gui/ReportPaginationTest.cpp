// The report's pages: no row split, no heading alone at the foot of a page,
// the space above a row dropped at the top of a page; a long report stays
// inside the page bodies.
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>
#include <algorithm>

#include "QtTestRegistry.h"
#include "ReportTestKit.h"
#include "gui/report/ReportPainter.h"
#include "report/Report.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

QString Places(const std::vector<RowPlace>& places)
{
    QStringList out;
    for (const RowPlace& p : places)
        out << QStringLiteral("%1@%2").arg(p.page).arg(p.top);
    return out.join(' ');
}

} // namespace

Q_DECLARE_METATYPE(std::vector<PageRow>)

class ReportPaginationTest : public QObject {
    Q_OBJECT

private slots:
    void paginate_data()
    {
        QTest::addColumn<std::vector<PageRow>>("rows");
        QTest::addColumn<QString>("expected"); // page@top of each row, body height 100
        QTest::newRow("all fit") << std::vector<PageRow>{{10, 0, false}, {20, 0, false}, {30, 0, false}}
                                 << "0@0 0@10 0@30";
        QTest::newRow("a row that does not fit begins the next page")
            << std::vector<PageRow>{{40, 0, false}, {40, 0, false}, {40, 0, false}} << "0@0 0@40 1@0";
        QTest::newRow("a heading goes with its row")
            << std::vector<PageRow>{{50, 0, false}, {30, 0, true}, {30, 0, false}} << "0@0 1@0 1@30";
        QTest::newRow("heading, table head and first row together")
            << std::vector<PageRow>{{70, 0, false}, {10, 0, true}, {10, 0, true}, {20, 0, false}, {10, 0, false}}
            << "0@0 1@0 1@10 1@20 1@40";
        QTest::newRow("space above kept inside a page")
            << std::vector<PageRow>{{30, 0, false}, {50, 10, false}} << "0@0 0@40";
        QTest::newRow("space above dropped at the top of a page")
            << std::vector<PageRow>{{60, 0, false}, {50, 10, false}} << "0@0 1@0";
        QTest::newRow("a group taller than a page breaks where it must")
            << std::vector<PageRow>{{10, 0, false}, {60, 0, true}, {60, 0, false}} << "0@0 1@0 2@0";
        QTest::newRow("a row taller than a page stands alone")
            << std::vector<PageRow>{{150, 0, false}, {10, 5, false}} << "0@0 1@0";
    }
    void paginate()
    {
        QFETCH(std::vector<PageRow>, rows);
        QFETCH(QString, expected);
        QCOMPARE(Places(Paginate(rows, 100)), expected);
    }

    void aLongReportStaysInsideThePageBodies()
    {
        test::TempDataDir data;
        CMessageLog log;
        const auto form = test::ComputedForm("170", {}, log);
        Report report = BuildReport(*form, {"Umgehung Süd", "", "", "07.12.2026", ""});
        const std::vector<CalcStep> steps = report.steps;
        QVERIFY(!steps.empty());
        for (int i = 0; i < 6; ++i)
            report.steps.insert(report.steps.end(), steps.begin(), steps.end());
        std::string longNote; // taller than a page: it is set paragraph by paragraph
        for (int i = 0; i < 120; ++i)
            longNote += "Absatz " + std::to_string(i) + " eines sehr langen Hinweises über die Drossel.\n";
        report.messages.push_back(longNote);

        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        SetReportPage(writer);
        QPainter painter(&writer);
        const std::vector<PlacedRow> rows = PaintReport(report, *form, writer, painter);
        painter.end();

        const QRectF body = ReportBody(writer);
        // A4 less 2 x 20 mm at 300 dpi (Qt rounds the page to whole points),
        // less head and foot lines.
        QVERIFY2(std::abs(body.width() - 170 / 25.4 * 300) < 6, qPrintable(QString::number(body.width())));
        QVERIFY(body.height() > 200 / 25.4 * 300 && body.height() < 257 / 25.4 * 300);
        QVERIFY(rows.back().page >= 3);
        const QRectF inside = body.adjusted(-0.5, -0.5, 0.5, 0.5);
        for (size_t i = 0; i < rows.size(); ++i) {
            QVERIFY2(inside.contains(rows[i].rect), qPrintable(QStringLiteral("row %1").arg(i)));
            if (i > 0 && rows[i].page == rows[i - 1].page)
                QVERIFY(rows[i].rect.top() >= rows[i - 1].rect.bottom() - 0.5);
            if (i > 0)
                QVERIFY(rows[i].page >= rows[i - 1].page);
        }
    }
};

DRALUN_QTEST(ReportPaginationTest);
#include "ReportPaginationTest.moc"
