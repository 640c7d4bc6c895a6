#pragma once

#include <QDialog>

namespace dolmex {

// The about box: the program's name, version and purpose.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);
};

} // namespace dolmex
