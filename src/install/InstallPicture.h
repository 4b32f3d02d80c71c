#pragma once
#include <QWidget>

namespace dralun::install {

// The installer's illustration: the medium, the data files on their way,
// the data directory.
class CInstallPicture : public QWidget {
    Q_OBJECT
public:
    CInstallPicture(QString medium, QString target, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_medium;
    QString m_target;
};

} // namespace dralun::install
