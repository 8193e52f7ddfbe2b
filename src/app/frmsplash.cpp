#include "app/frmsplash.h"

#include "common/product.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace payvo
{

frmSplash::frmSplash(MainFactory makeMain, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_makeMain(std::move(makeMain))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 240);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(3000);
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setSingleShot(true);
    connect(Timer2, &QTimer::timeout, this, &frmSplash::Timer2_Timer);
}

frmSplash::~frmSplash()
{
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Started on show rather than on activation: without a window manager a window
    // never becomes active.
    if (!Timer1->isActive()) {
        Timer1->start();
        Timer2->start();
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_busyCursor = true;
        raise();
    }
}

void frmSplash::Timer1_Timer()
{
    if (!m_main && m_makeMain)
        m_main = m_makeMain();
    if (m_main) {
        m_main->show();
        raise(); // the splash stays above the main window
    }
    QApplication::processEvents();
}

void frmSplash::Timer2_Timer()
{
    if (m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    Timer1->stop();
    close();
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(22, 58, 34));
    g.setColorAt(1, QColor(44, 110, 60));
    p.fillRect(rect(), g);

    // Yard lines across the field.
    p.setPen(QPen(QColor(255, 255, 255, 60), 2));
    for (int x = 30; x < width(); x += 45)
        p.drawLine(x, 0, x, height());

    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(40);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 40, width(), 80), Qt::AlignCenter, QLatin1String(kAppTitle));

    QFont small = font();
    small.setPointSize(11);
    p.setFont(small);
    p.drawText(
        QRect(0, 120, width(), 30), Qt::AlignCenter, QStringLiteral("Salaries and the salary cap for your league"));
    p.drawText(QRect(0, 190, width(), 30), Qt::AlignCenter, QStringLiteral("Version %1").arg(QLatin1String(kVersion)));
    p.setPen(QColor(255, 255, 255, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace payvo
