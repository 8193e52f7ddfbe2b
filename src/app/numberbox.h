#pragma once

#include <QClipboard>
#include <QLineEdit>

class QMenu;

namespace payvo
{

// A text box that lets the user bring in digits only. A key press that would type anything
// but a digit (Backspace aside) is discarded; a paste (keys, context menu, middle button) or
// input-method text that holds anything but digits is refused whole. Each of these emits
// refused() and leaves the text as it was. A drag that carries anything but digits is not
// accepted (the cursor says so). Navigation, Delete and the editing shortcuts work as usual.
// Text set by the program is shown as it is, digits or not.
class NumberBox final : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

    // The context menu with its Paste checked like the others.
    QMenu* createCheckedContextMenu();

Q_SIGNALS:
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void pasteChecked(QClipboard::Mode mode);
};

} // namespace payvo
