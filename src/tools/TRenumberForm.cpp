#include "TRenumberForm.h"

#include "core/Cp1251.h"
#include "lang/LanguageTables.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace dolmex {

namespace {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* NumberEdit(const char* name, const char* text) {
    auto* edit = Named(new QLineEdit(QString::fromLatin1(text)), name);
    edit->setMaxLength(2);
    edit->setMaximumWidth(40);
    return edit;
}

} // namespace

TRenumberForm::TRenumberForm(const LanguageTables& tables, QWidget* parent)
    : QDialog(parent), m_tables(tables) {
    setObjectName(QStringLiteral("TRenumberForm"));
    setWindowFlag(Qt::Tool);
    setModal(true);
    GroupBox1 = Named(new QGroupBox, "GroupBox1");
    RB1 = Named(new QRadioButton, "RB1");
    RB2 = Named(new QRadioButton, "RB2");
    RB1->setChecked(true);
    Edit1 = NumberEdit("Edit1", "1");
    Edit2 = NumberEdit("Edit2", "1");
    Edit3 = NumberEdit("Edit3", "10");
    Label2 = Named(new QLabel, "Label2");
    Label3 = Named(new QLabel, "Label3");
    auto* schemes = new QGridLayout(GroupBox1);
    schemes->addWidget(RB1, 0, 0);
    schemes->addWidget(Edit1, 0, 1);
    schemes->addWidget(RB2, 1, 0);
    schemes->addWidget(Label3, 1, 1);
    schemes->addWidget(Edit3, 1, 2);
    schemes->addWidget(Label2, 1, 3);
    schemes->addWidget(Edit2, 1, 4);

    GroupBox2 = Named(new QGroupBox, "GroupBox2");
    CheckBox1 = Named(new QCheckBox, "CheckBox1");
    CheckBox2 = Named(new QCheckBox, "CheckBox2");
    CheckBox3 = Named(new QCheckBox, "CheckBox3");
    auto* checks = new QVBoxLayout(GroupBox2);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) {
        box->setChecked(true);
        checks->addWidget(box);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(buttons);
}

RenumberFormValues TRenumberForm::values() const {
    RenumberFormValues v;
    v.blocks = RB2->isChecked();
    const auto bytes = [](const QLineEdit* edit) { return ToCp1251(edit->text()).value_or(""); };
    v.edit1 = bytes(Edit1);
    v.edit2 = bytes(Edit2);
    v.edit3 = bytes(Edit3);
    v.checkBox1 = CheckBox1->isChecked();
    v.checkBox2 = CheckBox2->isChecked();
    v.checkBox3 = CheckBox3->isChecked();
    return v;
}

void TRenumberForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TRenumberForm::FormShow() {
    for (const FormCaption& caption : kRenumberFormCaptions) {
        const QString text = FromCp1251(m_tables.captions[caption.entry]);
        const QString name = QString::fromLatin1(caption.control);
        if (name == objectName())
            setWindowTitle(text);
        else if (auto* box = findChild<QGroupBox*>(name))
            box->setTitle(text);
        else if (auto* button = findChild<QAbstractButton*>(name))
            button->setText(text);
        else if (auto* label = findChild<QLabel*>(name))
            label->setText(text);
    }
}

TRenReport::TRenReport(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TRenReport"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint);
    setModal(false);
    resize(465, 204);
    MainBox = Named(new QTextEdit, "MainBox");
    MainBox->setReadOnly(true);
    MainBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MainBox);
}

void TRenReport::showReport(const std::vector<ReportLine>& lines, const std::string& caption) {
    QString html;
    for (const ReportLine& line : lines) {
        const QString text = FromCp1251(line.text).toHtmlEscaped();
        html +=
            line.bold ? QStringLiteral("<b>%1</b><br>").arg(text) : text + QStringLiteral("<br>");
    }
    MainBox->setHtml(html);
    setWindowTitle(FromCp1251(caption));
    show();
    raise();
}

QString TRenReport::text() const {
    return MainBox->toPlainText();
}

} // namespace dolmex
