#include "appsettings.h"

#include <QSettings>

namespace {
AppSettings *g_instance = nullptr;
}

AppSettings &AppSettings::Instance()
{
    if (!g_instance)
        g_instance = new AppSettings;
    return *g_instance;
}

void AppSettings::Reset()
{
    delete g_instance;
    g_instance = nullptr;
}

AppSettings::AppSettings()
    : m_settings(new QSettings(QSettings::NativeFormat, QSettings::UserScope,
                               QStringLiteral("Velmora Consulting"), QStringLiteral("QuillboxPro")))
{
    RefreshDisplayDateFormat();
}

QVariant AppSettings::Value(const SettingKey &key) const
{
    return Setting::Read(*m_settings, key);
}

QVariant AppSettings::Value(const QString &name) const
{
    return Setting::Read(*m_settings, name);
}

void AppSettings::SetValue(const SettingKey &key, const QVariant &value)
{
    m_settings->setValue(key.Name(), value);
}

AppSettings::~AppSettings()
{
    delete m_settings;
}

QString AppSettings::GetCurrentUser()
{
    if (m_currentUser.isEmpty())
        m_currentUser = QString::fromLatin1(NoLoggedInUser);
    return m_currentUser;
}

void AppSettings::RefreshDisplayDateFormat()
{
    const QString order = Text(Setting::DateFormat);
    const QString format = QtFormatForDateOrder(order);
    // An order we do not know leaves the format as it was.
    if (!format.isEmpty())
        m_displayDateFormat = format;
}

QString AppSettings::DateDisplayExpression(const QString &column, const QString &alias) const
{
    const QString order = Text(Setting::DateFormat);
    QString pattern = SqlPatternForDateOrder(order);
    // A stored order we do not know must not break the statement: show ISO dates instead.
    if (pattern.isEmpty())
        pattern = SqlPatternForDateOrder(Setting::DateFormat.Default().toString());
    return QStringLiteral(" DATE_FORMAT(") + column + QLatin1Char(',') + pattern
           + QStringLiteral(") as '") + alias + QLatin1Char('\'');
}

QString AppSettings::DateOrderForLocaleFormat(const QString &shortDateFormat)
{
    const QChar first = shortDateFormat.isEmpty() ? QChar() : shortDateFormat.at(0);
    if (first == QLatin1Char('Y') || first == QLatin1Char('y'))
        return QStringLiteral("YYYY/MM/DD");
    if (first == QLatin1Char('M') || first == QLatin1Char('m'))
        return QStringLiteral("MM/DD/YYYY");
    return QStringLiteral("DD/MM/YYYY");
}

QString AppSettings::QtFormatForDateOrder(const QString &dateOrder)
{
    if (dateOrder == QLatin1String("YYYY/MM/DD"))
        return QStringLiteral("yyyy-MM-dd");
    if (dateOrder == QLatin1String("MM/DD/YYYY"))
        return QStringLiteral("MM-dd-yyyy");
    if (dateOrder == QLatin1String("DD/MM/YYYY"))
        return QStringLiteral("dd-MM-yyyy");
    return QString();
}

QString AppSettings::SqlPatternForDateOrder(const QString &dateOrder)
{
    if (dateOrder == QLatin1String("YYYY/MM/DD"))
        return QStringLiteral("'%Y-%m-%d'");
    if (dateOrder == QLatin1String("MM/DD/YYYY"))
        return QStringLiteral("'%m-%d-%Y'");
    if (dateOrder == QLatin1String("DD/MM/YYYY"))
        return QStringLiteral("'%d-%m-%Y'");
    return QString();
}
