#pragma once

#include <QWidget>

#include <functional>

class QTimer;

namespace payvo
{

// The start-up splash, kept above all other windows. Every second (Timer1) it shows the
// main window, made by the factory the first time, and lets pending events run so that
// it paints; after three seconds (Timer2) it restores the mouse pointer and goes away.
class frmSplash final : public QWidget
{
    Q_OBJECT
public:
    using MainFactory = std::function<QWidget*()>;

    explicit frmSplash(MainFactory makeMain, QWidget* parent = nullptr);
    ~frmSplash() override;

    QWidget* mainWindow() const { return m_main; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();

    MainFactory m_makeMain;
    QWidget* m_main = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    bool m_busyCursor = false;
};

} // namespace payvo
