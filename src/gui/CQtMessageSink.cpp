#include "gui/CQtMessageSink.h"

#include "gui/CMessageBox.h"

namespace dralun {

void CQtMessageSink::ShowMessage(const std::string& text, MsgIcon icon)
{
    const QMessageBox::Icon qtIcon = icon == MsgIcon::Exclamation   ? QMessageBox::Warning
                                     : icon == MsgIcon::Information ? QMessageBox::Information
                                                                    : QMessageBox::NoIcon;
    CMessageBox box(qtIcon, QStringLiteral("Dralun"), QString::fromStdString(text), QMessageBox::Ok, m_parent);
    box.exec();
}

} // namespace dralun
