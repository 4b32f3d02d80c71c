#pragma once
// The calculation report in Qt's print preview (A4 portrait): printed from
// there, or saved with "Als PDF speichern…" as the very file dralun-report
// writes.
#include <functional>

class QDialog;
class QWidget;

namespace dralun {

class CForm;
struct Report;

// Runs a modal dialog and returns its result (the tests answer for the user).
using ModalRunner = std::function<int(QDialog&)>;

void ShowReportPreview(const Report& report, const CForm& form, QWidget* parent, const ModalRunner& run);

// Asks for a file name and writes the report there as PDF; a failure is
// shown in a message box.
void SaveReportPdf(const Report& report, const CForm& form, QWidget* parent, const ModalRunner& run);

} // namespace dralun
