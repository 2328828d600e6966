#include "catalog/xml_attr.h"

#include "catalog/decimal.h"

namespace paperkit {

std::string ReadAttr(const pugi::xml_node& element, const char* name) {
    return element.attribute(name).value();
}

int ReadAttrInt(const pugi::xml_node& element, const char* name) {
    return ReadAttrIntDef(element, name, 0);
}

int ReadAttrIntDef(const pugi::xml_node& element, const char* name, int def) {
    return ParseDecimal(element.attribute(name).value()).value_or(def);
}

bool ReadAttrYes(const pugi::xml_node& element, const char* name) {
    return std::string_view(element.attribute(name).value()) == "Y";
}

bool ReadAttrNotNo(const pugi::xml_node& element, const char* name) {
    return std::string_view(element.attribute(name).value()) != "N";
}

char ReadAttrChar(const pugi::xml_node& element, const char* name, char def) {
    const char* value = element.attribute(name).value();
    return *value ? *value : def;
}

void WriteAttr(pugi::xml_node& element, const char* name, std::string_view value) {
    element.append_attribute(name).set_value(std::string(value).c_str());
}

void WriteAttrInt(pugi::xml_node& element, const char* name, int value) {
    element.append_attribute(name).set_value(std::to_string(value).c_str());
}

void WriteAttrFlag(pugi::xml_node& element, const char* name, bool value) {
    element.append_attribute(name).set_value(value ? "Y" : "N");
}

void WriteAttrChar(pugi::xml_node& element, const char* name, char value) {
    const char text[2] = {value, '\0'};
    element.append_attribute(name).set_value(text);
}

} // namespace paperkit
