#include "gui/ProgramStart.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLocale>
#include <QVariant>

#ifdef _WIN32
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtCore/private/qlocale_p.h>
#endif

namespace dralun {

namespace {

#ifdef _WIN32
// Windows answers the system locale from the user's regional settings:
// this one answers in German instead (Germany's formats and names), for
// every question Qt asks of it. A question left unanswered would get the
// regional settings' answer.
class CGermanSystemLocale : public QSystemLocale {
public:
    QVariant query(QueryType type, QVariant in) const override
    {
        const QLocale& de = m_german;
        const auto format = [](QueryType t) {
            switch (t) {
            case DateFormatLong: case TimeFormatLong: case DateTimeFormatLong:
            case DateToStringLong: case TimeToStringLong: case DateTimeToStringLong:
                return QLocale::LongFormat;
            default:
                return QLocale::ShortFormat;
            }
        };
        switch (type) {
        case LanguageId: return int(de.language());
        case TerritoryId: return int(de.territory());
        case ScriptId: return int(de.script());
        case DecimalPoint: return de.decimalPoint();
        case GroupSeparator: return de.groupSeparator();
        case ZeroDigit: return de.zeroDigit();
        case NegativeSign: return de.negativeSign();
        case PositiveSign: return de.positiveSign();
        case DateFormatLong: case DateFormatShort: return de.dateFormat(format(type));
        case TimeFormatLong: case TimeFormatShort: return de.timeFormat(format(type));
        case DateTimeFormatLong: case DateTimeFormatShort: return de.dateTimeFormat(format(type));
        case DayNameLong: return de.dayName(in.toInt(), QLocale::LongFormat);
        case DayNameShort: return de.dayName(in.toInt(), QLocale::ShortFormat);
        case DayNameNarrow: return de.dayName(in.toInt(), QLocale::NarrowFormat);
        case MonthNameLong: return de.monthName(in.toInt(), QLocale::LongFormat);
        case MonthNameShort: return de.monthName(in.toInt(), QLocale::ShortFormat);
        case MonthNameNarrow: return de.monthName(in.toInt(), QLocale::NarrowFormat);
        case StandaloneMonthNameLong: return de.standaloneMonthName(in.toInt(), QLocale::LongFormat);
        case StandaloneMonthNameShort: return de.standaloneMonthName(in.toInt(), QLocale::ShortFormat);
        case StandaloneMonthNameNarrow: return de.standaloneMonthName(in.toInt(), QLocale::NarrowFormat);
        case StandaloneDayNameLong: return de.standaloneDayName(in.toInt(), QLocale::LongFormat);
        case StandaloneDayNameShort: return de.standaloneDayName(in.toInt(), QLocale::ShortFormat);
        case StandaloneDayNameNarrow: return de.standaloneDayName(in.toInt(), QLocale::NarrowFormat);
        case DateToStringLong: case DateToStringShort: return de.toString(in.toDate(), format(type));
        case TimeToStringLong: case TimeToStringShort: return de.toString(in.toTime(), format(type));
        case DateTimeToStringLong: case DateTimeToStringShort: return de.toString(in.toDateTime(), format(type));
        case MeasurementSystem: return int(de.measurementSystem());
        case AMText: return de.amText();
        case PMText: return de.pmText();
        case FirstDayOfWeek: return int(de.firstDayOfWeek());
        case UILanguages: return de.uiLanguages();
        case NativeLanguageName: return de.nativeLanguageName();
        case NativeTerritoryName: return de.nativeTerritoryName();
        default: return QVariant();
        }
    }

private:
    QLocale m_german{QLocale::German, QLocale::Germany};
};
#endif

} // namespace

int& TakeGermanSystemLocale(int& argc)
{
#ifdef _WIN32
    // Made once, for the whole run; it takes its place as Qt's system locale.
    static CGermanSystemLocale german;
    (void)QLocale::system();
#else
    // Qt takes the system locale from the environment, once: it is read with
    // a German environment, and the environment is given back before the C
    // library takes its locale from it (the German locale of the C library
    // need not be installed).
    const char* const names[] = {"LC_ALL", "LANGUAGE"};
    QByteArray saved[2];
    bool had[2];
    for (int i = 0; i < 2; ++i) {
        had[i] = qEnvironmentVariableIsSet(names[i]);
        saved[i] = qgetenv(names[i]);
    }
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");
    (void)QLocale::system();
    for (int i = 0; i < 2; ++i) {
        if (had[i])
            qputenv(names[i], saved[i]);
        else
            qunsetenv(names[i]);
    }
#endif
    return argc;
}

void LoadProgramFonts()
{
#ifdef _WIN32
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
#endif
}

QFont FixedPitchFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
#ifdef _WIN32
    const QString shipped = QStringLiteral("DejaVu Sans Mono");
    if (QFontDatabase::families().contains(shipped))
        font.setFamily(shipped);
#endif
    return font;
}

} // namespace dralun
