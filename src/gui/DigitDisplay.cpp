#include "gui/DigitDisplay.h"

#include "core/NumberPresentation.h"
#include "core/NumberText.h"

namespace dralun {

CDigitDisplay& CDigitDisplay::Instance()
{
    static CDigitDisplay display;
    return display;
}

void CDigitDisplay::SetAllDigits(bool all)
{
    if (all == m_all)
        return;
    m_all = all;
    emit Changed(all);
}

void CDigitDisplay::SetDecimalComma(bool comma)
{
    if (comma == m_comma)
        return;
    m_comma = comma;
    emit DecimalSignChanged(comma);
}

QString CDigitDisplay::Typed(const QString& typed) const
{
    return m_comma ? QString::fromStdString(TypedWithDecimalComma(typed.toStdString())) : typed;
}

QString CDigitDisplay::Shown(const QString& text) const
{
    return m_comma ? QString::fromStdString(WithDecimalComma(text.toStdString())) : text;
}

} // namespace dralun
