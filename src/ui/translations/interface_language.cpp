#include "ui/translations/interface_language.h"

#include "support/language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace paperkit {

bool ShowsChineseTexts(int localeId) {
    return TLanguage(localeId).LangIndex() == 1;
}

bool UseEnglishTexts(QCoreApplication& app, bool english) {
    // Lives as long as the application, installed at most once.
    static QTranslator translator;
    if (!english) {
        app.removeTranslator(&translator);
        return true;
    }
    if (translator.isEmpty() && !translator.load(QStringLiteral(":/i18n/paperkit_en.qm")))
        return false;
    return app.installTranslator(&translator);
}

void InstallInterfaceLanguage(QCoreApplication& app) {
    UseEnglishTexts(app, !ShowsChineseTexts(SystemLocaleId()));
}

} // namespace paperkit
