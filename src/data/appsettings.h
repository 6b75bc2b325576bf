#pragma once

#include "settingkeys.h"

#include <QString>
#include <QVariant>

class QSettings;
class QWidget;

// The one settings store of the program, plus the run-time state many screens share:
// who is logged in, the window that parents stray message boxes, and the display date format.
class AppSettings final
{
public:
    static AppSettings &Instance();
    // Destroys the instance (the next Instance() makes a new one); used at exit and by tests.
    static void Reset();

    QSettings *Settings() const { return m_settings; }

    // A key of the table in settingkeys.h: the stored value converted to the key's type, or
    // the key's default when nothing is stored.
    QVariant Value(const SettingKey &key) const;
    QString Text(const SettingKey &key) const { return Value(key).toString(); }
    int Int(const SettingKey &key) const { return Value(key).toInt(); }
    bool Bool(const SettingKey &key) const { return Value(key).toBool(); }
    // A key known by its stored name only (err_msg_N); a name not in the table has no default.
    QVariant Value(const QString &name) const;
    void SetValue(const SettingKey &key, const QVariant &value);

    QString GetCurrentUser();
    void SetCurrentUser(const QString &loginName) { m_currentUser = loginName; }

    QWidget *GlobalParent() const { return m_globalParent; }
    void SetGlobalParent(QWidget *parent) { m_globalParent = parent; }

    // Qt date format ("yyyy-MM-dd", "MM-dd-yyyy" or "dd-MM-yyyy") for showing dates.
    QString DisplayDateFormat() const { return m_displayDateFormat; }
    void RefreshDisplayDateFormat();

    // " DATE_FORMAT(<column>,'<pattern>') as '<alias>'" following DATE_FORMAT.
    QString DateDisplayExpression(const QString &column, const QString &alias) const;

    // The order stored the first time the settings dialog opens, from a locale's short format.
    static QString DateOrderForLocaleFormat(const QString &shortDateFormat);
    // Qt display format and SQL pattern for a stored order; empty for an unknown order.
    static QString QtFormatForDateOrder(const QString &dateOrder);
    static QString SqlPatternForDateOrder(const QString &dateOrder);

    static constexpr const char *NoLoggedInUser = "NO LOGGED IN USER";

private:
    AppSettings();
    ~AppSettings();
    Q_DISABLE_COPY(AppSettings)

    QSettings *m_settings = nullptr;
    QWidget *m_globalParent = nullptr;
    QString m_currentUser;
    QString m_displayDateFormat;
};
