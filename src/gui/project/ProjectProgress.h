#pragma once
// The reports of a whole project made in the window: a project that takes
// more than a moment (many calculations, kept rating tables) shows how far
// it is and can be stopped, and the window answers meanwhile.
#include <vector>

#include "project/ProjectReports.h"

class QWidget;

namespace dralun {

// False when the user stopped it; `reports` and `unusable` are then empty.
bool MakeProjectReports(const Project& project, QWidget* parent, std::vector<ProjectReport>& reports,
                        std::vector<UnusableEntry>& unusable);

} // namespace dralun
