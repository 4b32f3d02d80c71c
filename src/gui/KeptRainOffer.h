#pragma once
// After a project is opened: the rainfall series it keeps copies of, when
// the data directory lacks one or holds another file of that name, are
// offered back into the data directory, each after asking.
#include <QString>
#include <functional>

#include "gui/CMainFrame.h"
#include "project/Project.h"

namespace dralun {

// Returns what was restored, for the status bar ("" for nothing); a copy
// that cannot be written is named through showError.
QString OfferKeptRain(const Project& project, const CMainFrame::ModalRunner& run, QWidget* parent,
                      const std::function<void(const QString&)>& showError);

} // namespace dralun
