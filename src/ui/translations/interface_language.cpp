#include "ui/translations/interface_language.h"

#include "support/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace paperkit {

bool ShowsChineseTexts(int localeId) {
    return TLanguage(localeId).LangIndex() == 1;
}

bool UseEnglishTexts(QCoreApplication& app, bool english) {
    // Both live as long as the application, each installed at most once.
    static QTranslator translator;
    static QTranslator qtChinese;
    if (!english) {
        app.removeTranslator(&translator);
        // Qt's own texts (the Yes and No of a question, a folder browser's buttons) follow ours,
        // where the system has Qt's Chinese translation.
        if (qtChinese.isEmpty())
            (void)qtChinese.load(QLocale(QLocale::Chinese, QLocale::China),
                                 QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        if (!qtChinese.isEmpty())
            app.installTranslator(&qtChinese);
        return true;
    }
    app.removeTranslator(&qtChinese);
    if (translator.isEmpty() && !translator.load(QStringLiteral(":/i18n/paperkit_en.qm")))
        return false;
    return app.installTranslator(&translator);
}

void InstallInterfaceLanguage(QCoreApplication& app) {
    UseEnglishTexts(app, !ShowsChineseTexts(SystemLocaleId()));
}

} // namespace paperkit
