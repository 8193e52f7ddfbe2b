#include "app/guiprompt.h"

#include "common/product.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace payvo
{

namespace
{

QMessageBox::Icon boxIcon(UserPrompt::Icon icon)
{
    switch (icon) {
    case UserPrompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case UserPrompt::Icon::Question:
        return QMessageBox::Question;
    case UserPrompt::Icon::Information:
        return QMessageBox::Information;
    case UserPrompt::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The detail view's columns (name, size, type, date) as wide as what they show, once the
// folder is read, and the dialog wide enough for them as far as the screen allows.
void showColumnsUncut(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!view || !model)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [&dialog, view] {
        int wanted = 0;
        for (int c = 0; c < view->header()->count(); ++c) {
            view->resizeColumnToContents(c);
            wanted += view->header()->sectionSize(c);
        }
        const int missing = wanted - view->viewport()->width();
        if (missing <= 0)
            return;
        int width = dialog.width() + missing + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (const QScreen* screen = dialog.screen())
            width = std::min(width, screen->availableGeometry().width());
        dialog.resize(width, dialog.height());
    });
}

} // namespace

void MessageBoxPrompt::message(const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool MessageBoxPrompt::question(const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), QString::fromLatin1(kAppTitle), text, QMessageBox::Yes | QMessageBox::No,
        QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

QString qtFileFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    return filters.join(QStringLiteral(";;"));
}

QString QtFileChooser::chooseOpenFile(QWidget* parent, const QString& title, const QString& filter)
{
    QFileDialog dialog(parent, title, QDir::currentPath(), qtFileFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setViewMode(QFileDialog::Detail);
    showColumnsUncut(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString file = dialog.selectedFiles().constFirst();
    if (!file.isEmpty())
        QDir::setCurrent(QFileInfo(file).absolutePath());
    return file;
}

QString QtFileChooser::chooseSaveFile(
    QWidget* parent, const QString& title, const QString& filter, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, title, QDir::current().filePath(suggested), qtFileFilter(filter),
        nullptr, QFileDialog::DontUseNativeDialog);
}

QString QtFileChooser::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title, QDir::currentPath(), QFileDialog::DontUseNativeDialog);
}

} // namespace payvo
