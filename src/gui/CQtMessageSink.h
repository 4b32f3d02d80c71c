#pragma once
#include "forms/IMessageSink.h"

class QWidget;

namespace dralun {

// Shows a form's messages as real message boxes: caption "Dralun", one "OK".
class CQtMessageSink : public IMessageSink {
public:
    explicit CQtMessageSink(QWidget* parent) : m_parent(parent) {}
    void ShowMessage(const std::string& text, MsgIcon icon) override;

private:
    QWidget* m_parent;
};

} // namespace dralun
