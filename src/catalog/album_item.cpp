#include "catalog/album_item.h"

#include "catalog/decimal.h"
#include "catalog/xml_attr.h"

#include <array>
#include <cstring>
#include <string_view>

namespace paperkit {

namespace {

constexpr const char* kTotalNames[ImageSizeCount] = {
    "Total0", "Total1",  "Total2",  "Total3",  "Total4",  "Total5",  "Total6",  "Total7", "Total8",
    "Total9", "Total10", "Total11", "Total12", "Total13", "Total14", "Total15", "Total16"};

// The n of an attribute named "Total" followed by n in decimal (0 to 16), else -1.
int TotalIndex(std::string_view name) {
    if (name.size() < 6 || name.size() > 7 || name.substr(0, 5) != "Total")
        return -1;
    for (int n = 0; n < ImageSizeCount; ++n)
        if (name == kTotalNames[n])
            return n;
    return -1;
}

// Pictures are the bulk of a catalog, so their attributes are read in one pass rather than looked
// up by name one at a time. The first attribute of a name counts, as a lookup would find it.
std::unique_ptr<TWallImage> ReadImageItem(const pugi::xml_node& item, bool withRemark) {
    auto image = std::make_unique<TWallImage>();
    std::array<std::string_view, ImageSizeCount> totals;
    enum : unsigned {
        kNo = 1u << 17,
        kDesc = 1u << 18,
        kFile = 1u << 19,
        kCrc = 1u << 20,
        kRemark = 1u << 21
    };
    unsigned seen = 0;
    const auto first = [&seen](unsigned bit) {
        if (seen & bit)
            return false;
        seen |= bit;
        return true;
    };
    for (const pugi::xml_attribute attr : item.attributes()) {
        const char* name = attr.name();
        switch (name[0]) {
        case 'N':
            if (std::strcmp(name, "No") == 0 && first(kNo))
                image->No = ParseDecimal(attr.value()).value_or(0);
            break;
        case 'D':
            if (std::strcmp(name, "Desc") == 0 && first(kDesc))
                image->Desc = attr.value();
            break;
        case 'F':
            if (std::strcmp(name, "FileName") == 0 && first(kFile))
                image->FileName = attr.value();
            break;
        case 'C':
            if (std::strcmp(name, "CRC") == 0 && first(kCrc))
                image->CRC = attr.value();
            break;
        case 'R':
            if (withRemark && std::strcmp(name, "Remark") == 0 && first(kRemark))
                image->Remark = attr.value();
            break;
        case 'T':
            if (const int n = TotalIndex(name); n >= 0 && first(1u << n))
                totals[static_cast<std::size_t>(n)] = attr.value();
            break;
        default:
            break;
        }
    }
    image->Totals.Assign(totals);
    return image;
}

} // namespace

std::unique_ptr<TWallSubject> ReadAlbumItem(const pugi::xml_node& item, bool withRemarks,
                                            const ScreenGeometry& screen) {
    const auto category = ParseDecimal(item.attribute("Category").value());
    if (!category)
        return nullptr;
    auto album = std::make_unique<TWallSubject>();
    album->Id = ReadAttrInt(item, "Id");
    album->Desc = ReadAttr(item, "Desc");
    album->Remark = ReadAttr(item, "Remark");
    album->Category = *category;
    album->Total = ReadAttr(item, "Total");
    album->GoURL = ReadAttr(item, "GoURL");
    album->Counts = ReadAttrInt(item, "Counts");
    album->Date = ReadAttr(item, "Date");
    album->SizeType = ReadAttr(item, "SizeType");
    album->SizeList = ReadAttr(item, "SizeList");
    album->Author = ReadAttr(item, "Author");
    album->LocalPath = ReadAttr(item, "LocalPath");
    album->FileName = ReadAttr(item, "FileName");
    album->CRC = ReadAttr(item, "CRC");
    album->WebPath = ReadAttr(item, "WebPath");
    album->Downloaded = false;
    album->Download = false;
    album->InWallList = false;
    album->Size = SizeForList(album->SizeList, screen.PrimaryWidth, screen.PrimaryHeight);
    ForEachItem(item, [&](const pugi::xml_node& picture) {
        album->Images.Add(ReadImageItem(picture, withRemarks));
        return true;
    });
    return album;
}

void WritePictureItem(pugi::xml_node& album, const TWallImage& image) {
    pugi::xml_node picture = album.append_child("I");
    WriteAttrInt(picture, "No", image.No);
    WriteAttr(picture, "Desc", image.Desc);
    WriteAttr(picture, "Remark", image.Remark);
    WriteAttr(picture, "FileName", image.FileName);
    WriteAttr(picture, "CRC", image.CRC);
    for (int n = 0; n < ImageSizeCount; ++n)
        if (const std::string_view total = image.Totals[n]; !total.empty())
            WriteAttr(picture, kTotalNames[n], total);
}

void WriteAlbumItem(pugi::xml_node& section, const TWallSubject& album) {
    pugi::xml_node item = section.append_child("D");
    WriteAttrInt(item, "Id", album.Id);
    WriteAttr(item, "Desc", album.Desc);
    WriteAttr(item, "Remark", album.Remark);
    WriteAttr(item, "Author", album.Author);
    WriteAttr(item, "Date", album.Date);
    WriteAttrInt(item, "Counts", album.Counts);
    WriteAttrInt(item, "Category", album.Category);
    WriteAttr(item, "SizeType", album.SizeType);
    WriteAttr(item, "SizeList", album.SizeList);
    WriteAttr(item, "LocalPath", album.LocalPath);
    WriteAttr(item, "FileName", album.FileName);
    WriteAttr(item, "CRC", album.CRC);
    WriteAttr(item, "Total", album.Total);
    WriteAttr(item, "WebPath", album.WebPath);
    WriteAttr(item, "GoURL", album.GoURL);
    for (const TWallImage& image : album.Images)
        WritePictureItem(item, image);
}

} // namespace paperkit
