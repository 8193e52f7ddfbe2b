#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace payvo
{

class UserPrompt;

// The user guide in a window of its own: the HTML pages of the guide's folder with Back,
// Forward and Contents. It works offline and needs no other program.
class HelpWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit HelpWindow(const QString& guideDir, QWidget* parent = nullptr);

    // Shows a page of the guide, "page.html" or "page.html#section".
    void showTopic(const QString& topic);
    // The page shown, with its section: "salary-settings.html#positions".
    QString topic() const;

private:
    QString m_guideDir;
    QTextBrowser* m_browser = nullptr;
};

// The guide's page for a window or dialog: the "helpTopic" property of the widget or of a
// widget around it, else the page that a table names for the object name of the window or
// dialog it sits in (the class of a file dialog or message box), else the contents page.
QString helpTopicFor(const QWidget* widget);

// Opens the guide at topic in the help window of the window it is asked from, made on first
// use. While a modal dialog is up the help window belongs to that dialog, so that it can be
// used beside it. When the guide's page is missing, prompt says so instead.
void showHelp(const QString& guideDir, const QString& topic, QWidget* from, UserPrompt& prompt);

// F1 in any window or dialog of the application opens the guide at that window's section.
// Installed on the application object; a missing guide is reported through prompt.
class HelpKey final : public QObject
{
public:
    HelpKey(const QString& guideDir, UserPrompt& prompt, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_guideDir;
    UserPrompt& m_prompt;
};

} // namespace payvo
