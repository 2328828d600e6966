#pragma once

#include <string>

namespace paperkit {

/// The user's settings. A fresh record holds zeros and empty texts; loading the setup document
/// puts the defaults in before it reads the stored values.
struct TWallParas {
    /// Copies every field.
    void Assign(const TWallParas& other) { *this = other; }

    /// Change the wallpaper on a timer.
    bool Change = false;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    std::string Option;
    std::string WallTypes;
    /// The download folder.
    std::string DownloadPath;
    /// Background music during the slideshow.
    bool PlayMusic = false;
    /// '1' the default music file, '2' `MusicFile`.
    char MusicType = '\0';
    std::string MusicFile;
    /// Transition effects in the slideshow.
    bool SpecialStyle = false;
    /// Repeat the slideshow at its end.
    bool PlayRecycle = false;
    /// Seconds each picture shows in the slideshow.
    int Interval = 0;
    std::string ServerIP;
};

} // namespace paperkit
