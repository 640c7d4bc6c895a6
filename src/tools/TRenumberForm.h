#pragma once

#include "Renumber.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTextEdit;

namespace dolmex {

struct LanguageTables;

// The renumbering options. Created once, so its values persist between runs; its texts
// come from the language file each time it is shown.
class TRenumberForm : public QDialog {
    Q_OBJECT

public:
    explicit TRenumberForm(const LanguageTables& tables, QWidget* parent = nullptr);

    RenumberFormValues values() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    const LanguageTables& m_tables;
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QRadioButton* RB1;
    QRadioButton* RB2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLabel* Label2;
    QLabel* Label3;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
};

// The renumbering report: bold and plain lines, beside the main window.
class TRenReport : public QDialog {
    Q_OBJECT

public:
    explicit TRenReport(QWidget* parent = nullptr);

    void showReport(const std::vector<ReportLine>& lines, const std::string& caption);
    QString text() const;

private:
    QTextEdit* MainBox;
};

} // namespace dolmex
