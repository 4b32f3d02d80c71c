// Every form's printed report reads as an engineer writes it: numbers no
// longer than their units allow, formulas with √, π, ν and raised
// exponents instead of the parser's writing, the decimal comma by default
// (a point when asked), the verdict under "Nachweis", the form's number in
// the foot line and not in the title.
#include <QRegularExpression>
#include <algorithm>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "report/DataFileHead.h"
#include "QtTestRegistry.h"
#include "ReportTestKit.h"
#include "forms/FormRegistry.h"
#include "gui/report/ReportPainter.h"
#include "report/Report.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

// Lines that quote a data file or its digest are as the file has them.
bool QuotesAFile(const QString& line)
{
    return line.contains(QStringLiteral("SHA-256")) || line.trimmed().startsWith(QStringLiteral("Zeile "));
}

// The numbers of a line with more than six significant digits ("97.9421",
// "0,666666666666667"); dates are no numbers here.
QStringList LongNumbers(QString line)
{
    line.remove(QRegularExpression(QStringLiteral("\\d{2}\\.\\d{2}\\.\\d{4}")));
    QStringList found;
    // Not the digits of a word or a file's name ("draluntest-3024476571").
    static const QRegularExpression number(QStringLiteral("(?<![\\w/\\-])\\d+(?:[.,]\\d+)*"));
    for (auto it = number.globalMatch(line); it.hasNext();) {
        const QString n = it.next().captured();
        QString digits = n;
        digits.remove(QRegularExpression(QStringLiteral("[.,]")));
        digits.remove(QRegularExpression(QStringLiteral("^0+")));
        if (digits.size() > 6)
            found << n;
    }
    return found;
}

} // namespace

class ReportTextbookTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_out;

    QString Write(const CForm& form, const QString& name, bool decimalComma = true)
    {
        ReportHeader header{"Umgehung Süd", "Bauwerk 1", "Jürgen Weiß", "07.12.2026", ""};
        header.decimalComma = decimalComma;
        return test::WrittenPdf(form, header, m_out.filePath(name));
    }

private slots:
    void initTestCase()
    {
        DRALUN_NEEDS_PDFTOTEXT();
        QVERIFY(m_out.isValid());
    }

    void everyFormPrintsAsAnEngineerWrites_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("verdict"); // "" for a form without a criterion
        for (const FormInfo& info : AllForms()) {
            QStringList events;
            if (info.templateId == 185 || info.templateId == 104) // the rainfall series of the data directory
                events = {"--click", "1053", "--click", "1020"};
            QTest::newRow(qPrintable(QString::number(info.templateId))) << QString::number(info.templateId) << events << "";
        }
        // DN 300 at 1 % carries 97.9 l/s (Prandtl-Colebrook): 150 l/s is too much.
        QTest::newRow("130 überlastet") << "130" << QStringList{"Q=150"} << "nicht erfüllt";
        QTest::newRow("130 trägt") << "130" << QStringList{"Q=40"} << "erfüllt";
    }
    void everyFormPrintsAsAnEngineerWrites()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, events);
        QFETCH(QString, verdict);
        test::TempDataDir data;
        for (const auto& file : std::filesystem::directory_iterator(test::MediumDir()))
            data.CopyFromMedium(file.path().filename().string());
        CMessageLog log;
        std::vector<std::string> typed;
        for (const QString& e : events)
            typed.push_back(e.toStdString());
        const auto f = test::ComputedForm(qPrintable(form), typed, log);
        const Report report = BuildReport(*f);
        const QString path = Write(*f, form + ".pdf");
        const QStringList lines = test::PdfLines(path);
        const QString all = lines.join(QLatin1Char('\n'));

        QString fileHead; // the rainfall file's own lines, as it wrote them (a long one broken)
        for (const DataFileUse& file : report.files)
            for (const std::string& headLine : DataFileHead(file))
                fileHead += QString::fromStdString(headLine) + QLatin1Char('\n');
        for (const QString& line : lines) {
            if (QuotesAFile(line) || fileHead.contains(line.trimmed()))
                continue;
            QVERIFY2(LongNumbers(line).isEmpty(), qPrintable(line));
            static const QRegularExpression parser(
                QStringLiteral("sqrt|\\bpi\\b|\\bmu\\b|\\bnu\\b|\\beta\\b|\\^|\\de-0|log10|\\*"));
            QVERIFY2(!parser.match(line).hasMatch(), qPrintable(line));
        }
        if (!report.steps.empty())
            QVERIFY2(all.contains(QRegularExpression(QStringLiteral("\\d,\\d"))), "kein Dezimalkomma");
        QVERIFY(!all.contains(QStringLiteral("(Formular")));
        QVERIFY(all.contains(QStringLiteral("Formular %1 · 07.12.2026").arg(form)));
        // A verdict, or the note that none was asked for.
        QCOMPARE(lines.contains(QStringLiteral("Nachweis")), report.verdict.has_value() || !report.verdictNote.empty());
        if (report.verdict) {
            const QString word = QString::fromUtf8(VerdictWord(report.verdict->met));
            QVERIFY(lines.contains(QStringLiteral("Nachweis ") + word));
            if (!verdict.isEmpty())
                QCOMPARE(word, verdict);
        }
        if (std::any_of(report.steps.begin(), report.steps.end(), [](const CalcStep& s) {
                return s.formula.find("sqrt(") != std::string::npos;
            }))
            QVERIFY(all.contains(QStringLiteral("√")));
    }

    // Prandtl-Colebrook of DN 300 at 1 %, worked by hand: s = √(2 g D J)
    // = √(2 · 9.80665 · 0.3 · 0.01) = 0.2426 m/s; ν and g once under
    // "Konstanten"; with the point asked for, no comma in the numbers.
    void theConstantsOnceAndThePointWhenAskedFor()
    {
        test::TempDataDir data;
        for (const char* file : {"DN.ASC", "A110KR.ASC"})
            data.CopyFromMedium(file);
        CMessageLog log;
        const auto f = test::ComputedForm("130", {}, log);
        const QString comma = test::PdfText(Write(*f, "komma.pdf"));
        QVERIFY(comma.contains(test::Compact(QStringLiteral("g = 9,80665 m/s²"))));
        QVERIFY(comma.contains(test::Compact(QStringLiteral("ν = 1,31 · 10"))));
        QVERIFY(comma.contains(test::Compact(QStringLiteral("√(2 · 9,80665 · 0,300 · 0,0100)"))));
        QVERIFY(comma.contains(test::Compact(QStringLiteral("= 0,243 m/s"))));
        QCOMPARE(comma.count(test::Compact(QStringLiteral("g = 9,80665"))), 1);

        const QString point = test::PdfText(Write(*f, "punkt.pdf", false));
        QVERIFY(point.contains(test::Compact(QStringLiteral("√(2 · 9.80665 · 0.300 · 0.0100)"))));
        QVERIFY(!point.contains(QRegularExpression(QStringLiteral("\\d,\\d"))));
    }
};

DRALUN_QTEST(ReportTextbookTest);
#include "ReportTextbookTest.moc"
