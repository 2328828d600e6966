#include "publish/data_seed.h"

#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "publish/catalog_layout.h"

#include <algorithm>
#include <pugixml.hpp>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

fs::path ReceiveFolderIn(const fs::path& dataHome) {
    return dataHome / "PaperKit" / "Receive";
}

bool SeedDataFolder(const fs::path& catalog, const fs::path& dataHome,
                    const std::vector<int>& presetCategories, std::string& error) {
    const fs::path receive = ReceiveFolderIn(dataHome);
    const fs::path setup = receive / "setupfile.xmz";
    std::error_code ec;
    if (fs::exists(setup, ec)) {
        error = setup.string() + " already exists; it holds the user's choices";
        return false;
    }
    const fs::path categories = catalog / DocumentsFolderName / CategoryName;
    pugi::xml_document source;
    if (!OpenDocument(source, categories)) {
        error = "cannot read " + categories.string();
        return false;
    }
    std::vector<int> known;
    for (pugi::xml_node item : source.document_element().child("Category").children())
        known.push_back(ReadAttrInt(item, "Id"));
    for (int id : presetCategories) {
        if (std::find(known.begin(), known.end(), id) == known.end()) {
            error = "the category " + std::to_string(id) + " is not in the catalog";
            return false;
        }
    }

    // The setup document applies presets only to categories the program already knows when it
    // starts, so the category list goes in beside it.
    fs::create_directories(receive, ec);
    fs::copy_file(categories, receive / CategoryName, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy the categories into " + receive.string() + ": " + ec.message();
        return false;
    }
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Root");
    pugi::xml_node section = root.append_child("Category");
    for (int id : known) {
        pugi::xml_node item = section.append_child("C");
        WriteAttrInt(item, "Id", id);
        const bool preset = std::find(presetCategories.begin(), presetCategories.end(), id) !=
                            presetCategories.end();
        WriteAttrFlag(item, "N", preset);
    }
    root.append_child("Subject");
    root.append_child("DSubject");
    root.append_child("WallPaper");
    // The settings a first run starts with; without them the program would read automatic
    // changing as switched off.
    pugi::xml_node paras = root.append_child("WallParas");
    WriteAttrFlag(paras, "Change", true);
    WriteAttrInt(paras, "Hour", 0);
    WriteAttrInt(paras, "Minute", 0);
    WriteAttrInt(paras, "Second", 15);
    WriteAttr(paras, "Option", "0");
    WriteAttr(paras, "WallTypes", "1");
    WriteAttr(paras, "DownloadPath", "");
    WriteAttrFlag(paras, "PlayMusic", true);
    WriteAttrChar(paras, "MusicType", '1');
    WriteAttr(paras, "MusicFile", "");
    WriteAttrFlag(paras, "SpecialStyle", true);
    WriteAttrFlag(paras, "PlayRecycle", true);
    WriteAttrInt(paras, "Interval", 3);
    WriteAttr(paras, "ServerIP", "");
    if (!SaveDocument(doc, setup)) {
        error = "cannot write " + setup.string();
        return false;
    }
    return true;
}

} // namespace paperkit
