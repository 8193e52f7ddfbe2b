#pragma once

#include <QString>

namespace payvo
{

// Questions and messages to the user. The window shows message boxes with the
// application's title, the CLI answers from its options and prints, the tests script
// the answers. Core code asks through this and never shows a box itself.
class UserPrompt
{
public:
    enum class Icon { Exclamation, Question, Information, Critical };

    virtual ~UserPrompt() = default;

    // A message with an OK button.
    virtual void message(const QString& text, Icon icon) = 0;

    // A question with Yes and No; true only when the answer is Yes.
    virtual bool question(const QString& text, Icon icon) = 0;

    // A remark the window keeps quiet about and the CLI prints (a limit left out, say).
    virtual void remark(const QString& /*text*/) { }
};

} // namespace payvo
