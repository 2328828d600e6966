#include "publish/guide_files.h"

#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "publish/catalog_layout.h"

#include <pugixml.hpp>

namespace paperkit {

bool WriteGuideFiles(const std::filesystem::path& catalog, const std::vector<int>& ids,
                     const std::filesystem::path& folder,
                     std::vector<std::filesystem::path>& written, std::string& error) {
    const std::filesystem::path source = catalog / DocumentsFolderName / FileDocument;
    pugi::xml_document albums;
    if (!OpenDocument(albums, source)) {
        error = "cannot read " + source.string();
        return false;
    }
    const pugi::xml_node section = albums.document_element().child("Subject");
    for (int id : ids) {
        pugi::xml_node album;
        for (pugi::xml_node item : section.children()) {
            if (item.type() == pugi::node_element && ReadAttrIntDef(item, "Id", 0) == id) {
                album = item;
                break;
            }
        }
        if (!album) {
            error = "the album " + std::to_string(id) + " is not in the catalog";
            return false;
        }
        pugi::xml_document guide;
        guide.append_child("Root").append_child("Subject").append_copy(album);
        const std::filesystem::path file = folder / (std::to_string(id) + ".pkd");
        if (!SaveDocument(guide, file)) {
            error = "cannot write " + file.string();
            return false;
        }
        written.push_back(file);
    }
    return true;
}

} // namespace paperkit
