#include "programlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ProgramLanguage {

QString Install(QCoreApplication *app)
{
    return Install(app, QLocale::system());
}

QString Install(QCoreApplication *app, const QLocale &locale)
{
    // The program's own catalogues are built into it; only an English system needs none.
    auto *own = new QTranslator(app);
    if (locale.language() == QLocale::English
        || !own->load(locale, QStringLiteral("quillbox"), QStringLiteral("_"),
                      QStringLiteral(":/translations"))) {
        delete own;
        return QString();
    }
    app->installTranslator(own);
    // Qt's own texts (standard buttons, file dialogs) from the system's catalogues, when there.
    auto *qt = new QTranslator(app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app->installTranslator(qt);
    else
        delete qt;
    QLocale::setDefault(locale);
    return QLocale(locale.language()).name().section(QLatin1Char('_'), 0, 0);
}

} // namespace ProgramLanguage
