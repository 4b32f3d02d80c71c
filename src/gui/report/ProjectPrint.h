#pragma once
// A whole project on paper, for the printer and as one PDF file.
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace dralun {

struct ProjectReport; // project/ProjectReports.h
struct UnusableEntry; // project/ProjectReports.h
struct ReportHeader;

// The title of a project's print: the project's name as its head gives it;
// without one, "Projekt" and the file's name.
QString ProjectTitle(const std::string& fileTitle, const ReportHeader& head);

// The project on paper: a title page (the project's name as title, then its head: Projekt,
// Bearbeiter, Datum; then the list of calculations: number, name, form title, main result, the
// verdict in words with the utilisation, or "–" for a form without a criterion, and the page on
// which its report begins), then each calculation's report as the single report prints it, with
// the decimal sign head.decimalComma asks for. The page numbers run through the whole print:
// "Seite n von m" counts every page, title page included. A calculation that cannot be used stands
// in the list at its place, "nicht verwendbar" and why.
void PaintProject(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                  const std::vector<UnusableEntry>& unusable, QPagedPaintDevice& device, QPainter& painter);
bool WriteProjectPdf(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                     const std::vector<UnusableEntry>& unusable, const std::filesystem::path& path,
                     QString* error); // replaced only when written whole, like WriteReportPdf
bool WriteProjectPdf(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                     const std::vector<UnusableEntry>& unusable, const QString& path, QString* error);
void PrintProject(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                  const std::vector<UnusableEntry>& unusable, QPrinter& printer);

} // namespace dralun
