#pragma once

#include "salary/explain.h"

#include <QWidget>

class QFormLayout;
class QLabel;
class QTableWidget;

namespace payvo
{

// League, Explain Salary: why one player earns what he earns. A window of its own beside the
// main window (never modal); each explanation replaces the one shown. It shows the sheet the
// core makes, the same one payvo-cli explain prints.
class frmExplainSalary final : public QWidget
{
    Q_OBJECT
public:
    explicit frmExplainSalary(QWidget* parent = nullptr);

    void showSheet(const ExplanationSheet& sheet);

private:
    QLabel* lblPlayer = nullptr;
    QTableWidget* tblRatings = nullptr;
    QFormLayout* m_totals = nullptr;
    QLabel* lblNote = nullptr;
};

} // namespace payvo
