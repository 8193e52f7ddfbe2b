#pragma once

#include "app/services.h"
#include "common/prompt.h"
#include "common/status.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <functional>

namespace payvo::test
{

// A prompt that answers from a prepared queue and records everything it was shown; before
// it answers a question it runs onQuestion, so that a test can change the world while the
// question is up. A question with no prepared answer fails the running test and answers No.
class ScriptedPrompt final : public UserPrompt
{
public:
    struct Shown {
        QString text;
        Icon icon;
    };

    void answer(bool yes) { m_answers << yes; }
    int pendingAnswers() const { return int(m_answers.size()); }

    void message(const QString& text, Icon icon) override { shown << Shown { text, icon }; }
    bool question(const QString& text, Icon icon) override
    {
        shown << Shown { text, icon };
        if (onQuestion)
            onQuestion();
        if (m_answers.isEmpty())
            QTest::qFail(qPrintable("unexpected question: " + text), __FILE__, __LINE__);
        return !m_answers.isEmpty() && m_answers.takeFirst();
    }
    void remark(const QString& text) override { remarks << text; }

    QList<Shown> shown;
    QStringList remarks;
    std::function<void()> onQuestion;

private:
    QList<bool> m_answers;
};

// A file dialog that hands out prepared paths; an empty path is a cancel.
class ScriptedFileChooser final : public FileChooser
{
public:
    void choose(const QString& path) { m_paths << path; }
    QString chooseOpenFile(QWidget*, const QString&, const QString&) override
    {
        return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
    }
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter, const QString&) override
    {
        return chooseOpenFile(parent, title, filter);
    }
    QString chooseFolder(QWidget* parent, const QString& title) override { return chooseOpenFile(parent, title, {}); }

private:
    QStringList m_paths;
};

// A status sink that keeps every status text and every progress value it was given, and
// runs onStatus / onProgress (with the number of the progress call, from 1) on each.
class RecordingStatus final : public PlainStatus
{
public:
    void setStatusText(const QString& text) override
    {
        PlainStatus::setStatusText(text);
        texts << text;
        if (onStatus)
            onStatus(text);
    }
    void setProgressValue(double value) override
    {
        PlainStatus::setProgressValue(value);
        values << value;
        if (onProgress)
            onProgress(int(values.size()));
    }

    QStringList texts;
    QList<double> values;
    std::function<void(const QString&)> onStatus;
    std::function<void(int)> onProgress;
};

} // namespace payvo::test
