#include "ui/mediator/ask_yes_no.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace paperkit {

namespace {

QPointer<QWidget> g_owner;
int g_nextAnswer = 0;

} // namespace

void SetAskYesNoOwner(QWidget* owner) {
    g_owner = owner;
}

int AskYesNo(const std::string& text) {
    if (text.empty())
        return kAnswerNo;
    if (g_nextAnswer != 0)
        return std::exchange(g_nextAnswer, 0);
    const auto pressed = QMessageBox::information(
        g_owner, QCoreApplication::translate("paperkit::AskYesNo", "青鸾画屏"),
        QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No);
    return pressed == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
}

void SetNextAskYesNoAnswer(int answer) {
    g_nextAnswer = answer;
}

} // namespace paperkit
