#include "catalog/main_setup_files.h"

namespace paperkit {

void TMainSetupFiles::Assign(const TMainSetupFiles& other) {
    Categorys.Assign(other.Categorys);
    Subjects.Assign(other.Subjects);
    DSubjects.Assign(other.DSubjects);
    WallPapers.Assign(other.WallPapers);
    WallUser.Assign(other.WallUser);
    WallParas.Assign(other.WallParas);
    WallAds.Assign(other.WallAds);
}

} // namespace paperkit
