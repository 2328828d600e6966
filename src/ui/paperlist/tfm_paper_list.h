#pragma once

#include "app/down_http_thread.h"
#include "catalog/main_setup_files.h"
#include "ui/mediator/window_seams.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace paperkit {

class SlideshowLauncher;

/// What the local folder dialog gave: the folder, the entry's name, whether subfolders count.
struct LocalFolderChoice {
    QString Path;
    QString Name;
    bool IncludeSubfolders = true;
};

/// The rotation list dialog "当前壁纸更换列表": the rotation list's entries, moved, removed, played
/// full screen, and local folders added. OK makes the windows' rotation list the list shown;
/// Cancel forgets the moves and removals (an added folder stays).
class TFmPaperList final : public QDialog, public PaperListSeam {
    Q_OBJECT
public:
    /// Runs the local folder dialog; nullopt when it was cancelled.
    using FolderChooser = std::function<std::optional<LocalFolderChoice>(QWidget* parent)>;

    /// The catalog, the command list and the slideshow outlive the dialog. Without a chooser the
    /// real local folder dialog is shown.
    TFmPaperList(TMainSetupFiles& mainSetupFiles, CommandLines& commandList,
                 SlideshowLauncher& slideshow, FolderChooser chooseFolder = {},
                 QWidget* parent = nullptr);
    ~TFmPaperList() override;

    /// One item per rotation entry, in order, the first selected.
    void FillList() override;
    /// The entry an item stands for; nullptr for no item, or an entry no longer in the list.
    TWallPaper* Record(int row) const;

    void BtnUpClick();
    void BtnDownClick();
    void BtnDeleteClick();
    void BtnClearAllClick();
    void BtnPathClick();
    void BtnPreviewClick();
    void BtnOkClick();

    // Controls, by the names the program gives them.
    QLabel* Label1 = nullptr;
    QListWidget* ListView = nullptr;
    QPushButton* BtnUp = nullptr;
    QPushButton* BtnDown = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnClearAll = nullptr;
    QPushButton* BtnPath = nullptr;
    QPushButton* BtnPreview = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void AddItem(const QString& caption, TWallPaper* record, int row = -1);
    void MoveSelected(int step);

    TMainSetupFiles& m_setup;
    CommandLines& m_commands;
    SlideshowLauncher& m_slideshow;
    FolderChooser m_chooseFolder;
};

/// Shows the real local folder dialog modally.
std::optional<LocalFolderChoice> ChooseLocalFolder(QWidget* parent);

} // namespace paperkit
