#include "ui/paperlist/tfm_self_path.h"

#include "ui/skin/modal_button.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace paperkit {

namespace {

template <typename W> W* Named(W* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

} // namespace

TFmSelfPath::TFmSelfPath(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FmSelfPath"));
    setWindowTitle(tr("增加本地壁纸目录"));
    setAccessibleName(windowTitle());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(565, 431);

    auto* label = new QLabel(tr("请选择目录"), this);
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QDir::rootPath());
    ShellTreeView = Named(new QTreeView(this), "ShellTreeView", tr("目录"));
    ShellTreeView->setModel(m_model);
    ShellTreeView->setRootIndex(m_model->index(QDir::rootPath()));
    ShellTreeView->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        ShellTreeView->hideColumn(column);
    label->setBuddy(ShellTreeView);

    PutPath = Named(new QLabel(this), "PutPath", tr("所选目录"));
    PutPath->setTextFormat(Qt::PlainText);
    PutPath->setWordWrap(true);
    auto* nameLabel = new QLabel(tr("目录名称"), this);
    EdtName = Named(new QLineEdit(this), "EdtName", tr("目录名称"));
    nameLabel->setBuddy(EdtName);
    ChkSubDir = Named(new QCheckBox(tr("遍历该目录下所有子目录图片"), this), "ChkSubDir",
                      tr("遍历该目录下所有子目录图片"));
    ChkSubDir->setChecked(true);
    BtnOk = Named(new QPushButton(tr("确定"), this), "BtnOk", tr("确定"));
    BtnCancel = Named(new QPushButton(tr("取消"), this), "BtnCancel", tr("取消"));
    BtnOk->setDefault(true);
    BtnOk->setEnabled(false);
    ConnectModalButton(BtnOk, this, QDialog::Accepted);
    ConnectModalButton(BtnCancel, this, QDialog::Rejected);

    auto* name = new QHBoxLayout;
    name->addWidget(nameLabel);
    name->addWidget(EdtName, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ChkSubDir);
    bottom->addStretch(1);
    bottom->addWidget(BtnOk);
    bottom->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(ShellTreeView, 1);
    layout->addWidget(PutPath);
    layout->addLayout(name);
    layout->addLayout(bottom);

    connect(ShellTreeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ShellTreeViewChange(); });
    SelectPath(QDir::homePath());
}

QString TFmSelfPath::SelectedPath() const {
    const QModelIndex index = ShellTreeView->currentIndex();
    if (!index.isValid())
        return {};
    const QString path = m_model->filePath(index);
    return QFileInfo(path).isDir() ? QDir::toNativeSeparators(path) : QString();
}

void TFmSelfPath::SelectPath(const QString& path) {
    const QModelIndex index = m_model->index(path);
    if (!index.isValid())
        return;
    ShellTreeView->expand(index);
    ShellTreeView->setCurrentIndex(index);
    ShellTreeView->scrollTo(index);
}

void TFmSelfPath::ShellTreeViewChange() {
    const QString path = SelectedPath();
    EdtName->setText(path);
    PutPath->setText(path);
    BtnOk->setEnabled(!path.isEmpty());
}

} // namespace paperkit
