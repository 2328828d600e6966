#pragma once

#include "catalog/wall_paras.h"
#include "ui/media/media_commands.h"
#include "ui/slideshow/slideshow_timer.h"
#include "ui/slideshow/style_source.h"

#include <QDialog>
#include <QRect>
#include <QStringList>
#include <memory>

class QAction;
class QMenu;

namespace paperkit {

class TTransitionImage;

/// What the slideshow window works with, handed in so that tests can replace each part.
struct SlideshowServices {
    MediaCommands& media;
    StyleSource& styles;
    /// Null: the real 500 ms timer.
    std::unique_ptr<SlideshowTimer> timer;
    /// Empty: the primary screen.
    QRect screen;
};

/// The full-screen slideshow: plays the path list one picture after another, each brought in by
/// a transition effect, with optional background music. Fill Paths() before showing it (modally);
/// it closes itself at once on an empty list. Menu changes last only for this showing.
class TFmShowImage : public QDialog {
    Q_OBJECT

public:
    /// The media alias of the background music.
    static constexpr const char* kMusicAlias = "bkfilename";

    /// `paras` must outlive the window; Interval is read again at every automatic step.
    TFmShowImage(const TWallParas& paras, SlideshowServices services, QWidget* parent = nullptr);
    ~TFmShowImage() override;

    /// The full paths of the pictures, in play order.
    QStringList& Paths() { return m_paths; }
    /// The picture shown.
    int Index() const { return m_index; }
    int Countdown() const { return m_countdown; }
    bool MusicOpened() const { return m_musicOpened; }
    const QString& MusicFile() const { return m_musicFile; }
    TTransitionImage* Image() const { return m_image; }

    void MenuFirstClick();
    void MenuPriorClick();
    void MenuNextClick();
    void MenuLastClick();
    void MenuAutoPlayClick();
    void MenuPlayReCycleClick();
    void MenuMusicClick();
    void MenuCloseClick();
    void TimerTimer();

    /// Every way of closing ends here: the timer stops and the music is closed.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void ShowPicture();
    void Step(int newIndex);
    void OpenMusic();
    void Send(const std::string& command);
    QAction* AddItem(const char* name, const QString& text, void (TFmShowImage::*handler)(),
                     bool checkable = false);

    const TWallParas& m_paras;
    MediaCommands& m_media;
    StyleSource& m_styles;
    std::unique_ptr<SlideshowTimer> m_timer;
    QRect m_screen;

    TTransitionImage* m_image = nullptr;
    QMenu* m_popupMenu = nullptr;
    QAction* m_menuFirst = nullptr;
    QAction* m_menuPrior = nullptr;
    QAction* m_menuNext = nullptr;
    QAction* m_menuLast = nullptr;
    QAction* m_menuAutoPlay = nullptr;
    QAction* m_menuPlayReCycle = nullptr;
    QAction* m_menuMusic = nullptr;
    QAction* m_menuClose = nullptr;

    QStringList m_paths;
    int m_index = 0;
    int m_countdown = 0;
    bool m_musicOpened = false;
    QString m_musicFile;
    bool m_shown = false;
};

} // namespace paperkit
