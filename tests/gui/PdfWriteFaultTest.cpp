// The PDF writer replaces its file whole like every writer of the program:
// when any step of writing fails (create, write, flush, close, rename), the
// file is the old PDF or the new one, whole, and no temporary file is left.
#include <QFile>
#include <QPainter>
#include <QTest>
#include <cerrno>
#include <filesystem>

#include "QtTestRegistry.h"
#include "core/ReplaceFile.h"
#include "gui/report/ReportPainter.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class PdfWriteFaultTest : public QObject {
    Q_OBJECT

    static bool Write(const QString& path, const QString& text)
    {
        QString why;
        return WritePdf(PathOfName(path), text,
                        [&](QPagedPaintDevice&, QPainter& painter) { painter.drawText(100, 100, text); }, &why);
    }

private slots:
    void everyFailingStepLeavesTheOldPdfOrTheNewWhole()
    {
        test::TempDataDir data;
        const QString path = QString::fromStdString(data.File("bericht.pdf").string());
        int injected = 0;
        for (long n = 1;; ++n) {
            QVERIFY(Write(path, QStringLiteral("alt")));
            const std::string older = data.Read("bericht.pdf");
            bool done = false, failed = false;
            {
                CInjectedFault fault(n, ENOSPC);
                done = Write(path, QStringLiteral("neu"));
                failed = fault.Failed();
            }
            const std::string now = data.Read("bericht.pdf");
            if (!failed) {
                QVERIFY(done && now != older);
                break;
            }
            ++injected;
            // A PDF written whole begins with its mark and ends with its end.
            QVERIFY(now == older || (now.rfind("%PDF-", 0) == 0 && now.find("%%EOF") + 7 >= now.size()));
            if (done)
                QVERIFY(now != older);
            int files = 0;
            for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(data.Path()))
                ++files;
            QCOMPARE(files, 1);
        }
        // Create, write, flush, close, rename; the folder's flush (POSIX).
#ifdef _WIN32
        QCOMPARE(injected, 5);
#else
        QCOMPARE(injected, 6);
#endif
    }
};

DRALUN_QTEST(PdfWriteFaultTest);

#include "PdfWriteFaultTest.moc"
