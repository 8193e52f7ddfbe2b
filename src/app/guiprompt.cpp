#include "app/guiprompt.h"

#include "common/product.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace payvo {

namespace {

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
    const QString file = QFileDialog::getOpenFileName(parent, title, QDir::currentPath(), qtFileFilter(filter),
                                                      nullptr, QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty())
        QDir::setCurrent(QFileInfo(file).absolutePath());
    return file;
}

QString QtFileChooser::chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, title, QDir::current().filePath(suggested), qtFileFilter(filter),
                                        nullptr, QFileDialog::DontUseNativeDialog);
}

QString QtFileChooser::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title, QDir::currentPath(), QFileDialog::DontUseNativeDialog);
}

} // namespace payvo
