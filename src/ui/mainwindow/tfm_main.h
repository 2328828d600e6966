#pragma once

#include "app/down_http_thread.h"
#include "catalog/main_setup_files.h"
#include "ui/mainwindow/main_window_services.h"
#include "ui/mediator/window_seams.h"

#include <QWidget>
#include <vector>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTimer;

namespace paperkit {

class AlbumListModel;
class TUrlLabel;
class TCoverButton;

/// The main window: the latest albums and the user's downloads with their progress, the selected
/// album's details and sizes, and the buttons to the other windows. Every change goes into the
/// windows' catalog at once and is announced to the coordinator on the command list. It frees
/// itself when closed.
class TFmMain final : public QWidget, public MainWindowSeam {
    Q_OBJECT
public:
    /// The catalog and the command list are the windows' own and must outlive the window.
    TFmMain(TMainSetupFiles& mainSetupFiles, CommandLines& commandList, TFmMainServices services,
            QWidget* parent = nullptr);
    ~TFmMain() override;

    /// Page kind of a list: '1' the latest updates, '2' the downloads.
    QTableView* List(char pageKind) const;
    AlbumListModel& Model(char pageKind) const;
    /// The active page's kind.
    char PageKind() const;
    /// The selected row of a list, or -1.
    int SelectedRow(char pageKind) const;

    /// Refills both lists from the catalog, selects their first albums, shows the active page's
    /// album and restarts the ads.
    void RefreshLists() override;
    /// Brings the row's sub-items (with counts) and state picture up to date; redraws its progress
    /// with redraw.
    void RefreshItem(char pageKind, int row, bool redraw, bool counts);
    /// Shows an album in the details panel, or clears it for nullptr; covers and sizes are those
    /// of the active page.
    void ShowSubjectInfo(const TWallSubject* subject);
    // What the windows' mediator asks of the window.
    std::optional<int> SelectedAlbum(AlbumList list) const override;
    void RefreshItem(AlbumList list, int albumId) override;
    /// The details panel shows the active page's album; an album of the other page waits until
    /// its page is shown.
    void ShowSubjectInfo(AlbumList list) override;
    void ShowNewestDownload() override { ShowLastDownload(); }

    /// The state pictures of every row, after the rotation list changed elsewhere.
    void RefreshStates();
    /// Switches to "我的下载" with its last album selected, and brings the window up.
    void ShowLastDownload();

    /// The coordinator's events as they concern this window: an album's cover, and one picture.
    void OnSubjectDownloaded(char pageKind, int id);
    void OnImageDownloaded(char pageKind, int id, int no);

    /// The actions on a row of the active page, as the list and the menu run them.
    void ToggleDownload(int row);
    void ToggleWallPaper(int row);
    /// The size group's item at the index was chosen (0 is "不下载").
    void RdgSizeClick(int index);
    void MenuReDownloadClick();
    void MenuDeleteClick();
    void MenuURLClick();
    void StartSlideshow();
    /// Shows and enables the popup menu's items for the selection; true when it has items.
    bool PopupMenuPopup();
    /// The ad now shown.
    int AdIndex() const { return m_adIndex; }
    void TimerAdTimer();

    // Controls, by the names the program gives them.
    QTabWidget* PageMain = nullptr;
    QWidget* SheetNew = nullptr;
    QWidget* SheetDownload = nullptr;
    QTableView* ListTitle = nullptr;
    QTableView* ListDownloadSubject = nullptr;
    QLabel* PutTitleCaption = nullptr;
    TCoverButton* ImgTitle = nullptr;
    QLabel* PutTitleRemark = nullptr;
    TUrlLabel* PutURL = nullptr;
    QLabel* PutCounts = nullptr;
    QPushButton* BtnPreview = nullptr;
    QGroupBox* RdgSize = nullptr;
    QPushButton* BtnCategory = nullptr;
    QPushButton* BtnCheckNew = nullptr;
    QPushButton* BtnOpenPkd = nullptr;
    QPushButton* BtnWallPaperList = nullptr;
    QPushButton* BtnSetup = nullptr;
    TUrlLabel* PutAd = nullptr;
    QPushButton* BtnExit = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* MenuDownload = nullptr;
    QAction* MenuToWallPaper = nullptr;
    QAction* MenuPreview = nullptr;
    QAction* MenuURL = nullptr;
    QAction* MenuDelete = nullptr;
    QAction* MenuReDownload = nullptr;
    QTimer* TimerAd = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPages();
    void BuildDetails();
    void BuildBottomRow();
    void BuildPopupMenu();
    QTableView* MakeList(AlbumListModel* model, const QString& name, QWidget* parent);
    void FillList(char pageKind);
    void SelectRow(char pageKind, int row);
    void ListTitleSelectItem(char pageKind);
    void ListTitleMouseDown(char pageKind, const QPoint& point);
    void ShowPopup(char pageKind, const QPoint& point);
    void SetSizeItems(const std::vector<QString>& items, int selected);
    void ShowAd();
    void BtnOpenPkdClick();
    void Post(std::string line);
    TWallSubject* Selected();
    TWallSubjects& Albums(char pageKind);

    TMainSetupFiles& m_setup;
    CommandLines& m_commands;
    TFmMainServices m_services;
    AlbumListModel* m_newModel = nullptr;
    AlbumListModel* m_downModel = nullptr;
    QButtonGroup* m_sizeGroup = nullptr;
    std::vector<QRadioButton*> m_sizeButtons;
    bool m_selectDetached = false;
    bool m_sizeDetached = false;
    int m_adIndex = 0;
};

} // namespace paperkit
