#pragma once

#include <QString>

namespace payvo
{

// Where long operations report their step and progress. The main window shows it in its
// status bar and progress bar, the CLI on stderr, the tests record it.
//
// The progress value runs from 0 to 100 and is a double: the import and the calculation
// advance it by fractions of a unit, which must add up.
class StatusSink
{
public:
    virtual ~StatusSink() = default;

    virtual void setStatusText(const QString& text) = 0;
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressValue(double value) = 0;
    virtual double progressValue() const = 0;

    // Lets pending window messages run once; nothing to do without a window.
    virtual void processPendingEvents() { }

    // Advances the progress bar by dInc. A step that would bring it to 100 or beyond is
    // dropped, so the bar never shows 100.
    void UpdateStatus(double dInc);
};

// A sink that only keeps the last values; the base of the CLI's and the tests' sinks.
class PlainStatus : public StatusSink
{
public:
    void setStatusText(const QString& text) override { m_text = text; }
    void setProgressVisible(bool visible) override { m_visible = visible; }
    void setProgressValue(double value) override { m_value = value; }
    double progressValue() const override { return m_value; }

    QString statusText() const { return m_text; }
    bool progressVisible() const { return m_visible; }

private:
    QString m_text;
    bool m_visible = false;
    double m_value = 0.0;
};

} // namespace payvo
