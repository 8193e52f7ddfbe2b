#pragma once

#include "app/services.h"
#include "common/prompt.h"
#include "common/status.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace payvo::test {

// A prompt that answers from a prepared queue and records everything it was shown.
// A question with no prepared answer fails the running test and answers No.
class ScriptedPrompt final : public UserPrompt {
public:
    struct Shown {
        QString text;
        Icon icon;
        bool isQuestion;
    };

    void answer(bool yes) { m_answers << yes; }

    void message(const QString& text, Icon icon) override;
    bool question(const QString& text, Icon icon) override;
    void remark(const QString& text) override { remarks << text; }

    QList<Shown> shown;
    QStringList remarks;
    int pendingAnswers() const { return int(m_answers.size()); }

private:
    QList<bool> m_answers;
};

// A prompt that answers every question with Yes and runs an action first, so that a test can
// change the world while the question is up. Messages are recorded.
class ActingPrompt final : public UserPrompt {
public:
    std::function<void()> onQuestion;
    QStringList questions;
    QStringList messages;

    void message(const QString& text, Icon) override { messages << text; }
    bool question(const QString& text, Icon) override
    {
        questions << text;
        if (onQuestion)
            onQuestion();
        return true;
    }
};

// A file dialog that hands out prepared paths (an empty path is a cancel) and records
// the titles and filters it was opened with.
class ScriptedFileChooser final : public FileChooser {
public:
    void choose(const QString& path) { m_paths << path; }
    QString chooseOpenFile(QWidget* parent, const QString& title, const QString& filter) override;

    QStringList titles;
    QStringList filters;

private:
    QStringList m_paths;
};

// A status sink that keeps every status text and every progress value it was given.
class RecordingStatus final : public PlainStatus {
public:
    void setStatusText(const QString& text) override
    {
        PlainStatus::setStatusText(text);
        texts << text;
    }
    void setProgressValue(double value) override
    {
        PlainStatus::setProgressValue(value);
        values << value;
    }
    void processPendingEvents() override { ++eventPasses; }

    QStringList texts;
    QList<double> values;
    int eventPasses = 0;
};

} // namespace payvo::test
