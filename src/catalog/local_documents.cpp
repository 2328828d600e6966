// The documents only the program writes: "downloadfile.xmz" and "setupfile.xmz".
#include "catalog/album_item.h"
#include "catalog/decimal.h"
#include "catalog/download_files.h"
#include "catalog/subject_index.h"
#include "catalog/xml_attr.h"
#include "support/file_status.h"
#include "support/globals.h"
#include "support/log.h"
#include "support/scramble.h"

#include <exception>
#include <system_error>
#include <unordered_map>

namespace paperkit {

namespace {

namespace fs = std::filesystem;

bool Running() {
    return !Closing.load(std::memory_order_relaxed);
}

void WriteChoices(pugi::xml_node section, const TWallSubjects& subjects) {
    for (const TWallSubject& album : subjects) {
        pugi::xml_node item = section.append_child("T");
        WriteAttrInt(item, "Id", album.Id);
        WriteAttrFlag(item, "N", album.Download);
        WriteAttrInt(item, "Size", album.Size);
        WriteAttrFlag(item, "S", album.InWallList);
        WriteAttrFlag(item, "D", album.Downloaded);
        for (const TWallImage& image : album.Images) {
            pugi::xml_node picture = item.append_child("I");
            WriteAttrInt(picture, "No", image.No);
            WriteAttrFlag(picture, "D", image.Downloaded);
        }
    }
}

// Stored choices go back onto albums the other documents have already listed; an album that is
// gone is skipped, and a picture keeps its flag only at the same position with the same number.
void ReadChoices(const pugi::xml_node& section, TWallSubjects& subjects) {
    const SubjectIndex index(subjects);
    ForEachItem(section, [&](const pugi::xml_node& item) {
        if (!Running())
            return false;
        TWallSubject* album = index.Find(ReadAttrInt(item, "Id"));
        if (!album)
            return true;
        album->Download = ReadAttrYes(item, "N");
        // A size outside the table would index past an image's digests later; such a value
        // cannot come from us, so the size chosen when the album was read stays.
        if (const int size = ReadAttrInt(item, "Size"); size >= -1 && size < SizeCount)
            album->Size = size;
        album->InWallList = ReadAttrYes(item, "S");
        album->Downloaded = ReadAttrYes(item, "D");
        int position = 0;
        ForEachItem(item, [&](const pugi::xml_node& picture) {
            TWallImage* image = album->Images.Get(position++);
            if (image && image->No == ReadAttrInt(picture, "No"))
                image->Downloaded = ReadAttrYes(picture, "D");
            return true;
        });
        return true;
    });
}

} // namespace

bool TDownLoadFiles::WriteDownloadFile(const fs::path& container) {
    try {
        Document.reset();
        pugi::xml_node section = Document.append_child("Root").append_child("Subject");
        for (const TWallSubject& album : DSubjects())
            WriteAlbumItem(section, album);
        const bool saved = SaveDocument(container);
        Document.reset();
        return saved;
    } catch (const std::exception& e) {
        Log(std::string("WriteDownloadFile: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::ReadDownloadFile(const fs::path& container) {
    TWallSubjects& dsubjects = DSubjects();
    dsubjects.Clear();
    try {
        if (!IsFile(container) || !OpenDocument(container))
            return false;
        ForEachItem(Document.document_element().child("Subject"), [&](const pugi::xml_node& item) {
            auto album = ReadAlbumItem(item, true, Screen);
            if (!album) {
                Log("ReadDownloadFile: an album without a numeric Category ends the album list");
                return false;
            }
            album->Download = true;
            dsubjects.Add(std::move(album));
            return true;
        });
        Document.reset();
        return true;
    } catch (const std::exception& e) {
        Log(std::string("ReadDownloadFile: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::WriteSetupFile(const fs::path& container) {
    try {
        Document.reset();
        pugi::xml_node root = Document.append_child("Root");

        pugi::xml_node categorys = root.append_child("Category");
        for (const TWallCategory& category : Categorys()) {
            pugi::xml_node item = categorys.append_child("C");
            WriteAttrInt(item, "Id", category.Id);
            WriteAttrFlag(item, "N", category.Preset);
        }
        WriteChoices(root.append_child("Subject"), Subjects());
        WriteChoices(root.append_child("DSubject"), DSubjects());

        pugi::xml_node papers = root.append_child("WallPaper");
        for (const TWallPaper& paper : WallPapers()) {
            // The reader ends the rotation list at an entry it cannot take, so such an entry is
            // left out here rather than cutting off every entry behind it.
            if (paper.Type == '\0' ||
                ((paper.Type == '1' || paper.Type == '2') && !ParseDecimal(paper.Id)))
                continue;
            pugi::xml_node item = papers.append_child("P");
            WriteAttrChar(item, "Type", paper.Type);
            WriteAttr(item, "Id", paper.Id);
            if (paper.Type == '0') {
                WriteAttr(item, "Name", paper.Name);
                // A folder entry made without a choice takes only the folder's own pictures.
                WriteAttrChar(item, "HasSub", paper.HasSub == '\0' ? 'N' : paper.HasSub);
            }
        }

        const TWallUser& user = WallUser();
        pugi::xml_node userNode = root.append_child("WallUser");
        WriteAttrFlag(userNode, "A", user.A);
        WriteAttr(userNode, "B", ScrambleEncode(user.A ? user.B : std::string()));
        WriteAttrFlag(userNode, "C", user.C);
        WriteAttr(userNode, "D", user.C ? user.D : std::string());

        const TWallParas& paras = WallParas();
        pugi::xml_node parasNode = root.append_child("WallParas");
        WriteAttrFlag(parasNode, "Change", paras.Change);
        WriteAttrInt(parasNode, "Hour", paras.Hour);
        WriteAttrInt(parasNode, "Minute", paras.Minute);
        WriteAttrInt(parasNode, "Second", paras.Second);
        WriteAttr(parasNode, "Option", paras.Option);
        WriteAttr(parasNode, "WallTypes", paras.WallTypes);
        WriteAttr(parasNode, "DownloadPath", paras.DownloadPath);
        WriteAttrFlag(parasNode, "PlayMusic", paras.PlayMusic);
        WriteAttrChar(parasNode, "MusicType", paras.MusicType);
        WriteAttr(parasNode, "MusicFile", paras.MusicFile);
        WriteAttrFlag(parasNode, "SpecialStyle", paras.SpecialStyle);
        WriteAttrFlag(parasNode, "PlayRecycle", paras.PlayRecycle);
        WriteAttrInt(parasNode, "Interval", paras.Interval);
        WriteAttr(parasNode, "ServerIP", paras.ServerIP);

        const bool saved = SaveDocument(container);
        Document.reset();
        return saved;
    } catch (const std::exception& e) {
        Log(std::string("WriteSetupFile: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::ReadSetupFile(const fs::path& container) {
    for (TWallCategory& category : Categorys())
        category.Preset = false;
    for (TWallSubject& album : Subjects()) {
        album.Download = false;
        album.InWallList = false;
    }
    TWallParas& paras = WallParas();
    paras.Change = true;
    paras.Hour = 0;
    paras.Minute = 0;
    paras.Second = 15;
    paras.Option = "0";
    paras.WallTypes = DesktopClass("1", Screen.DesktopWidth, Screen.DesktopHeight);
    paras.PlayMusic = true;
    paras.MusicType = '1';
    paras.MusicFile.clear();
    paras.SpecialStyle = true;
    paras.PlayRecycle = true;
    paras.Interval = 3;
    paras.ServerIP.clear();
    TWallPapers& papers = WallPapers();
    papers.Clear();

    try {
        if (!IsFile(container) || !OpenDocument(container))
            return false;
        const pugi::xml_node root = Document.document_element();

        {
            // Categories are few, but a hostile document may hold many items: index the first of
            // each id as Find would find it.
            std::unordered_map<int, TWallCategory*> categorys;
            for (TWallCategory& category : Categorys())
                categorys.emplace(category.Id, &category);
            ForEachItem(root.child("Category"), [&](const pugi::xml_node& item) {
                if (!Running())
                    return false;
                const auto found = categorys.find(ReadAttrInt(item, "Id"));
                if (found != categorys.end())
                    found->second->Preset = ReadAttrYes(item, "N");
                return true;
            });
        }
        ReadChoices(root.child("Subject"), Subjects());
        ReadChoices(root.child("DSubject"), DSubjects());

        {
            const SubjectIndex subjects(Subjects());
            const SubjectIndex dsubjects(DSubjects());
            ForEachItem(root.child("WallPaper"), [&](const pugi::xml_node& item) {
                if (!Running())
                    return false;
                auto paper = std::make_unique<TWallPaper>();
                paper->Id = ReadAttr(item, "Id");
                const std::string type = ReadAttr(item, "Type");
                if (type.empty())
                    return false;
                paper->Type = type.front();
                if (paper->Type == '1' || paper->Type == '2') {
                    const auto id = ParseDecimal(paper->Id);
                    if (!id)
                        return false;
                    const SubjectIndex& index = paper->Type == '1' ? subjects : dsubjects;
                    if (TWallSubject* album = index.Find(*id)) {
                        album->InWallList = true;
                        paper->Name = album->Desc;
                    }
                } else if (paper->Type == '0') {
                    paper->Name = ReadAttr(item, "Name");
                    const std::string hasSub = ReadAttr(item, "HasSub");
                    if (hasSub.empty())
                        return false;
                    paper->HasSub = hasSub.front();
                } else {
                    paper->HasSub = ' ';
                }
                papers.Add(std::move(paper));
                return true;
            });
        }

        const pugi::xml_node userNode = root.child("WallUser");
        TWallUser& user = WallUser();
        user.A = ReadAttrYes(userNode, "A");
        user.B = ScrambleDecode(ReadAttr(userNode, "B"));
        user.C = ReadAttrYes(userNode, "C");
        user.D = ReadAttr(userNode, "D");

        const pugi::xml_node parasNode = root.child("WallParas");
        paras.Change = ReadAttrYes(parasNode, "Change");
        paras.Hour = ReadAttrInt(parasNode, "Hour");
        paras.Minute = ReadAttrInt(parasNode, "Minute");
        paras.Second = ReadAttrInt(parasNode, "Second");
        paras.Option = ReadAttr(parasNode, "Option");
        paras.WallTypes = ReadAttr(parasNode, "WallTypes");
        paras.DownloadPath = ReadAttr(parasNode, "DownloadPath");
        paras.PlayMusic = ReadAttrNotNo(parasNode, "PlayMusic");
        paras.MusicType = ReadAttrChar(parasNode, "MusicType", '1');
        paras.MusicFile = ReadAttr(parasNode, "MusicFile");
        paras.SpecialStyle = ReadAttrNotNo(parasNode, "SpecialStyle");
        paras.PlayRecycle = ReadAttrNotNo(parasNode, "PlayRecycle");
        paras.Interval = ReadAttrIntDef(parasNode, "Interval", 3);
        if (paras.Interval < 2) {
            paras.Interval = 3;
            paras.MusicType = '1';
            paras.SpecialStyle = true;
            paras.PlayRecycle = true;
        }
        paras.ServerIP = ReadAttr(parasNode, "ServerIP");
        Document.reset();
        return true;
    } catch (const std::exception& e) {
        Log(std::string("ReadSetupFile: ") + e.what());
        return false;
    }
}

} // namespace paperkit
