#pragma once

class QCoreApplication;

namespace paperkit {

/// True when the windows show their own (Chinese) texts for this Windows locale identifier: the
/// four Chinese locales, the same rule as the language table's.
bool ShowsChineseTexts(int localeId);

/// Puts the built-in English translation in front of the windows' texts (true) or takes it away
/// (false); windows built afterwards follow. False when the translation could not be loaded.
bool UseEnglishTexts(QCoreApplication& app, bool english);

/// Puts the built-in English translation in front of the windows' texts unless the user's locale
/// is Chinese. Call after the application object exists and before any window.
void InstallInterfaceLanguage(QCoreApplication& app);

} // namespace paperkit
