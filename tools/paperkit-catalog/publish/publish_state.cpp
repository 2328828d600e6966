#include "publish/publish_state.h"

#include "publish/file_write.h"

#include <algorithm>
#include <pugixml.hpp>
#include <sstream>

namespace paperkit {

int PublishState::NextCategoryId() const {
    int next = 1;
    for (const auto& [folder, id] : Categories)
        next = std::max(next, id + 1);
    return next;
}

int PublishState::NextAlbumId() const {
    int next = 1001;
    for (const auto& [path, album] : Albums)
        next = std::max(next, album.Id + 1);
    return next;
}

bool LoadPublishState(const std::filesystem::path& file, PublishState& state, std::string& error) {
    state = {};
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return true;
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(file.c_str());
    const pugi::xml_node root = doc.child("PublishState");
    if (!parsed || !root) {
        error = "the state file " + file.string() + " is damaged (" + parsed.description() +
                "); restore it or remove it to start the numbering afresh";
        return false;
    }
    for (pugi::xml_node n : root.children("Category"))
        state.Categories[n.attribute("Folder").as_string()] = n.attribute("Id").as_int();
    for (pugi::xml_node n : root.children("Album")) {
        PublishedAlbum& album = state.Albums[n.attribute("Path").as_string()];
        album.Id = n.attribute("Id").as_int();
        album.Date = n.attribute("Date").as_string();
        for (pugi::xml_node pic : n.children("Picture")) {
            album.Pictures[pic.attribute("Source").as_string()] = {
                pic.attribute("No").as_int(), pic.attribute("FileName").as_string()};
        }
    }
    if (pugi::xml_node v = root.child("Version")) {
        state.HasVersion = true;
        state.LastVer = v.attribute("LastVer").as_string();
        for (pugi::xml_node u : v.children("Update")) {
            state.Updates.push_back({u.attribute("FileName").as_string(),
                                     u.attribute("Total").as_string(),
                                     u.attribute("Totalxyz").as_string()});
        }
    }
    for (pugi::xml_node n : root.children("Stamp"))
        state.Stamps[n.attribute("Document").as_string()] = n.attribute("Value").as_string();
    for (pugi::xml_node n : root.children("Output")) {
        state.Outputs[n.attribute("Path").as_string()] = {n.attribute("Source").as_string(),
                                                          n.attribute("Signature").as_string(),
                                                          n.attribute("Md5").as_string()};
    }
    for (const auto& [path, album] : state.Albums) {
        if (album.Id <= 0) {
            error = "the state file " + file.string() + " gives the album " + path + " no id";
            return false;
        }
    }
    return true;
}

bool SavePublishState(const std::filesystem::path& file, const PublishState& state,
                      std::string& error) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("PublishState");
    for (const auto& [folder, id] : state.Categories) {
        pugi::xml_node n = root.append_child("Category");
        n.append_attribute("Folder") = folder.c_str();
        n.append_attribute("Id") = id;
    }
    for (const auto& [path, album] : state.Albums) {
        pugi::xml_node n = root.append_child("Album");
        n.append_attribute("Path") = path.c_str();
        n.append_attribute("Id") = album.Id;
        n.append_attribute("Date") = album.Date.c_str();
        for (const auto& [source, pic] : album.Pictures) {
            pugi::xml_node p = n.append_child("Picture");
            p.append_attribute("Source") = source.c_str();
            p.append_attribute("No") = pic.No;
            p.append_attribute("FileName") = pic.FileName.c_str();
        }
    }
    if (state.HasVersion) {
        pugi::xml_node v = root.append_child("Version");
        v.append_attribute("LastVer") = state.LastVer.c_str();
        for (const PublishedUpdate& u : state.Updates) {
            pugi::xml_node n = v.append_child("Update");
            n.append_attribute("FileName") = u.FileName.c_str();
            n.append_attribute("Total") = u.Total.c_str();
            n.append_attribute("Totalxyz") = u.Totalxyz.c_str();
        }
    }
    for (const auto& [document, value] : state.Stamps) {
        pugi::xml_node n = root.append_child("Stamp");
        n.append_attribute("Document") = document.c_str();
        n.append_attribute("Value") = value.c_str();
    }
    for (const auto& [path, output] : state.Outputs) {
        pugi::xml_node n = root.append_child("Output");
        n.append_attribute("Path") = path.c_str();
        n.append_attribute("Source") = output.Source.c_str();
        n.append_attribute("Signature") = output.Signature.c_str();
        n.append_attribute("Md5") = output.Md5.c_str();
    }
    std::ostringstream text;
    doc.save(text, "  ");
    if (!WriteFileAtomically(file, text.str())) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

} // namespace paperkit
