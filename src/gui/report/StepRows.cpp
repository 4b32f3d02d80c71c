#include "gui/report/StepRows.h"

#include <algorithm>

#include "core/NumberPresentation.h"

namespace dralun {

void StepRows(CRowMaker& m, const ReportFonts& f, const std::vector<CalcStep>& steps, const CPageNumbers& numbers,
              bool compact)
{
    const double number = m.TextWidth(QString::number(steps.size()) + QStringLiteral(".  "), f.bold);
    const double indent = number + m.P(12);
    const double space = m.TextWidth(QStringLiteral(" "), f.text);
    for (std::size_t n = 0; n < steps.size(); ++n) {
        const CalcStep& s = steps[n];
        m.Begin(m.P(3));
        m.Text(QStringLiteral("%1.").arg(n + 1), f.bold, 0, 0, number);
        const std::string shown = ShownSymbols(s.text); // "V − Vgenutzt", as the symbols read
        const std::string text = numbers.DecimalComma() ? WithDecimalComma(shown) : shown;
        double y = m.Text(QString::fromStdString(text), f.text, number, 0, m.Width() - number) + m.P(1);

        std::vector<FormulaPieces> right = numbers.StepLines(n);
        const FormulaPieces unit = s.unit == "-" ? FormulaPieces{} : TextbookUnit(s.unit);
        if (!unit.empty()) {
            right.back().push_back({" ", Script::Normal});
            right.back().insert(right.back().end(), unit.begin(), unit.end());
        }
        if (compact)
            for (std::size_t i = right.size(); i-- > 1;) {
                right[i - 1].push_back({" = ", Script::Normal});
                right[i - 1].insert(right[i - 1].end(), right[i].begin(), right[i].end());
                right.pop_back();
            }

        // "symbol =" on the first line, "=" under its sign on the others.
        const FormulaPieces symbol = TextbookSymbol(s.symbol);
        const double equals = indent + std::min(m.TextWidth(symbol, f.text) + space, 0.35 * (m.Width() - indent));
        const double formula = equals + m.TextWidth(QStringLiteral("="), f.text) + space;
        for (size_t i = 0; i < right.size(); ++i) {
            double h = 0;
            if (i == 0)
                h = m.Text(symbol, f.text, indent, y, equals - indent);
            h = std::max(h, m.Text(QStringLiteral("="), f.text, equals, y, formula - equals));
            h = std::max(h, m.Text(Joined(right[i]), f.text, formula, y, m.Width() - formula));
            y += h;
        }
        m.End(m.P(3), true);
    }
}

} // namespace dralun
