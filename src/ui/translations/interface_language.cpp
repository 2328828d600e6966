#include "ui/translations/interface_language.h"

#include "support/language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace paperkit {

bool ShowsChineseTexts(int localeId) {
    return TLanguage(localeId).LangIndex() == 1;
}

void InstallInterfaceLanguage(QCoreApplication& app) {
    if (ShowsChineseTexts(SystemLocaleId()))
        return;
    // Lives as long as the application; a second call changes nothing.
    static QTranslator english;
    if (english.isEmpty() && english.load(QStringLiteral(":/i18n/paperkit_en.qm")))
        app.installTranslator(&english);
}

} // namespace paperkit
