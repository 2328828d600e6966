#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

// Every value of a catalog document is an attribute; these read them with the documents' rules.
namespace paperkit {

/// The attribute's text; empty when the attribute is absent.
std::string ReadAttr(const pugi::xml_node& element, const char* name);

/// The attribute as a decimal integer; 0 when it is absent, empty or not a whole number.
int ReadAttrInt(const pugi::xml_node& element, const char* name);

/// The attribute as a decimal integer, or `def` when its text is not a whole number.
int ReadAttrIntDef(const pugi::xml_node& element, const char* name, int def);

/// The flag rule "true only for exactly Y".
bool ReadAttrYes(const pugi::xml_node& element, const char* name);

/// The flag rule "true for anything except exactly N" (an absent attribute is true).
bool ReadAttrNotNo(const pugi::xml_node& element, const char* name);

/// The first character of the attribute's text, or `def` when it is empty.
char ReadAttrChar(const pugi::xml_node& element, const char* name, char def);

/// Calls `fn` with each element child of `section` in document order, while it returns true. Every
/// element is an item, whatever its tag; text between items is not.
template <typename Fn> void ForEachItem(const pugi::xml_node& section, Fn fn) {
    for (pugi::xml_node item = section.first_child(); item; item = item.next_sibling())
        if (item.type() == pugi::node_element && !fn(item))
            return;
}

/// Appends an attribute holding the text.
void WriteAttr(pugi::xml_node& element, const char* name, std::string_view value);
void WriteAttrInt(pugi::xml_node& element, const char* name, int value);
/// Writes a flag as "Y" or "N".
void WriteAttrFlag(pugi::xml_node& element, const char* name, bool value);
void WriteAttrChar(pugi::xml_node& element, const char* name, char value);

} // namespace paperkit
