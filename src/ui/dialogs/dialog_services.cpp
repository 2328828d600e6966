#include "ui/dialogs/dialog_services.h"

#include "support/globals.h"
#include "ui/categories/tfm_category_setup.h"
#include "ui/paperlist/tfm_paper_list.h"
#include "ui/setup/tfm_setup.h"

#include <QCoreApplication>
#include <QFile>

namespace paperkit {

void AddDialogServices(TFmMainServices& services, DialogsSide side) {
    services.ShowSetup = [side](QWidget* parent) {
        SetupSide setup{side.MainSetupFiles.WallParas,
                        side.CommandList,
                        side.Store,
                        side.AutoRun,
                        side.Media,
                        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
                        ProgramFolder,
                        side.ReapplyWallpaper,
                        {},
                        {},
                        {}};
        TFmSetup dialog(std::move(setup), parent);
        dialog.exec();
    };
    services.ShowCategorySetup = [side](QWidget* parent) {
        TFmCategorySetup dialog(side.MainSetupFiles.Categorys, side.CommandList, parent);
        dialog.exec();
    };
    services.ShowWallPaperList = [side](QWidget* parent) {
        TFmPaperList dialog(side.MainSetupFiles, side.CommandList, side.Slideshow, {}, parent);
        return dialog.exec() == QDialog::Accepted;
    };
}

} // namespace paperkit
