// A whole project as one PDF: the title page lists every calculation with
// the page its report begins on, the reports follow as each prints alone,
// the page numbers run through; an empty project, a long list, a failed
// write; dralun-report --project writes the same.
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/CInfiltrationForm.h"
#include "forms/MainFields.h"
#include "project/KeepCalculation.h"
#include "core/NumberPresentation.h"
#include "ReportTestKit.h"
#include "gui/report/ProjectPrint.h"
#include "gui/report/ReportPainter.h"
#include "project/ProjectFile.h"
#include "project/ProjectReports.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

const ReportHeader kHead{"Umgehung Süd", "", "Jürgen Weiß", "08.12.2026", ""};

struct Kept {
    int form;
    std::string name;
    std::vector<std::string> events;
};

// Each calculation kept with a section of its own, which its report's head
// line names on every one of its pages.
std::string Section(std::size_t i) { return "Abschnitt " + std::to_string(i + 1); }

Project MakeProject(const std::vector<Kept>& kept, IMessageSink& sink)
{
    Project project;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        std::unique_ptr<CForm> form = FindFormById(kept[i].form)->create(sink);
        form->Open();
        ApplyEvents(*form, kept[i].events);
        PressCompute(*form);
        project.Add(KeepCalculation(*form, {"Umgehung Süd", Section(i), "Jürgen Weiß", "07.12.2026", ""},
                                    kept[i].name));
    }
    return project;
}

int PageCount(const QString& pdf)
{
    const QString info = test::Output(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of every page as pdftotext lays it out; pages end with a form feed.
QStringList Pages(const QString& pdf)
{
    QStringList pages = test::Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The page a title page names for a calculation: the number at the end of
// the line that holds its name.
int ListedPage(const QStringList& pages, int titlePages, const QString& name)
{
    for (int p = 0; p < titlePages; ++p)
        for (const QString& line : pages[p].split(QLatin1Char('\n')))
            if (line.contains(name + QLatin1Char(' '))) {
                const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d+)\\s*$")).match(line);
                return m.hasMatch() ? m.captured(1).toInt() : -1;
            }
    return -1;
}

} // namespace

class ProjectPrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_out;

    // The project's PDF, and beside it the number of pages each report has
    // when written alone.
    QString WriteBoth(const std::vector<ProjectReport>& reports, const QString& name, std::vector<int>* single)
    {
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const QString path = m_out.filePath(name + QStringLiteral("-%1.pdf").arg(i));
            QString error;
            if (!WriteReportPdf(reports[i].report, *reports[i].reopened.form, path, &error))
                qWarning() << error;
            single->push_back(PageCount(path));
        }
        const QString path = m_out.filePath(name + QStringLiteral(".pdf"));
        QString error;
        if (!WriteProjectPdf("Umgehung.dralun", kHead, reports, {}, path, &error))
            qWarning() << error;
        return path;
    }

    // Every page says "Seite n von N"; each report begins on the page the
    // title pages name for it, and the page before it belongs to another.
    void CheckPages(const QString& pdf, const std::vector<ProjectReport>& reports, const std::vector<int>& single,
                    int titlePages)
    {
        const QStringList pages = Pages(pdf);
        int total = titlePages;
        for (int n : single)
            total += n;
        QCOMPARE(PageCount(pdf), total);
        QCOMPARE(pages.size(), total);
        for (int p = 0; p < total; ++p)
            QVERIFY2(test::Compact(pages[p]).contains(QStringLiteral("Seite%1von%2").arg(p + 1).arg(total)),
                     qPrintable(QString::number(p + 1)));
        int start = titlePages + 1;
        for (std::size_t i = 0; i < reports.size(); ++i) {
            QCOMPARE(ListedPage(pages, titlePages, QString::fromStdString(reports[i].name)), start);
            const QString section = QString::fromStdString(Section(i));
            QVERIFY(pages[start - 1].contains(section + QStringLiteral(" ")));
            QVERIFY(!pages[start - 2].contains(section + QStringLiteral(" ")));
            const QString form = QStringLiteral("Formular%1·").arg(reports[i].report.form); // in the foot line
            QVERIFY(test::Compact(pages[start - 1]).contains(form));
            start += single[i];
        }
        for (int p = titlePages; p < total; ++p)
            QVERIFY(!pages[p].contains(QStringLiteral("Hauptergebnis")));
    }

private slots:
    void initTestCase()
    {
        DRALUN_NEEDS_PDFTOTEXT();
        QVERIFY(m_out.isValid());
    }

    void threeCalculationsBehindTheirTitlePage()
    {
        test::TempDataDir data;
        CMessageLog log;
        const Project project = MakeProject(
            {{171, "Drossel Einlauf", {}}, {132, "Mulde Süd", {"1000=2.5"}}, {143, "Graben Ost", {}}}, log);
        const std::vector<ProjectReport> reports = ProjectReports(project, log);
        QCOMPARE(reports.size(), std::size_t(3));
        std::vector<int> single;
        const QString pdf = WriteBoth(reports, QStringLiteral("three"), &single);
        CheckPages(pdf, reports, single, 1);

        const QString title = test::Compact(Pages(pdf).front());
        // The project's name is the title, not the file's; each calculation with its verdict or "–".
        for (const char* text : {"ProjektUmgehungSüd", "BearbeiterJürgenWeiß", "Datum08.12.2026",
                                 "Nr.BerechnungHauptergebnisNachweisSeite"})
            QVERIFY2(title.contains(QString::fromUtf8(text)), text);
        QVERIFY(!title.contains(QStringLiteral("Umgehung.dralun")));
        for (const ProjectReport& r : reports)
            if (!r.report.verdict)
                QVERIFY(title.contains(QStringLiteral("–")));
            else
                QVERIFY(title.contains(QString::fromUtf8(VerdictWord(r.report.verdict->met))));
        for (const ProjectReport& r : reports) { // each value of the main result, as the form shows it
            QVERIFY(title.contains(test::Compact(QString::fromStdString(r.report.title))));
            for (const int id : MainResultIds(*r.reopened.form))
                for (const ReportEntry& e : r.report.results)
                    if (e.id == id) {
                        const std::string value = ShownSymbol(e.symbol) + "=" +
                                                  (e.computed ? PresentedText(e.text, e.unit, e.shape, true) : "–");
                        QVERIFY2(title.contains(QString::fromStdString(value)), value.c_str());
                    }
        }
    }

    // The title page and the reports show a value with the digits its form
    // shows. The ditch (b 0.5 m, 1 : 1.5, t 0.5 m, kSt 25, I 1 ‰): A = 0.625
    // m², lu = 0.5 + 2 · 0.5 · √3.25 = 2.3028 m, v = 25 · (A/lu)^(2/3) ·
    // √0.001 = 0.3314 m/s, Q = 0.2071 m³/s; its bank height h = t = 0.5 m.
    // The pipe: Q 40 l/s of Qv 97.94 l/s is 40.84 %.
    void titlePageAndReportsShowTheFormsDigits()
    {
        test::TempDataDir data;
        data.CopyFromMedium("DN.ASC");
        data.CopyFromMedium("A110KR.ASC");
        CMessageLog log;
        const Project project = MakeProject({{143, "Graben Ost", {}}, {130, "Haltung 1", {}}}, log);
        const std::vector<ProjectReport> reports = ProjectReports(project, log);
        const QString pdf = m_out.filePath(QStringLiteral("digits.pdf"));
        QVERIFY(WriteProjectPdf("Umgehung.dralun", kHead, reports, {}, pdf, nullptr));
        const QStringList pages = Pages(pdf);
        const QString title = test::Compact(pages.front());
        for (const char* text : {"Q=0,207m³/s", "v=0,331m/s", "Qv=97,9l/s", "(40,8%)"})
            QVERIFY2(title.contains(QString::fromUtf8(text)), text);
        QVERIFY(test::Compact(pages.mid(1).join(QString())).contains(QStringLiteral("Böschungshöhehh0,500m")));
    }

    // Where the rain came from: the head of the series read stands with the
    // data files, in a project the kept copy's, whatever the data directory
    // holds under that name now.
    void theRainfallFilesHeadIsPrinted()
    {
        test::TempDataDir data;
        data.CopyFromMedium("R3943MI.txt");
        CMessageLog log;
        std::unique_ptr<CForm> form = FindFormById(185)->create(log);
        form->Open();
        form->Click(CInfiltrationForm::kIdRainFromFile);
        form->Click(CInfiltrationForm::kIdLoadFile);
        form->Click(kIdOk);
        Project project;
        project.Add(KeepCalculation(*form, kHead, "Mulde Nord"));
        data.Write("R3943MI.txt", "Regenreihe eines anderen Orts\n");
        const QString pdf = m_out.filePath(QStringLiteral("rain.pdf"));
        QVERIFY(WriteProjectPdf("Umgehung.dralun", kHead, ProjectReports(project, log), {}, pdf, nullptr));
        const QString text = test::PdfText(pdf);
        for (const char* line : {"Dateikopf:", "RegenreiheR3943MI-NiederschlagshoehenhN[mm]",
                                 "SynthetischeReihefuereinenFlachlandstandortinMitteldeutschland,keineMessreihe"})
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        QVERIFY(!text.contains(QStringLiteral("anderenOrts")));
    }

    // A result kept as another value than the form computes now: the title
    // page says so under the calculation.
    void aChangedResultIsNamedOnTheTitlePage()
    {
        test::TempDataDir data;
        CMessageLog log;
        Project project = MakeProject({{132, "Mulde Süd", {}}}, log);
        Calculation calc = *project.At(0).calc;
        calc.results.front().second = "0.5";
        project.Replace(0, calc);
        const std::vector<ProjectReport> reports = ProjectReports(project, log);
        QCOMPARE(reports.size(), std::size_t(1));
        QVERIFY(!reports[0].reopened.changes.empty());
        const QString pdf = m_out.filePath(QStringLiteral("changed.pdf"));
        QVERIFY(WriteProjectPdf("Umgehung.dralun", kHead, reports, {}, pdf, nullptr));
        const QString title = test::Compact(Pages(pdf).front());
        QVERIFY(title.contains(test::Compact(QStringLiteral("Jetzt anders als gespeichert: ") +
                                             QString::fromStdString(ChangeText(reports[0].reopened.changes[0])))));
    }

    void anEmptyProjectIsItsTitlePage()
    {
        const QString pdf = m_out.filePath(QStringLiteral("empty.pdf"));
        QString error;
        QVERIFY(WriteProjectPdf("Leer.dralun", kHead, {}, {}, pdf, &error));
        QCOMPARE(PageCount(pdf), 1);
        const QString text = test::PdfText(pdf);
        QVERIFY(text.contains(test::Compact(QStringLiteral("Das Projekt enthält keine Berechnung."))));
        QVERIFY(text.contains(QStringLiteral("Seite1von1")));
        QVERIFY(!text.contains(QStringLiteral("Hauptergebnis")));
    }

    // Fifty calculations do not fit on one title page: the list goes on, with
    // its head, and every report begins as many pages later.
    void aLongListContinuesOnTheNextPage()
    {
        test::TempDataDir data;
        CMessageLog log;
        std::vector<Kept> kept;
        for (int i = 1; i <= 50; ++i)
            kept.push_back({171, "Drossel " + std::to_string(i), {"1001=" + std::to_string(0.1 * i)}});
        const std::vector<ProjectReport> reports = ProjectReports(MakeProject(kept, log), log);
        std::vector<int> single;
        const QString pdf = WriteBoth(reports, QStringLiteral("long"), &single);
        const QStringList pages = Pages(pdf);
        int titlePages = 0; // the pages that begin with the list's head
        while (titlePages < pages.size() && pages[titlePages].contains(QStringLiteral("Hauptergebnis")))
            ++titlePages;
        QVERIFY(titlePages > 1);
        QVERIFY(pages[0].contains(QStringLiteral("Drossel 1 ")));
        QVERIFY(!pages[0].contains(QStringLiteral("Drossel 50 ")));
        QVERIFY(pages[titlePages - 1].contains(QStringLiteral("Drossel 50 ")));
        CheckPages(pdf, reports, single, titlePages);
    }

    void aFailedWriteLeavesNoFile()
    {
        const QString path = m_out.filePath(QStringLiteral("kein/ordner/projekt.pdf"));
        QString error;
        QVERIFY(!WriteProjectPdf("Leer.dralun", kHead, {}, {}, path, &error));
        QVERIFY(error.contains(path));
        QVERIFY(!QFile::exists(path));
    }

    void dralunReportWritesTheProject()
    {
        test::TempDataDir data;
        CMessageLog log;
        const Project project = MakeProject({{132, "Mulde Süd", {}}, {171, "Drossel", {}}}, log);
        const std::string file = (data.Path() / "Umgehung.dralun").string();
        std::string why;
        QVERIFY2(SaveProjectFile(file, project, &why), why.c_str());
        data.Write("kaputt.dralun", "{ kein JSON");

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(env);
        auto run = [&](const QStringList& args) {
            program.start(QStringLiteral(DRALUN_REPORT_EXE), args);
            program.waitForFinished(30000);
            return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        };
        const QString projectPath = QString::fromStdString(file);
        const QString out = m_out.filePath(QStringLiteral("program.pdf"));
        QCOMPARE(run({"--project", projectPath, "--out", out}), 0);
        const QString same = m_out.filePath(QStringLiteral("same.pdf"));
        QVERIFY(WriteProjectPdf("Umgehung.dralun", ProjectHead(project), ProjectReports(project, log), {}, same, nullptr));
        QCOMPARE(test::PdfText(out), test::PdfText(same));

        struct Case {
            QStringList args;
            int status;
        };
        const QString broken = QString::fromStdString(data.File("kaputt.dralun").string());
        const Case cases[] = {
            {{"--project", projectPath}, 2},                                    // no --out
            {{"--project", projectPath + ".fehlt", "--out", out}, 2},           // no such file
            {{"--project", broken, "--out", out}, 2},                           // not a project
            {{"--project", projectPath, "--out", out, "B=3"}, 2},               // an event
            {{"--out", out, "--project", projectPath, "--json"}, 2},            // an option of dralun-calc
            {{"--project", projectPath, "--out", m_out.filePath("kein/x.pdf")}, 1}, // cannot be written
        };
        for (const Case& c : cases) {
            QCOMPARE(run(c.args), c.status);
            const QStringList message = QString::fromUtf8(program.readAllStandardError()).trimmed().split('\n');
            QVERIFY2(message.size() == 1 && message[0].startsWith(QStringLiteral("dralun-report: ")),
                     qPrintable(message.join('|')));
        }
    }
};

DRALUN_QTEST(ProjectPrintTest);
#include "ProjectPrintTest.moc"
