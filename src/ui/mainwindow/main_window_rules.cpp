#include "ui/mainwindow/main_window_rules.h"

#include <QCoreApplication>
#include <QString>

namespace paperkit {

std::string AlbumCaption(const TWallSubject& subject, const TWallCategorys& categorys) {
    std::string caption = subject.Date;
    if (const TWallCategory* category = categorys.Find(subject.Category))
        caption += "[" + category->Desc + "]";
    return caption + subject.Desc;
}

int StateIndex(bool download, bool inWallList) {
    if (download)
        return inWallList ? 0 : 1;
    return inWallList ? 2 : 3;
}

std::vector<std::string> CountSubItems(const TWallSubject& subject) {
    int done = 0;
    for (const TWallImage& image : subject.Images)
        done += image.Downloaded ? 1 : 0;
    return {std::string(), std::to_string(subject.Counts), std::to_string(done)};
}

bool Incomplete(const std::vector<std::string>& subItems) {
    const std::string total = subItems.size() > 1 ? subItems[1] : std::string();
    const std::string done = subItems.size() > 2 ? subItems[2] : std::string();
    return total != done;
}

MouseDownActions MouseDownZone(int x, int left, int width, int half, bool download,
                               bool incomplete) {
    MouseDownActions actions;
    if (x > left && x < left + width && incomplete && !download)
        actions.ToggleDownload = true;
    if (x > 0 && x < half && incomplete)
        actions.ToggleDownload = true;
    else if (x > half && x < 2 * half)
        actions.ToggleWallPaper = true;
    return actions;
}

SizeGroupLayout SizeLayout(int n) {
    if (n < 3)
        return {1, 65};
    if (n == 3)
        return {1, 89};
    if (n == 4)
        return {2, 65};
    if (n <= 6)
        return {2, 89};
    return {3, 104};
}

PopupMenuState PopupRules(bool hasItem, char pageKind, bool download, bool incomplete,
                          bool inWallList) {
    PopupMenuState state;
    if (!hasItem)
        return state;
    state.Visible = true;
    state.DeleteVisible = pageKind == '2';
    state.DownloadEnabled = !download && incomplete;
    state.ToWallPaperEnabled = !inWallList;
    state.PreviewEnabled = true;
    state.URLEnabled = true;
    return state;
}

int RowAfterDelete(int removed, int countAfter) {
    if (removed < countAfter)
        return removed;
    if (removed - 1 >= 0 && removed - 1 < countAfter)
        return removed - 1;
    return countAfter > 0 ? countAfter - 1 : -1;
}

AdLine AdAt(const TWallAds& ads, int index) {
    if (const TWallAd* ad = ads.Get(index))
        return {ad->Text, ad->URL};
    return {kDefaultAdText, kHomePage};
}

int NextAdIndex(int index, int count) {
    ++index;
    return index >= count ? 0 : index;
}

std::string WebDownloadLine(const std::vector<std::string>& paths) {
    if (paths.empty())
        return {};
    std::string line = "WebDownload:";
    for (const std::string& path : paths)
        line += path + "\r\n";
    return line;
}

std::string AlbumCommand(const char* name, char pageKind, int id) {
    return (pageKind == '2' ? "D" : "") + std::string(name) + ":" + std::to_string(id);
}

std::string StateDescription(const TWallSubject& subject,
                             const std::vector<std::string>& subItems) {
    const std::string total = subItems.size() > 1 ? subItems[1] : "0";
    const std::string done = subItems.size() > 2 ? subItems[2] : "0";
    QString text = subject.Download
                       ? QCoreApplication::translate("paperkit::TFmMain", "下载 %1/%2")
                       : QCoreApplication::translate("paperkit::TFmMain", "不下载 %1/%2");
    text = text.arg(QString::fromStdString(done), QString::fromStdString(total));
    if (subject.InWallList)
        text += QCoreApplication::translate("paperkit::TFmMain", "，在当前壁纸列表中");
    return text.toStdString();
}

} // namespace paperkit
