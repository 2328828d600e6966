#pragma once

#include <string>
#include <string_view>

// The fixed table of picture sizes. An album's `Size` is an index into it and is stored in the
// local catalog files, so an index never changes its meaning.
namespace paperkit {

inline constexpr int SizeCount = 17;

/// The screen sizes that picture sizes are chosen for. The program fills them from the platform's
/// ScreenInfo; tests hand in their own.
struct ScreenGeometry {
    int PrimaryWidth = 1920;
    int PrimaryHeight = 1080;
    int DesktopWidth = 1920;
    int DesktopHeight = 1080;
};

/// The table index whose text equals `text` exactly ("1024x768" -> 0), or -1.
int SizeIndex(std::string_view text);

/// The table text of an index; empty outside 0 to 16.
std::string SizeName(int index);

/// Splits "WIDTHxHEIGHT" at the first 'x'; a part that is not a decimal number reads as 0. False,
/// leaving width and height untouched, when there is no 'x'.
bool ParseSize(std::string_view text, int& width, int& height);

/// The index of the entry of a comma-separated size list that suits a screen of this size best,
/// or -1.
int SizeForList(std::string_view sizeList, int screenWidth, int screenHeight);

/// The coarse aspect class of a width and height: "1", "1*", ">", "2", "2*", "3", "3*", "4", "4*"
/// or "<".
std::string AspectClass(int width, int height);

/// The aspect class of the whole desktop. Mode "1" reduces it to "1" (classes 1 and 2), "2"
/// (classes 3 and 4) or "*" (beyond both ends); any other mode gives the class itself.
std::string DesktopClass(std::string_view mode, int desktopWidth, int desktopHeight);

} // namespace paperkit
