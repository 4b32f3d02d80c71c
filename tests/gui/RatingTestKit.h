#pragma once
// What the rating dialog tests share: the medium made known to the
// program, a button by its text, a choice of a drop-down by its field id
// and the results ticked in the list.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "testkit/TempDataDir.h"

namespace dralun::test {

inline const bool kRatingMediumDirKnown = [] {
    const auto medium = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "medium" / "Dralun";
    setenv("DRALUN_MEDIUM_DIR", medium.string().c_str(), 0);
    return true;
}();

inline QPushButton* Button(const QWidget& window, const QString& text)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

inline void Choose(QComboBox* box, int id) { box->setCurrentIndex(box->findData(id)); }

// Ticks exactly the given results.
inline void Tick(QListWidget* list, const std::vector<int>& ids)
{
    for (int i = 0; i < list->count(); ++i) {
        const int id = list->item(i)->data(Qt::UserRole).toInt();
        list->item(i)->setCheckState(std::find(ids.begin(), ids.end(), id) != ids.end() ? Qt::Checked
                                                                                        : Qt::Unchecked);
    }
}

// A data folder with the pipe diameters and the part-filling table the pipe
// run reads.
inline std::unique_ptr<TempDataDir> PipeRunData()
{
    auto dir = std::make_unique<TempDataDir>();
    dir->CopyFromMedium("DN.ASC");
    dir->CopyFromMedium("A110KR.ASC");
    return dir;
}

} // namespace dralun::test
