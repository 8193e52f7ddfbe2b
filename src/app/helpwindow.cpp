#include "app/helpwindow.h"

#include "common/product.h"
#include "common/prompt.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace payvo
{

namespace
{

// The guide's section of each window and dialog, by object name or class.
struct Topic {
    const char* window;
    const char* topic;
};
constexpr Topic kTopics[] = {
    { "frmMain", "players.html" },
    { "frmSalarySettings", "salary-settings.html" },
    { "frmSettings", "reports.html#html-settings" },
    { "frmAbout", "index.html" },
    { "QFileDialog", "first-league.html#file-dialog" },
    { "QMessageBox", "troubleshooting.html" },
};

const QString kContents = QStringLiteral("index.html");

QString pageOf(const QString& topic)
{
    return topic.section(QLatin1Char('#'), 0, 0);
}

} // namespace

HelpWindow::HelpWindow(const QString& guideDir, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , m_guideDir(guideDir)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("%1 Help").arg(QLatin1String(kAppTitle)));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("User guide"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({ guideDir });
    setCentralWidget(m_browser);

    auto* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("helpNavigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto action = [this, bar](const char* name, const QString& text, QStyle::StandardPixmap icon,
                            const QList<QKeySequence>& keys) {
        QAction* a = bar->addAction(style()->standardIcon(icon), text);
        a->setObjectName(QLatin1String(name));
        a->setShortcuts(keys);
        a->setToolTip(QStringLiteral("%1 (%2)").arg(
            QString(text).remove(QLatin1Char('&')), keys.first().toString(QKeySequence::NativeText)));
        return a;
    };
    QAction* back = action(
        "helpBack", QStringLiteral("&Back"), QStyle::SP_ArrowBack, QKeySequence::keyBindings(QKeySequence::Back));
    QAction* forward = action("helpForward", QStringLiteral("&Forward"), QStyle::SP_ArrowForward,
        QKeySequence::keyBindings(QKeySequence::Forward));
    QAction* contents = action(
        "helpContents", QStringLiteral("&Contents"), QStyle::SP_DirHomeIcon, { QKeySequence(Qt::ALT | Qt::Key_Home) });
    QAction* close = action("helpClose", QStringLiteral("C&lose"), QStyle::SP_DialogCloseButton,
        { QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close) });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, [this] { showTopic(kContents); });
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("%1 - %2 Help").arg(m_browser->documentTitle(), QLatin1String(kAppTitle)));
    });
    resize(860, 680);
}

void HelpWindow::showTopic(const QString& topic)
{
    QUrl url = QUrl::fromLocalFile(QDir(m_guideDir).filePath(pageOf(topic)));
    url.setFragment(topic.section(QLatin1Char('#'), 1));
    m_browser->setSource(url);
    m_browser->setFocus();
}

QString HelpWindow::topic() const
{
    const QUrl url = m_browser->source();
    const QString page = QFileInfo(url.toLocalFile()).fileName();
    return url.hasFragment() ? page + QLatin1Char('#') + url.fragment() : page;
}

QString helpTopicFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant own = w->property("helpTopic");
        if (own.isValid())
            return own.toString();
        if (!w->isWindow())
            continue;
        for (const Topic& t : kTopics) {
            if (w->objectName() == QLatin1String(t.window) || w->inherits(t.window))
                return QLatin1String(t.topic);
        }
    }
    return kContents;
}

void showHelp(const QString& guideDir, const QString& topic, QWidget* from, UserPrompt& prompt)
{
    if (!QFileInfo(QDir(guideDir).filePath(pageOf(topic))).isFile()) {
        prompt.message(QStringLiteral("The user guide was not found: %1")
                           .arg(QDir::toNativeSeparators(QDir(guideDir).filePath(kContents))),
            UserPrompt::Icon::Exclamation);
        return;
    }
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner && from)
        owner = from->window();
    HelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* h = qobject_cast<HelpWindow*>(w);
        if (h && h->parentWidget() == owner)
            help = h;
    }
    if (!help)
        help = new HelpWindow(guideDir, owner);
    help->showTopic(topic);
    help->show();
    help->raise();
    help->activateWindow();
}

HelpKey::HelpKey(const QString& guideDir, UserPrompt& prompt, QObject* parent)
    : QObject(parent)
    , m_guideDir(guideDir)
    , m_prompt(prompt)
{
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1
        || static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (qobject_cast<HelpWindow*>(widget->window()))
        return true;
    showHelp(m_guideDir, helpTopicFor(widget), widget, m_prompt);
    return true;
}

} // namespace payvo
