#include "gui/FieldPresentation.h"

#include <QRegularExpression>
#include <cmath>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "forms/CForm.h"
#include "forms/FormHelp.h"
#include "forms/FormLayout.h"
#include "report/VerdictText.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool IsNumber(Kind kind) { return kind == Kind::Number || kind == Kind::Single; }

} // namespace

QString ShownFieldText(const CForm& form, const FieldInfo& field, const std::string& modelText, bool typedByUser,
                       bool allDigits)
{
    if (!form.Computed(field.id))
        return QString::fromUtf8(kNoValueText);
    if (allDigits || typedByUser || !IsNumber(field.kind)) {
        // A text result the form formats itself ("%5.2f") reads from its
        // first digit.
        if (!allDigits && field.role == Role::Out && field.kind == Kind::Text)
            return Q(modelText).remove(QRegularExpression(QStringLiteral("^ +")));
        return Q(modelText);
    }
    if (field.role != Role::Out && !form.CompletedByForm(field.id))
        return Q(TypedText(modelText));
    const std::optional<double> value = ParseFieldNumber(modelText);
    return value ? Q(RoundedText(*value, field.unit)) : Q(modelText);
}

QString FieldToolTip(const CForm& form, const FieldInfo& field, const QString& fullText, const QString& shownText)
{
    QStringList lines;
    std::string meaning = FieldMeaning(form.TemplateId(), field.id);
    lines << Q(meaning.empty() ? WithoutMnemonic(field.label) : meaning);
    // A pure number ("1", "-") has no unit to name.
    QString unit = Q(field.unit);
    if (unit == QLatin1String("-") || unit == QLatin1String("1"))
        unit.clear();
    if (!unit.isEmpty())
        lines << QStringLiteral("Einheit: %1").arg(unit);
    if (field.range) {
        const auto bound = [&](double v) {
            return Q(field.kind == Kind::Single ? FormatG6(static_cast<float>(v)) : FormatG15(v));
        };
        lines << QStringLiteral("Bereich %1 … %2%3")
                     .arg(bound(field.range->lo), bound(field.range->hi),
                          unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
    }
    if (field.role == Role::Out)
        lines << QStringLiteral("Ergebnis");
    if (!form.Computed(field.id))
        lines << QStringLiteral("nicht berechnet");
    else if ((field.role == Role::Out || fullText != shownText) && !fullText.trimmed().isEmpty())
        lines << QStringLiteral("Wert: %1").arg(fullText.trimmed());
    return lines.join(QLatin1Char('\n'));
}

QString VerdictLineText(const Verdict& verdict, bool allDigits)
{
    // The symbols as a person reads them: "Qmin", not the short name "Q_min".
    Verdict v = verdict;
    v.terms.demandSymbol = ShownSymbol(verdict.terms.demandSymbol);
    v.terms.limitSymbol = ShownSymbol(verdict.terms.limitSymbol);
    const std::string& unit = v.terms.unit;
    const auto number = [&](double value) {
        return Q(allDigits ? FormatG15(value) : RoundedText(value, unit)) +
               (unit.empty() ? QString() : QLatin1Char(' ') + Q(unit));
    };
    QString text = QStringLiteral("Nachweis %1: %2 = %3 %4 %5 = %6")
                       .arg(Q(VerdictWord(v.met)), Q(v.terms.demandSymbol), number(v.demand),
                            QString::fromUtf8(ComparisonSign(v)), Q(v.terms.limitSymbol),
                            number(v.limit));
    if (std::isfinite(v.utilisation))
        text += QStringLiteral(" (Ausnutzung %1 %)")
                    .arg(allDigits ? Q(FormatG15(v.utilisation)) : Q(Format("%.1f", v.utilisation)));
    else
        text += QStringLiteral(" (keine Leistungsfähigkeit, keine Ausnutzung)");
    // A criterion chosen beside the check that fails says why.
    for (const Criterion& c : verdict.criteria)
        if (!c.met)
            text += QStringLiteral("; ") + Q(CriterionTextLine(c));
    return text;
}

} // namespace dralun
