#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace paperkit {

/// The local folder dialog "增加本地壁纸目录": a tree of the file system's folders rooted at
/// "/", with the home folder open and selected; a name for the entry and whether subfolders
/// count. OK is offered only while a real folder is selected.
class TFmSelfPath final : public QDialog {
    Q_OBJECT
public:
    explicit TFmSelfPath(QWidget* parent = nullptr);

    /// The selected folder's full path; empty when none is selected.
    QString SelectedPath() const;
    /// Selects this folder in the tree, as a click would.
    void SelectPath(const QString& path);

    // Controls, by the names the program gives them.
    QTreeView* ShellTreeView = nullptr;
    QLabel* PutPath = nullptr;
    QLineEdit* EdtName = nullptr;
    QCheckBox* ChkSubDir = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void ShellTreeViewChange();

    QFileSystemModel* m_model = nullptr;
};

} // namespace paperkit
