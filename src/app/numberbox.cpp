#include "app/numberbox.h"

#include "salary/salarysettings.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace payvo
{

namespace
{

// A key press types when it carries a printable character and is no shortcut. Control or
// Meta together with Alt is AltGr on some systems, which does type.
bool typesText(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shortcut = (mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier);
    return !shortcut;
}

bool acceptsDrop(const QMimeData* data)
{
    return data && data->hasText() && SalarySettings::isNumberText(data->text());
}

} // namespace

NumberBox::NumberBox(QWidget* parent)
    : QLineEdit(parent)
{
    setInputMethodHints(Qt::ImhDigitsOnly);
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        pasteChecked(QClipboard::Clipboard);
        return;
    }
    if (event->key() != Qt::Key_Backspace && typesText(event) && !SalarySettings::isNumberText(event->text())) {
        event->accept();
        Q_EMIT refused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (SalarySettings::isNumberText(event->commitString())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Drop the composition together with the text it would commit.
    QInputMethodEvent cleared;
    QLineEdit::inputMethodEvent(&cleared);
    event->accept();
    Q_EMIT refused();
}

QMenu* NumberBox::createCheckedContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    // The menu's Paste is wired to QLineEdit::paste(), by name or by pointer depending on the
    // Qt version; either way it is rewired to the checked paste.
    for (QAction* action : menu->actions()) {
        const bool paste = disconnect(action, &QAction::triggered, this, &QLineEdit::paste)
            || disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
        if (paste)
            connect(action, &QAction::triggered, this, [this] { pasteChecked(QClipboard::Clipboard); });
    }
    return menu;
}

void NumberBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createCheckedContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void NumberBox::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection where the platform has one.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        pasteChecked(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumberBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (acceptsDrop(event->mimeData()))
        QLineEdit::dragEnterEvent(event);
    else
        event->ignore();
}

void NumberBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (acceptsDrop(event->mimeData()))
        QLineEdit::dragMoveEvent(event);
    else
        event->ignore();
}

void NumberBox::dropEvent(QDropEvent* event)
{
    if (acceptsDrop(event->mimeData()))
        QLineEdit::dropEvent(event);
    else
        event->ignore();
}

void NumberBox::pasteChecked(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!SalarySettings::isNumberText(text)) {
        Q_EMIT refused();
        return;
    }
    if (!text.isEmpty() || hasSelectedText())
        insert(text);
}

} // namespace payvo
