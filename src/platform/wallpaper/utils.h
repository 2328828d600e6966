#pragma once

// The wallpaper library's exported interface: two functions with C linkage, using the standard
// calling convention on Windows ("utils.dll"). Both return non-zero on success.

#if defined(_WIN32)
#define PAPERKIT_UTILS_CALL __stdcall
#if defined(PAPERKIT_UTILS_BUILD)
#define PAPERKIT_UTILS_API __declspec(dllexport)
#else
#define PAPERKIT_UTILS_API __declspec(dllimport)
#endif
#else
#define PAPERKIT_UTILS_CALL
#define PAPERKIT_UTILS_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/// Makes the picture at this full path (UTF-8) the desktop wallpaper, laid out in the style stored
/// under "Control Panel\Desktop". Returns 0, leaving the desktop as it was, when the file is not a
/// readable JPEG, BMP, GIF or PNG picture or when the desktop refused it.
PAPERKIT_UTILS_API int PAPERKIT_UTILS_CALL ChangeWallpaper(const char* path);

/// Leaves the desktop without a wallpaper picture. Returns 0 when the desktop refused.
PAPERKIT_UTILS_API int PAPERKIT_UTILS_CALL ClearWallpaper(void);

#ifdef __cplusplus
}
#endif
