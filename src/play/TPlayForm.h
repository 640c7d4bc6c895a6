#pragma once

#include "PlaySession.h"

#include "core/PackedLine.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QTextEdit;

namespace dolmex {

struct LanguageTables;

// The play window: a conversation played through the dialog for a chosen character. It
// shows what the session says and hands every choice to it; the rules live there.
class TPlayForm : public QWidget {
    Q_OBJECT

public:
    TPlayForm(const LanguageTables& tables, QWidget* parent = nullptr);
    ~TPlayForm() override;

    // Plays a copy of `lines` from the block of data row `row`; false when that row is in
    // no block (the window then stays as it was).
    bool play(const DialogLines& lines, int row);
    // The captions, and the transcript again in the new words.
    void languageLoaded();
    const PlaySession* session() const { return m_session.get(); }

signals:
    // A transcript entry was double-clicked: its row is to become the grid's current row.
    void rowChosen(int row);

private:
    void fill();
    void fillAnswers();
    void fillTests();
    void fillTranscript();
    void characterChanged();

    const LanguageTables& m_tables;
    DialogLines m_lines;
    MemoryMessageSource m_messages;
    std::unique_ptr<PlaySession> m_session;
    // While the controls are filled, their change signals write nothing back.
    bool FReady = true;

    QGroupBox* CharacterBox;
    QLabel* GenderLabel;
    QComboBox* GenderBox;
    QLabel* IntelligenceLabel;
    QSpinBox* IntelligenceSpin;
    QTextEdit* NpcText;
    QLabel* AnswersLabel;
    QListWidget* AnswerList;
    QCheckBox* HiddenToggle;
    QLabel* TestsLabel;
    QListWidget* TestList;
    QCheckBox* AllFailToggle;
    QLabel* TranscriptLabel;
    QListWidget* TranscriptList;
    QPushButton* BackButton;
    QPushButton* RestartButton;
};

} // namespace dolmex
