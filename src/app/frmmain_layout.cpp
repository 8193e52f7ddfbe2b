// The main window's size, place and column widths between runs.
#include "app/frmmain.h"

#include "common/settingsstore.h"
#include "store/browse.h"

#include <QHeaderView>
#include <QStringList>
#include <QTreeView>

namespace payvo
{

namespace
{

const QString kSection = QStringLiteral("Window");
const QString kGeometry = QStringLiteral("Geometry");
const QString kColumns = QStringLiteral("ColumnWidths");

// Widths a person can have dragged a column to; a stored value outside them is passed over.
constexpr int kNarrowest = 4;
constexpr int kWidest = 2000;

} // namespace

void frmMain::restoreWindowLayout()
{
    // The settings store is the user's to edit: anything that does not read as a geometry or
    // as one width per column leaves the form's sizes.
    restoreGeometry(QByteArray::fromBase64(readSetting(kSection, kGeometry).toLatin1()));
    const QStringList widths = readSetting(kSection, kColumns).split(QLatin1Char(','));
    if (widths.size() != kPlayerColumnCount)
        return;
    QHeaderView* header = lvwRookies->header();
    for (int c = 0; c < kPlayerColumnCount; ++c) {
        bool ok = false;
        const int width = widths[c].toInt(&ok);
        if (ok && width >= kNarrowest && width <= kWidest && header->sectionResizeMode(c) == QHeaderView::Interactive)
            header->resizeSection(c, width);
    }
}

void frmMain::saveWindowLayout() const
{
    writeSetting(kSection, kGeometry, QString::fromLatin1(saveGeometry().toBase64()));
    QStringList widths;
    for (int c = 0; c < kPlayerColumnCount; ++c)
        widths << QString::number(lvwRookies->header()->sectionSize(c));
    writeSetting(kSection, kColumns, widths.join(QLatin1Char(',')));
}

} // namespace payvo
