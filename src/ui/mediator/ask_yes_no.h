#pragma once

#include <string>

class QWidget;

namespace paperkit {

inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

/// The window that owns the question boxes (the navigator panel); nullptr for none.
void SetAskYesNoOwner(QWidget* owner);

/// A modal Yes/No question titled "青鸾画屏": kAnswerYes or kAnswerNo. An empty text asks
/// nothing and answers no.
int AskYesNo(const std::string& text);

/// Tests: the next question is answered with this, without a box.
void SetNextAskYesNoAnswer(int answer);

} // namespace paperkit
