#pragma once

#include "app/down_http_thread.h"
#include "catalog/wall_paras.h"

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace paperkit {

class Autostart;
class MediaCommands;
class SettingsStore;
class TSpinEdit;

/// What the settings dialog works on; all of it outlives the dialog. The choosers and the error
/// notice may stay empty: the desktop's own dialogs are used then.
struct SetupSide {
    /// The windows' settings record, changed in place on OK.
    TWallParas& Paras;
    CommandLines& CommandList;
    /// Holds the wallpaper style ("Control Panel\Desktop").
    SettingsStore& Store;
    Autostart& AutoRun;
    MediaCommands& Media;
    /// The program file that the autostart entry starts.
    std::filesystem::path ProgramFile;
    /// Holds the default music "default.wma".
    std::filesystem::path ProgramFolder;
    /// Applies the current wallpaper again, in the style just stored.
    std::function<void()> ReapplyWallpaper;
    /// A folder the user picked, or empty.
    std::function<QString(QWidget* parent)> ChooseFolder;
    /// A music file the user picked, or empty.
    std::function<QString(QWidget* parent)> ChooseMusicFile;
    /// Tells the user that something failed.
    std::function<void(QWidget* parent, const QString& text)> ShowError;
};

/// The settings dialog "青鸾画屏设置": the download folder and autostart, the automatic change and
/// the wallpaper style, and the slideshow with its music. Nothing is written before OK.
class TFmSetup final : public QDialog {
    Q_OBJECT
public:
    explicit TFmSetup(SetupSide side, QWidget* parent = nullptr);
    ~TFmSetup() override;

    /// The index of the page list's entry now shown.
    int CurrentPage() const;

    void BtnOkClick();
    void BtnDownloadPathClick();
    void ChbPlayMusicClick();
    void BtnMusicDefineClick();
    void BtnPlayMusicClick();
    void BtnStopMusicClick();

    // Controls, by the names the program gives them.
    QListWidget* List = nullptr;
    QStackedWidget* PnlMain = nullptr;
    QLineEdit* EdtDownloadPath = nullptr;
    QToolButton* BtnDownloadPath = nullptr;
    QCheckBox* ChbAutoRun = nullptr;
    QCheckBox* ChbChangeWall = nullptr;
    TSpinEdit* EdtChangeHour = nullptr;
    TSpinEdit* EdtChangeMinute = nullptr;
    TSpinEdit* EdtChangeSecond = nullptr;
    QButtonGroup* RdgWallPaperStyle = nullptr;
    TSpinEdit* EdtInterval = nullptr;
    QCheckBox* ChbSpecialStyle = nullptr;
    QCheckBox* ChbRecycle = nullptr;
    QCheckBox* ChbPlayMusic = nullptr;
    QToolButton* BtnPlayMusic = nullptr;
    QToolButton* BtnStopMusic = nullptr;
    QRadioButton* RbMusicSys = nullptr;
    QRadioButton* RbMusicDefine = nullptr;
    QLineEdit* EdtMusicDefine = nullptr;
    QToolButton* BtnMusicDefine = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    QWidget* BuildBasicPage();
    QWidget* BuildChangePage();
    QWidget* BuildShowPage();
    void LoadSettings();
    void LoadAutoRun();
    bool SaveAutoRun();
    void Notify(const QString& text);

    SetupSide m_side;
};

} // namespace paperkit
