#pragma once

class QCoreApplication;

namespace paperkit {

/// True when the windows show their own (Chinese) texts for this Windows locale identifier: the
/// four Chinese locales, the same rule as the language table's.
bool ShowsChineseTexts(int localeId);

/// Puts the built-in English translation in front of the windows' texts unless the user's locale
/// is Chinese. Call once, after the application object exists and before any window.
void InstallInterfaceLanguage(QCoreApplication& app);

} // namespace paperkit
