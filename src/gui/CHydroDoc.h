#pragma once
// The document behind the start screen. It holds no data: a new document is
// empty, saving writes an empty file, opening reads nothing.
#include <QString>

namespace dralun {

class CHydroDoc {
public:
    static QString DefaultTitle() { return QStringLiteral("Dralun Bemessungshilfen"); }

    void OnNewDocument();
    // false (with a German reason) when the file cannot be read.
    bool OnOpenDocument(const QString& path, QString* error);
    // false (with a German reason) when the file cannot be written.
    bool OnSaveDocument(const QString& path, QString* error);

    const QString& PathName() const { return m_path; }
    QString Title() const;

private:
    QString m_path;
};

} // namespace dralun
