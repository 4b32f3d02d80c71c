// The rating table in the printed report: its pages with the table's head
// set again at the top of each page it continues on, its rows and refused
// rows in the PDF, the curves on one page.
#include <QBuffer>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "ReportTestKit.h"
#include "gui/report/RatingRows.h"
#include "gui/report/ReportPainter.h"
#include "rating/RatingSweep.h"
#include "report/Report.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

struct Row {
    double height;
    double space;
    bool keep;
    int head; // the row heading its table, or -1
};

QString Laid(const std::vector<Row>& rows)
{
    std::vector<PageRow> measured;
    std::vector<int> heads;
    for (const Row& r : rows) {
        measured.push_back({r.height, r.space, r.keep});
        heads.push_back(r.head);
    }
    const PageOrder laid = PaginateWithHeads(measured, heads, 100);
    QStringList out;
    for (size_t k = 0; k < laid.order.size(); ++k)
        out << QStringLiteral("%1:%2@%3").arg(laid.order[k]).arg(laid.places[k].page).arg(laid.places[k].top);
    return out.join(' ') + QStringLiteral(" (%1)").arg(laid.pages);
}

int PdfPages(const QString& path)
{
    const QString info = test::Output(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PageText(const QString& path, int page)
{
    const QString n = QString::number(page);
    return test::Output(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                                      QStringLiteral("-layout"), path, QStringLiteral("-")});
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Row>)

class RatingReportPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_out;

private slots:
    void initTestCase()
    {
        DRALUN_NEEDS_PDFTOTEXT();
        QVERIFY(m_out.isValid());
    }

    void headsRepeated_data()
    {
        QTest::addColumn<std::vector<Row>>("rows");
        QTest::addColumn<QString>("expected"); // row:page@top in the order painted, body height 100
        QTest::newRow("the head again where the table goes on")
            << std::vector<Row>{{10, 0, true, -1}, {30, 0, false, 0}, {30, 0, false, 0}, {30, 0, false, 0},
                                {30, 0, false, 0}}
            << "0:0@0 1:0@10 2:0@40 3:0@70 0:1@0 4:1@10 (2)";
        QTest::newRow("over three pages")
            << std::vector<Row>{{20, 0, true, -1}, {40, 0, false, 0}, {40, 0, false, 0}, {40, 0, false, 0},
                                {40, 0, false, 0}, {40, 0, false, 0}}
            << "0:0@0 1:0@20 2:0@60 0:1@0 3:1@20 4:1@60 0:2@0 5:2@20 (3)";
        QTest::newRow("a head at the foot of a page goes with its first row")
            << std::vector<Row>{{85, 0, false, -1}, {10, 0, true, -1}, {20, 0, false, 1}, {20, 0, false, 1}}
            << "0:0@0 1:1@0 2:1@10 3:1@30 (2)";
        QTest::newRow("the space above a head is dropped at the top of a page")
            << std::vector<Row>{{10, 5, true, -1}, {50, 0, false, 0}, {50, 0, false, 0}}
            << "0:0@0 1:0@10 0:1@0 2:1@10 (2)";
        QTest::newRow("a row after the table gets no head")
            << std::vector<Row>{{10, 0, true, -1}, {60, 0, false, 0}, {30, 0, false, 0}, {20, 0, false, -1}}
            << "0:0@0 1:0@10 2:0@70 3:1@0 (2)";
        QTest::newRow("rows taller than a page under their head end")
            << std::vector<Row>{{10, 0, true, -1}, {95, 0, false, 0}, {95, 0, false, 0}}
            << "0:0@0 1:1@0 0:2@0 2:3@0 (4)";
    }
    void headsRepeated()
    {
        QFETCH(std::vector<Row>, rows);
        QFETCH(QString, expected);
        QCOMPARE(Laid(rows), expected);
    }

    // The orifice on its defaults (Q 50 l/s, mu 0.67) with h from 0 to 5.9 m
    // in steps of 0.1 m: 60 rows, the first refused.
    void longTableRunsOverPagesWithItsHead()
    {
        test::TempDataDir data;
        CMessageLog log;
        const auto form = test::ComputedForm("171", {}, log);
        const int h = form->FindFieldByName("h")->id;
        const RatingRequest request{h, 0, 5.9, 0.1, 0, {}};
        const Report plain = BuildReport(*form, {"Umgehung Süd", "", "", "07.12.2026", ""});
        const Report rated = BuildRatedReport(*form, {"Umgehung Süd", "", "", "07.12.2026", ""}, request);
        QVERIFY(rated.rating);
        QCOMPARE(rated.rating->rows.size(), size_t(60));

        const QString plainPdf = m_out.filePath(QStringLiteral("plain.pdf"));
        const QString ratedPdf = m_out.filePath(QStringLiteral("rated.pdf"));
        QString error;
        QVERIFY2(WriteReportPdf(plain, *form, plainPdf, &error), qPrintable(error));
        QVERIFY2(WriteReportPdf(rated, *form, ratedPdf, &error), qPrintable(error));
        const int plainPages = PdfPages(plainPdf);
        const int pages = PdfPages(ratedPdf);
        QVERIFY(plainPages >= 1);
        // The part begins on a page of its own or after the rest; 60 rows and the curves need two more at least.
        QVERIFY2(pages >= plainPages + 2, qPrintable(QStringLiteral("%1 / %2").arg(plainPages).arg(pages)));

        const QString all = test::PdfText(ratedPdf);
        QVERIFY(all.contains(QStringLiteral("Wertetabelle")));
        QVERIFY(all.contains(test::Compact(QStringLiteral("Verändert: Druckhöhe h von 0 bis 5.9 m in Schritten von 0.1 m (60 Zeilen)"))));
        QVERIFY(all.contains(test::Compact(QStringLiteral("nicht berechnet: Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe"))));
        QVERIFY(all.contains(QStringLiteral("Seite%1von%1").arg(pages)));

        // Every page the table is on shows its head; every row stands on one of them, in order.
        int firstTablePage = 0;
        for (int p = 1; p <= pages && !firstTablePage; ++p)
            if (PageText(ratedPdf, p).contains(QStringLiteral("Wertetabelle")))
                firstTablePage = p;
        QVERIFY(firstTablePage > 0);
        QStringList inputs; // the first cell of every table line, as the pages show them
        int pagesWithRows = 0;
        for (int p = firstTablePage; p <= pages; ++p) {
            const QString text = PageText(ratedPdf, p);
            // h as typed, then d and v rounded for m and m/s (three
            // significant digits), with the page's decimal comma (a verdict
            // may follow): no line of ticks of the curves reads so.
            const QRegularExpression rowLine(
                QStringLiteral("^[ \\t]*(\\d+(,\\d+)?)[ \\t]+\\d+,\\d{3,4}[ \\t]+\\d+,\\d{2,3}([ \\t].*)?$"),
                QRegularExpression::MultilineOption);
            int rows = 0;
            for (auto it = rowLine.globalMatch(text); it.hasNext(); ++rows)
                inputs << it.next().captured(1);
            if (text.contains(QStringLiteral("nicht berechnet")))
                inputs.prepend(QStringLiteral("0")), ++rows;
            if (rows == 0)
                continue;
            ++pagesWithRows;
            QVERIFY2(text.contains(QStringLiteral("Druckhöhe h")) && text.contains(QStringLiteral("[m/s]")),
                     qPrintable(QStringLiteral("Seite %1 ohne Tabellenkopf").arg(p)));
        }
        QVERIFY(pagesWithRows >= 2);
        QStringList expected;
        for (int i = 0; i < 60; ++i)
            expected << QString::fromStdString(rated.rating->rows[static_cast<size_t>(i)].inputText).replace('.', ',');
        QCOMPARE(inputs, expected);
        QCOMPARE(expected[10], QStringLiteral("1")); // 0 + 10 · 0.1 written as the form writes it
    }

    void chartFitsAPage()
    {
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        SetReportPage(writer);
        const double body = ReportBody(writer).height();
        RatingTable table;
        for (int columns : {1, 2, 5, 40}) {
            table.columns.resize(static_cast<size_t>(columns));
            const double height = RatingChartHeight(table, writer, body);
            QVERIFY(height <= body - 60 * 300 / 72.0 + 0.5);
            if (columns <= 2)
                QCOMPARE(qRound(height), qRound(90 / 25.4 * 300));
        }
    }
};

DRALUN_QTEST(RatingReportPdfTest);
#include "RatingReportPdfTest.moc"
