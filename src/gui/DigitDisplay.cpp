#include "gui/DigitDisplay.h"

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

} // namespace dralun
