#pragma once

#include "catalog/wall_ad.h"
#include "catalog/wall_category.h"
#include "catalog/wall_paper.h"
#include "catalog/wall_paras.h"
#include "catalog/wall_subject.h"
#include "catalog/wall_user.h"

namespace paperkit {

/// A working catalog. Not copyable: copies between working catalogs are deep, through `Assign`.
struct TMainSetupFiles {
    TMainSetupFiles() = default;
    TMainSetupFiles(const TMainSetupFiles&) = delete;
    TMainSetupFiles& operator=(const TMainSetupFiles&) = delete;

    /// Makes every member a deep copy of the other's.
    void Assign(const TMainSetupFiles& other);

    /// The server's categories with the user's presets.
    TWallCategorys Categorys;
    /// The latest-updates albums.
    TWallSubjects Subjects;
    /// The user's downloads.
    TWallSubjects DSubjects;
    /// The rotation list.
    TWallPapers WallPapers;
    TWallUser WallUser;
    TWallParas WallParas;
    TWallAds WallAds;
};

} // namespace paperkit
