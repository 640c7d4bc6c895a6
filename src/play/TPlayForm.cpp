#include "TPlayForm.h"

#include "core/Cp1251.h"
#include "core/TextFields.h"
#include "lang/LanguageTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

namespace dolmex {

namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kItemRole = Qt::UserRole + 1;

QString Joined(const std::vector<DescLine>& lines, std::size_t from = 0) {
    QStringList texts;
    for (std::size_t i = from; i < lines.size(); ++i)
        texts << FromCp1251(lines[i].text);
    return texts.join(QLatin1Char('\n'));
}

} // namespace

TPlayForm::TPlayForm(const LanguageTables& tables, QWidget* parent)
    : QWidget(parent, Qt::Window), m_tables(tables) {
    setObjectName(QStringLiteral("PlayForm"));
    resize(900, 620);

    CharacterBox = new QGroupBox;
    CharacterBox->setObjectName(QStringLiteral("CharacterBox"));
    GenderLabel = new QLabel;
    GenderBox = new QComboBox;
    GenderBox->setObjectName(QStringLiteral("GenderBox"));
    GenderBox->addItems({QString(), QString()});
    GenderLabel->setBuddy(GenderBox);
    IntelligenceLabel = new QLabel;
    IntelligenceSpin = new QSpinBox;
    IntelligenceSpin->setObjectName(QStringLiteral("IntelligenceSpin"));
    IntelligenceSpin->setRange(kLowestIntelligence, kHighestIntelligence);
    IntelligenceSpin->setValue(kDefaultIntelligence);
    IntelligenceLabel->setBuddy(IntelligenceSpin);
    auto* character = new QHBoxLayout(CharacterBox);
    character->addWidget(GenderLabel);
    character->addWidget(GenderBox);
    character->addSpacing(16);
    character->addWidget(IntelligenceLabel);
    character->addWidget(IntelligenceSpin);
    character->addStretch();

    NpcText = new QTextEdit;
    NpcText->setObjectName(QStringLiteral("NpcText"));
    NpcText->setReadOnly(true);
    AnswersLabel = new QLabel;
    AnswerList = new QListWidget;
    AnswerList->setObjectName(QStringLiteral("AnswerList"));
    AnswerList->setWordWrap(true);
    AnswersLabel->setBuddy(AnswerList);
    HiddenToggle = new QCheckBox;
    HiddenToggle->setObjectName(QStringLiteral("HiddenToggle"));
    TestsLabel = new QLabel;
    TestList = new QListWidget;
    TestList->setObjectName(QStringLiteral("TestList"));
    TestList->setWordWrap(true);
    AllFailToggle = new QCheckBox;
    AllFailToggle->setObjectName(QStringLiteral("AllFailToggle"));

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(CharacterBox);
    leftLayout->addWidget(NpcText, 3);
    leftLayout->addWidget(AnswersLabel);
    leftLayout->addWidget(AnswerList, 3);
    leftLayout->addWidget(HiddenToggle);
    leftLayout->addWidget(TestsLabel);
    leftLayout->addWidget(TestList, 2);
    leftLayout->addWidget(AllFailToggle);

    TranscriptLabel = new QLabel;
    TranscriptList = new QListWidget;
    TranscriptList->setObjectName(QStringLiteral("TranscriptList"));
    TranscriptList->setWordWrap(true);
    TranscriptList->setAlternatingRowColors(true);
    TranscriptLabel->setBuddy(TranscriptList);
    BackButton = new QPushButton;
    BackButton->setObjectName(QStringLiteral("BackButton"));
    RestartButton = new QPushButton;
    RestartButton->setObjectName(QStringLiteral("RestartButton"));
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(TranscriptLabel);
    rightLayout->addWidget(TranscriptList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BackButton);
    buttons->addWidget(RestartButton);
    rightLayout->addLayout(buttons);

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);

    connect(GenderBox, &QComboBox::currentIndexChanged, this, &TPlayForm::characterChanged);
    connect(IntelligenceSpin, &QSpinBox::valueChanged, this, &TPlayForm::characterChanged);
    connect(AnswerList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int choice = item->data(kRowRole).toInt();
        if (m_session && choice >= 0 && m_session->choose(choice))
            fill();
    });
    connect(HiddenToggle, &QCheckBox::toggled, this, [this] { fillAnswers(); });
    connect(TestList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!FReady || !m_session)
            return;
        m_session->setTestFails(item->data(kRowRole).toInt(), item->data(kItemRole).toInt(),
                                item->checkState() == Qt::Checked);
        fill();
    });
    connect(AllFailToggle, &QCheckBox::toggled, this, [this](bool all) {
        if (!FReady || !m_session)
            return;
        m_session->setAllTestsFail(all);
        fill();
    });
    connect(TranscriptList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (const int row = item->data(kRowRole).toInt(); row > 0)
            emit rowChosen(row);
    });
    // After Back and Restart the keys choose again at once.
    connect(BackButton, &QPushButton::clicked, this, [this] {
        if (m_session && m_session->back()) {
            fill();
            AnswerList->setFocus();
        }
    });
    connect(RestartButton, &QPushButton::clicked, this, [this] {
        if (m_session) {
            m_session->restart();
            fill();
            AnswerList->setFocus();
        }
    });
    languageLoaded();
}

TPlayForm::~TPlayForm() = default;

bool TPlayForm::play(const DialogLines& lines, int row) {
    if (row < 1 || row > static_cast<int>(lines.size()) || DialogRows(lines).blockOf(row) == 0)
        return false;
    // The session reads the copy: it goes first.
    m_session.reset();
    m_lines = lines;
    m_session = std::make_unique<PlaySession>(m_lines, m_tables, m_messages);
    m_session->setCharacter({GenderBox->currentIndex() == 1 ? Gender::Female : Gender::Male,
                             IntelligenceSpin->value()});
    m_session->setAllTestsFail(AllFailToggle->isChecked());
    m_session->startAtRow(row);
    fill();
    AnswerList->setFocus();
    return true;
}

void TPlayForm::languageLoaded() {
    const auto& words = m_tables.play;
    const auto text = [&](int entry) { return FromCp1251(words[entry]); };
    setWindowTitle(text(playtext::kCaption));
    CharacterBox->setTitle(text(playtext::kCharacter));
    GenderLabel->setText(text(playtext::kGender));
    FReady = false;
    GenderBox->setItemText(0, text(playtext::kMale));
    GenderBox->setItemText(1, text(playtext::kFemale));
    FReady = true;
    IntelligenceLabel->setText(text(playtext::kIntelligence));
    AnswersLabel->setText(text(playtext::kAnswers));
    HiddenToggle->setText(text(playtext::kShowHidden));
    TestsLabel->setText(text(playtext::kFailingTests));
    AllFailToggle->setText(text(playtext::kAllTestsFail));
    TranscriptLabel->setText(text(playtext::kTranscript));
    BackButton->setText(text(playtext::kBack));
    RestartButton->setText(text(playtext::kRestart));
    if (m_session) {
        m_session->refresh();
        fill();
    }
}

void TPlayForm::characterChanged() {
    if (!FReady || !m_session)
        return;
    m_session->setCharacter({GenderBox->currentIndex() == 1 ? Gender::Female : Gender::Male,
                             IntelligenceSpin->value()});
    fill();
}

void TPlayForm::fill() {
    FReady = false;
    const auto& transcript = m_session->transcript();
    // The NPC line the run stands at, and how it ended when it has.
    QString html;
    std::size_t last = transcript.size();
    while (last > 0 && transcript[last - 1].kind != PlayEntry::Kind::NpcLine)
        --last;
    for (std::size_t i = last == 0 ? 0 : last - 1; i < transcript.size(); ++i) {
        if (transcript[i].kind == PlayEntry::Kind::Options)
            continue;
        // After the NPC line only what the run came to: the choice by its heading.
        const bool chosen = transcript[i].kind == PlayEntry::Kind::Chosen;
        for (const DescLine& line : transcript[i].lines) {
            const QString escaped = FromCp1251(line.text).toHtmlEscaped();
            html += (line.bold && !chosen ? QStringLiteral("<b>%1</b>").arg(escaped) : escaped) +
                    QStringLiteral("<br>");
            if (chosen)
                break;
        }
    }
    NpcText->setHtml(html);
    fillAnswers();
    fillTests();
    fillTranscript();
    BackButton->setEnabled(m_session->choiceCount() > 0);
    FReady = true;
}

void TPlayForm::fillAnswers() {
    AnswerList->clear();
    if (!m_session)
        return;
    int number = 0;
    for (const PlayChoice& choice : m_session->choices()) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1. %2").arg(++number).arg(FromCp1251(m_session->choiceLabel(choice))),
            AnswerList);
        item->setData(kRowRole, number - 1);
    }
    // Enter takes the first choice at once.
    AnswerList->setCurrentRow(0);
    if (!HiddenToggle->isChecked())
        return;
    for (const PlayAnswer& answer : m_session->answers()) {
        if (answer.visible())
            continue;
        std::string reasons;
        for (const HiddenReason& reason : answer.hidden)
            reasons += (reasons.empty() ? "" : "; ") + DescribeHidden(m_tables, reason);
        auto* item = new QListWidgetItem(FromCp1251(m_session->answerLabel(answer)) +
                                             QStringLiteral(" \u2014 ") + FromCp1251(reasons),
                                         AnswerList);
        item->setData(kRowRole, -1);
        item->setFlags(Qt::NoItemFlags);
    }
}

void TPlayForm::fillTests() {
    const bool ready = FReady;
    FReady = false;
    TestList->clear();
    for (const PlayAnswer& answer : m_session->answers()) {
        for (const PlayTest& test : answer.tests) {
            auto* item = new QListWidgetItem(QStringLiteral("[%1] %2) %3")
                                                 .arg(FromCp1251(answer.number))
                                                 .arg(test.item)
                                                 .arg(FromCp1251(test.description)),
                                             TestList);
            item->setData(kRowRole, answer.row);
            item->setData(kItemRole, test.item);
            item->setFlags(AllFailToggle->isChecked()
                               ? Qt::ItemIsUserCheckable
                               : Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(test.fails ? Qt::Checked : Qt::Unchecked);
        }
    }
    FReady = ready;
}

void TPlayForm::fillTranscript() {
    TranscriptList->clear();
    for (const PlayEntry& entry : m_session->transcript()) {
        if (entry.kind == PlayEntry::Kind::Options)
            continue;
        auto* item = new QListWidgetItem(TranscriptList);
        QString text = FromCp1251(entry.lines.front().text);
        if (entry.lines.size() > 1)
            text += QLatin1Char('\n') + Joined(entry.lines, 1);
        item->setText(text);
        item->setData(kRowRole, entry.row);
        if (entry.kind != PlayEntry::Kind::Chosen) {
            QFont font = item->font();
            font.setBold(entry.kind == PlayEntry::Kind::End);
            item->setFont(font);
        }
    }
    TranscriptList->scrollToBottom();
}

} // namespace dolmex
