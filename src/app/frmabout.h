#pragma once

#include <QDialog>

namespace payvo {

// The about box: title, version, what the program is for, the maker and his web site.
class frmAbout final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

} // namespace payvo
