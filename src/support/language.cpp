#include "support/language.h"

#include <cstdlib>
#include <string_view>

namespace paperkit {

namespace {

constexpr int kTexts = 6;
constexpr int kLanguages = 4;

// Column 2 (Traditional Chinese) and column 3 were never filled; every Chinese locale uses
// column 1. Column 0 is English so that no question is ever empty: an empty question reads as
// No, and nothing could be deleted.
constexpr std::string_view kTable[kTexts][kLanguages] = {
    {"PaperKit", "青鸾画屏", "", ""},
    {"Are you sure you want to delete this wallpaper?", "您确认删除该壁纸吗？", "", ""},
    {"Are you sure you want to delete this favorites folder?", "您确认删除该收藏夹吗？", "", ""},
    {"Are you sure you want to delete this picture?", "您确认删除该图片吗？", "", ""},
    {"Are you sure you want to delete all pictures?", "您确认删除全部图片吗？", "", ""},
    {"", "", "", ""},
};

bool IsChineseLocale(int localeId) {
    return localeId == 1028 || localeId == 2052 || localeId == 3076 || localeId == 4100;
}

} // namespace

int SystemLocaleId() {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    // language_TERRITORY.codeset@modifier: only language and territory matter
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale == "zh_CN")
        return 2052;
    if (locale == "zh_TW")
        return 1028;
    if (locale == "zh_HK")
        return 3076;
    if (locale == "zh_SG")
        return 4100;
    return 1033;
}

TLanguage::TLanguage() : TLanguage(SystemLocaleId()) {}

TLanguage::TLanguage(int localeId) : m_langIndex(IsChineseLocale(localeId) ? 1 : 0) {}

std::string TLanguage::GetText(int number) const {
    return GetTextIn(number, m_langIndex);
}

std::string TLanguage::GetTextIn(int number, int language) const {
    if (number < 0 || number >= kTexts || language < 0 || language >= kLanguages)
        return {};
    return std::string(kTable[number][language]);
}

} // namespace paperkit
