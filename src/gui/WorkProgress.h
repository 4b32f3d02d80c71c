#pragma once
// Work of the window that may take more than a moment (a rating table, the
// reports of a project): after half a second a dialog shows how far it is,
// with "Abbrechen", and the window answers between the steps.
#include <QElapsedTimer>
#include <QProgressDialog>
#include <cstddef>

namespace dralun {

class CWorkProgress {
public:
    CWorkProgress(const QString& what, QWidget* parent);
    ~CWorkProgress();
    CWorkProgress(const CWorkProgress&) = delete;
    CWorkProgress& operator=(const CWorkProgress&) = delete;

    // Told after a step; false once the user has stopped the work.
    bool Tell(std::size_t done, std::size_t total);

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_sinceEvents;
};

} // namespace dralun
