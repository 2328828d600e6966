#pragma once

#include <cstdint>
#include <string>

namespace paperkit {

/// The Windows locale identifier of the user's locale, taken from LC_ALL, LC_MESSAGES or LANG
/// (the first that is set and not empty): 2052 for zh_CN, 1028 zh_TW, 3076 zh_HK, 4100 zh_SG,
/// 1033 for any other locale.
int SystemLocaleId();

/// The few interface texts that belong to no window: the tray tip and the delete questions, by
/// text number (0 to 5) and language column (0 to 3). Column 1 holds the Chinese texts and is
/// used on the four Chinese locales; column 0, plain English, everywhere else.
class TLanguage {
public:
    /// Chooses the column from the user's locale.
    TLanguage();
    /// Chooses the column for this Windows locale identifier.
    explicit TLanguage(int localeId);

    /// The text of this number in the language in use; empty when there is none.
    std::string GetText(int number) const;
    /// The text of this number in this language column; empty outside the table.
    std::string GetTextIn(int number, int language) const;
    /// The language column in use.
    std::uint8_t LangIndex() const { return m_langIndex; }

private:
    std::uint8_t m_langIndex = 0;
};

} // namespace paperkit
