#include "support/scripted.h"

#include <QTest>

namespace payvo::test {

void ScriptedPrompt::message(const QString& text, Icon icon)
{
    shown << Shown{text, icon, false};
}

bool ScriptedPrompt::question(const QString& text, Icon icon)
{
    shown << Shown{text, icon, true};
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return false;
    }
    return m_answers.takeFirst();
}

QString ScriptedFileChooser::chooseOpenFile(QWidget*, const QString& title, const QString& filter)
{
    titles << title;
    filters << filter;
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}

} // namespace payvo::test
