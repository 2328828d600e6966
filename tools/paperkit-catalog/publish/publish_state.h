#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace paperkit {

/// A picture of an album as published before: its number and file name stay with its source.
struct PublishedPicture {
    int No = 0;
    std::string FileName;
};

/// An album as published before, keyed by its source folder ("category/album").
struct PublishedAlbum {
    int Id = 0;
    /// Date of first publication, "YYYY-MM-DD".
    std::string Date;
    /// Source file name -> number and published name.
    std::map<std::string, PublishedPicture> Pictures;
};

/// One file of the announced program version.
struct PublishedUpdate {
    std::string FileName;
    std::string Total;
    std::string Totalxyz;
};

/// An encoded picture file, so that a rebuild reuses it while its source is unchanged.
struct PublishedOutput {
    std::string Source;
    std::string Signature;
    std::string Md5;
};

/// What the publishing tool remembers between builds of one catalog: the ids, numbers and names
/// it handed out (so they never change), the version it announces, the document stamps, and
/// which encoded files came from which source.
struct PublishState {
    std::map<std::string, int> Categories;
    std::map<std::string, PublishedAlbum> Albums;
    std::string LastVer;
    bool HasVersion = false;
    std::vector<PublishedUpdate> Updates;
    /// Document name -> stamp of its content.
    std::map<std::string, std::string> Stamps;
    /// Path below the catalog folder -> where it came from.
    std::map<std::string, PublishedOutput> Outputs;

    /// The next category and album ids that were never handed out.
    int NextCategoryId() const;
    int NextAlbumId() const;
};

/// The state file's name inside the catalog folder.
inline constexpr const char* PublishStateFileName = "publish-state.xml";

/// Reads the state; a missing file gives an empty state and true. False, with the reason in
/// `error`, when the file exists but cannot be read: building on then could hand out ids twice.
bool LoadPublishState(const std::filesystem::path& file, PublishState& state, std::string& error);

/// Writes the state through a temporary file renamed over the old one.
bool SavePublishState(const std::filesystem::path& file, const PublishState& state,
                      std::string& error);

} // namespace paperkit
