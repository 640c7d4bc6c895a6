#include "DescriptionPane.h"

#include "interp/Navigation.h"
#include "ui/Cp1251.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace dolmex {

namespace {

constexpr int kPassingMessageMs = 8000;

} // namespace

DescriptionPane::DescriptionPane(const LanguageTables& tables, QStatusBar& statusBar,
                                 QObject* parent)
    : QObject(parent), m_tables(tables) {
    LineDesc = new QTextEdit;
    LineDesc->setObjectName(QStringLiteral("LineDesc"));
    LineDesc->setReadOnly(true);
    LineDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    GB1 = new QGroupBox;
    GB1->setObjectName(QStringLiteral("GB1"));
    MoveList = new QListWidget(GB1);
    MoveList->setObjectName(QStringLiteral("MoveList"));
    auto* groupLayout = new QVBoxLayout(GB1);
    groupLayout->setContentsMargins(2, 2, 2, 2);
    groupLayout->addWidget(MoveList);

    m_split = new QSplitter(Qt::Horizontal);
    m_split->addWidget(LineDesc);
    m_split->addWidget(GB1);
    m_split->setStretchFactor(0, 1);
    m_split->setStretchFactor(1, 0);
    m_split->setSizes({600, 136});

    statusBar.setObjectName(QStringLiteral("SB"));
    const int widths[] = {300, 300, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setObjectName(QStringLiteral("SBPanel%1").arg(i));
        // The comment panels keep their width however long the comment is.
        if (i < 2)
            m_panels[i]->setFixedWidth(widths[i]);
        else
            m_panels[i]->setMinimumWidth(widths[i]);
        statusBar.addWidget(m_panels[i]);
    }
    // What a command did ("Saved 53 lines to ..."), beside the three panels, which keep
    // their own texts.
    m_passingMessage = new QLabel;
    m_passingMessage->setObjectName(QStringLiteral("SBMessage"));
    // It takes only the room the panels leave: a long path never squeezes the line count.
    m_passingMessage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar.addWidget(m_passingMessage, 1);
    m_passingMessageTimer = new QTimer(this);
    m_passingMessageTimer->setSingleShot(true);
    connect(m_passingMessageTimer, &QTimer::timeout, m_passingMessage, &QLabel::clear);

    connect(MoveList, &QListWidget::itemDoubleClicked, this, &DescriptionPane::chooseMove);
}

void DescriptionPane::show(LineDescription description) {
    m_description = std::move(description);
    QString html;
    for (const DescLine& line : m_description.lines) {
        const QString text = FromCp1251(line.text).toHtmlEscaped();
        html +=
            line.bold ? QStringLiteral("<b>%1</b><br>").arg(text) : text + QStringLiteral("<br>");
    }
    LineDesc->setHtml(html);
    MoveList->clear();
    for (const std::string& entry : m_description.moves)
        MoveList->addItem(FromCp1251(entry));
    for (int i = 0; i < 3; ++i)
        m_panels[i]->setText(FromCp1251(m_description.status[static_cast<std::size_t>(i)]));
}

void DescriptionPane::setLineCount(const QString& text) {
    m_panels[2]->setText(text);
}

void DescriptionPane::showPassingMessage(const QString& text) {
    m_passingMessage->setText(text);
    m_passingMessage->setToolTip(text); // whole, where a small window cuts the note
    m_passingMessageTimer->start(kPassingMessageMs);
}

void DescriptionPane::setMovesTitle(const QString& title) {
    GB1->setTitle(title);
}

void DescriptionPane::chooseMove(QListWidgetItem* item) {
    const std::optional<std::string> entry = ToCp1251(item->text());
    if (!entry)
        return;
    if (const auto target = JumpTarget(m_tables, *entry))
        emit moveChosen(*target);
}

} // namespace dolmex
