// The calculation report as a PDF: its parts, steps with their numbers put
// in, umlauts, the page foot, every font embedded; a refused computation;
// dralun-report writes the same and answers with its exit status.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ProbeForm.h"
#include "QtTestRegistry.h"
#include "ReportTestKit.h"
#include "gui/report/ReportPainter.h"
#include "gui/report/ReportPreview.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"
#include "report/Report.h"
#include "report/ReportWriters.h"
#include "report/TextbookFormula.h"
#include "core/NumberPresentation.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

const ReportHeader kHeader{"Umgehung Süd", "Brücke über den Ölbach", "Jürgen Weiß", "07.12.2026", "Prüfung"};

QString Compact(const std::string& text) { return test::Compact(QString::fromStdString(text)); }
QString Compact(const char* text) { return test::Compact(QString::fromUtf8(text)); }

// The probe form without its picture.
class PlainForm : public test::ProbeForm {
public:
    using ProbeForm::ProbeForm;
    const FormLayout& Layout() const override
    {
        static const FormLayout layout = {FieldAt(kIdLength, 0, 0), FieldAt(kIdText, 1, 0), FieldAt(kIdValue, 2, 0),
                                          ButtonColumn(0, 2, 3, {kIdOk, kIdCancel})};
        return layout;
    }
};

} // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_out;

    int Run(QProcess& program, const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // it draws offscreen by itself
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(DRALUN_REPORT_EXE), args);
        program.waitForFinished(30000);
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    // A project of two calculations of form 132 kept as the window keeps them.
    QString SaveProject(const QString& name)
    {
        CMessageLog log;
        Project project;
        project.Add(KeepCalculation(*test::ComputedForm("132", {}, log), kHeader, "Mulde Nord"));
        project.Add(KeepCalculation(*test::ComputedForm("132", {"B=3"}, log), kHeader, "Mulde Süd"));
        const QString path = m_out.filePath(name);
        std::string error;
        if (!SaveProjectFile(path.toStdString(), project, &error))
            qWarning() << error.c_str();
        return path;
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString Write(const CForm& form, const QString& name, ReportHeader header = kHeader)
    {
        return test::WrittenPdf(form, header, m_out.filePath(name));
    }

private slots:
    void initTestCase()
    {
        DRALUN_NEEDS_PDFTOTEXT();
        QVERIFY(m_out.isValid());
    }

    void theSevenPartsWithStepsAndUmlauts_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("handValue"); // a step's value worked out by hand
        QTest::addColumn<QStringList>("events");
        // 132 with its defaults B = 2, h = 0.3: r = (B²/4 + h²) / (2 h) = 1.09 / 0.6.
        QTest::newRow("Mulde") << "132" << "Mulde" << "= 1,817 m" << QStringList{};
        // 170: crown at the outlet H_S = HRs + du/1000 + I/1000 L + 0.05 = 0 + 0.2 + 0 + 0.05.
        QTest::newRow("Rohrdrossel") << "170" << "Rohrdrossel nach ATV-A 111" << "= 0,250 m NN" << QStringList{};
        // 185 with the rainfall series of the data directory ("N aus Datei", "Datei laden").
        QTest::newRow("Versickermulde") << "185" << "Versickermulde" << ""
                                        << QStringList{"--click", "1053", "--click", "1020"};
    }
    void theSevenPartsWithStepsAndUmlauts()
    {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QFETCH(QString, handValue);
        QFETCH(QStringList, events);
        test::TempDataDir data;
        data.CopyFromMedium("R3943MI.txt");
        CMessageLog log;
        std::vector<std::string> typed;
        for (const QString& e : events)
            typed.push_back(e.toStdString());
        const auto f = test::ComputedForm(qPrintable(form), typed, log);
        const QString path = Write(*f, form + ".pdf");
        const QString text = test::PdfText(path);
        const QStringList lines = test::PdfLines(path);

        QVERIFY2(text.contains(test::Compact(title)), qPrintable(text));
        for (const char* heading : {"Eingaben", "Rechengang", "Ergebnisse", "Hinweise", "Daten", "Bild"})
            QVERIFY2(lines.contains(QString::fromUtf8(heading)), heading);
        for (const char* umlauts : {"Größe", "Umgehung Süd", "Brücke über den Ölbach", "Jürgen Weiß", "Prüfung"})
            QVERIFY2(text.contains(Compact(umlauts)), umlauts);
        QVERIFY(text.contains(Compact("Dralun 1.00 · Formular ") + form + Compact(" · 07.12.2026 · Seite 1 von ")));
        if (!handValue.isEmpty())
            QVERIFY2(text.contains(test::Compact(handValue)), qPrintable(handValue));

        const Report report = BuildReport(*f, kHeader);
        const CPageNumbers numbers(report);
        auto flat = [](const FormulaPieces& pieces) {
            std::string text;
            for (const FormulaPiece& p : pieces)
                text += p.text;
            return Compact(text);
        };
        for (std::size_t n = 0; n < report.steps.size(); ++n) {
            const CalcStep& step = report.steps[n];
            QVERIFY2(text.contains(QStringLiteral("%1.").arg(n + 1) + Compact(WithDecimalComma(ShownSymbols(step.text)))),
                     step.text.c_str());
            QVERIFY(text.contains(flat(TextbookSymbol(step.symbol)) + "=" + flat(numbers.StepLines(n).front())));
        }
        for (const DataFileUse& file : report.files) { // the file's digest, taken from the medium
            QFile medium(QString::fromStdString((test::MediumDir() / "R3943MI.txt").string()));
            QVERIFY(medium.open(QIODevice::ReadOnly));
            const QByteArray sha = QCryptographicHash::hash(medium.readAll(), QCryptographicHash::Sha256).toHex();
            QVERIFY(text.contains(Compact(file.name)));
            QVERIFY(text.contains(QString::fromLatin1(sha)));
        }
    }

    void everyFontIsEmbedded()
    {
        CMessageLog log;
        const QString path = Write(*test::ComputedForm("132", {}, log), "fonts.pdf");
        const QStringList lines = test::Output(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 3); // the head, its rule, a font at least
        const qsizetype emb = lines[0].indexOf(QStringLiteral("emb"));
        QVERIFY(emb > 0);
        for (qsizetype i = 2; i < lines.size(); ++i)
            QVERIFY2(lines[i].mid(emb, 3) == QStringLiteral("yes"), qPrintable(lines[i]));
    }

    void aRefusedComputationHasNoResults()
    {
        CMessageLog log;
        const auto f = test::ComputedForm("132", {"B=0"}, log);
        const QString path = Write(*f, "refused.pdf");
        const QString text = test::PdfText(path);
        const QStringList lines = test::PdfLines(path);
        QVERIFY(text.contains(Compact("Nicht berechnet:")));
        QVERIFY(text.contains(Compact(WithDecimalComma(f->RefusedBecause()))));
        QVERIFY(!lines.contains(QStringLiteral("Ergebnisse")));
        QVERIFY(lines.contains(QStringLiteral("Eingaben")));
    }

    void aFormWithoutPictureHasNoPicturePart()
    {
        CMessageLog log;
        PlainForm form(log);
        form.Open();
        form.Click(kIdOk);
        const QStringList lines = test::PdfLines(Write(form, "plain.pdf"));
        QVERIFY(lines.contains(QStringLiteral("Daten")));
        QVERIFY(!lines.contains(QStringLiteral("Bild")));
    }

#ifndef _WIN32 // a name of bytes that are no UTF-8 is Unix's
    void dralunReportKeepsTheBytesOfTheName()
    {
        namespace fs = std::filesystem;
        const fs::path dir = m_out.path().toStdString();
        const std::string name = "Bericht-\xe4.pdf"; // "ä" in Latin-1
        const std::string command = std::string(DRALUN_REPORT_EXE) + " 132 --out '" + (dir / name).string() +
                                    "' >/dev/null 2>&1";
        QCOMPARE(std::system(command.c_str()), 0);
        QVERIFY(fs::is_regular_file(dir / name));
        QVERIFY(!fs::exists(dir / "Bericht-\xef\xbf\xbd.pdf")); // not under U+FFFD
    }
#endif

    void dralunReportWritesTheSameAndAnswersWithItsStatus()
    {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // it draws offscreen by itself
        program.setProcessEnvironment(env);
        auto run = [&](const QStringList& args) {
            program.start(QStringLiteral(DRALUN_REPORT_EXE), args);
            program.waitForFinished(30000);
            return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        };
        const QString out = m_out.filePath(QStringLiteral("program.pdf"));
        QCOMPARE(run({"132", "B=3", "--out", out, "--projekt", "Umgehung Süd", "--bearbeiter", "Jürgen Weiß",
                      "--datum", "07.12.2026"}),
                 0);
        CMessageLog log;
        const auto f = test::ComputedForm("132", {"B=3"}, log);
        const QString same = Write(*f, "same.pdf", {"Umgehung Süd", "", "Jürgen Weiß", "07.12.2026", ""});
        QCOMPARE(test::PdfText(out), test::PdfText(same));
        // With a decimal point when asked for, as the head dialog's choice.
        QCOMPARE(run({"132", "B=3", "--out", out, "--datum", "07.12.2026", "--dezimalpunkt"}), 0);
        ReportHeader point{"", "", "", "07.12.2026", ""};
        point.decimalComma = false;
        QCOMPARE(test::PdfText(out), test::PdfText(Write(*f, "point.pdf", point)));
        // The discharge from the catchment with its steps: 5000 · 0.9 · 100 / 10000 = 45 l/s = 0.045 m³/s.
        QCOMPARE(run({"132", "--inflow", "Fahrbahn=5000:0.9", "--rain", "100", "--out", out}), 0);
#ifndef _WIN32 // the text is read with Linux's pdftotext
        const QString inflow = test::PdfText(out);
        QVERIFY(inflow.contains(QStringLiteral("ZuflussausdemEinzugsgebiet")));
        QVERIFY(inflow.contains(QStringLiteral("übernommen:0,045m³/s")));
#endif

        struct Case {
            QStringList args;
            int status;
        };
        const Case cases[] = {
            {{"132"}, 2},                                           // no --out
            {{"keinformular", "--out", out}, 2},                    // no such form
            {{"132", "--out", out, "--json"}, 2},                   // an option of dralun-calc only
            {{"132", "Z=1", "--out", out}, 2},                      // no such field
            {{"132", "--out", QDir::tempPath() + "/kein/ordner/x.pdf"}, 1}, // cannot be written
        };
        for (const Case& c : cases) {
            QCOMPARE(run(c.args), c.status);
            const QStringList message = QString::fromUtf8(program.readAllStandardError()).trimmed().split('\n');
            QVERIFY2(message.size() == 1 && message[0].startsWith(QStringLiteral("dralun-report: ")),
                     qPrintable(message.join('|')));
        }
    }

#ifndef _WIN32
    // A PDF replaces only a regular file the user may write: a FIFO and the
    // project being printed stay as they are (every kind of target is
    // checked on the shared rule without a window).
    void dralunReportWritesOnlyToARegularFileOrANewName()
    {
        const QString project = SaveProject(QStringLiteral("b.dralun"));
        const QByteArray kept = Bytes(project);
        const QString fifo = m_out.filePath(QStringLiteral("rohr"));
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        const std::pair<QStringList, const char*> cases[] = {
            {{"132", "--out", fifo}, "Das ist eine benannte Pipe (FIFO) und keine Datei."},
            {{"--project", project, "--out", project}, "Das ist die Datei, aus der der Bericht entsteht."},
        };
        QProcess program;
        for (const auto& [args, reason] : cases) {
            QCOMPARE(Run(program, args), 1);
            const QString error = QString::fromUtf8(program.readAllStandardError());
            QVERIFY2(error.contains(QString::fromUtf8(reason)), qPrintable(error));
        }
        QCOMPARE(Bytes(project), kept);
        QVERIFY(!QFileInfo(fifo).isFile());

        // A link to a regular file the user may write: the PDF goes to its target.
        const QString target = m_out.filePath(QStringLiteral("ziel.pdf"));
        QFile(target).open(QIODevice::WriteOnly);
        const QString toTarget = m_out.filePath(QStringLiteral("zum-ziel.pdf"));
        std::filesystem::create_symlink("ziel.pdf", toTarget.toStdString());
        QCOMPARE(Run(program, {"132", "--out", toTarget}), 0);
        QVERIFY(QFileInfo(toTarget).isSymLink());
        QVERIFY(Bytes(target).startsWith("%PDF"));

        // Its help onto a full disk: said, and a failing status.
        QProcess full;
        full.setStandardOutputFile(QStringLiteral("/dev/full"));
        QCOMPARE(Run(full, {"--help"}), 2);
        QCOMPARE(QString::fromUtf8(full.readAllStandardError()),
                 QString::fromUtf8("dralun-report: Die Ausgabe konnte nicht geschrieben werden: kein Platz mehr auf dem "
                                   "Datenträger\n"));
    }

    // A calculation that cannot be used is named on standard error and the
    // run fails; the PDF holds the others.
    void dralunReportNamesAnUnusableCalculation()
    {
        const QString project = SaveProject(QStringLiteral("unbrauchbar.dralun"));
        QByteArray bytes = Bytes(project);
        const qsizetype at = bytes.indexOf("\"form\": 132"); // the first calculation's form unknown
        QVERIFY(at >= 0);
        bytes.replace(at, 11, "\"form\": 999");
        QFile file(project);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        QProcess program;
        const QString out = m_out.filePath(QStringLiteral("unbrauchbar.pdf"));
        const int status = Run(program, {"--project", project, "--out", out});
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(status == 1, qPrintable(error));
        QVERIFY2(error.contains(QString::fromUtf8("dralun-report: Nr. 1 \"Mulde Nord\" nicht verwendbar: ")),
                 qPrintable(error));
        const QString text = test::PdfText(out);
        QVERIFY(text.contains(Compact("Mulde Süd")));
        // The title page names it at its place, with why.
        QVERIFY2(text.contains(Compact("nicht verwendbar unbekanntes Formular 999")), qPrintable(text.left(400)));
    }

    // "Als PDF speichern…" refuses a FIFO with the reason and leaves it.
    void savePdfInTheWindowRefusesAFifo()
    {
        const QString fifo = m_out.filePath(QStringLiteral("fenster-rohr.pdf"));
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        CMessageLog log;
        const auto f = test::ComputedForm("132", {}, log);
        QString shown, offered;
        SaveReportPdf(BuildReport(*f, kHeader), *f, nullptr, [&](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                offered = files->selectedFiles().value(0);
                files->selectFile(fifo);
                return int(QDialog::Accepted);
            }
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                shown = box->text();
            return int(QDialog::Accepted);
        });
        QVERIFY2(shown.contains(QString::fromUtf8("Das ist eine benannte Pipe (FIFO) und keine Datei.")), qPrintable(shown));
        QVERIFY(!QFileInfo(fifo).isFile());
        // Offered under the form and the structure, not in the data directory.
        QCOMPARE(QFileInfo(offered).fileName(), QString::fromUtf8("Mulde – Brücke über den Ölbach.pdf"));
    }
#endif
};

DRALUN_QTEST(ReportPdfTest);
#include "ReportPdfTest.moc"
