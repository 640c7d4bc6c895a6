#pragma once

#include "interp/LineDescriber.h"
#include "interp/PanelText.h"

#include <QObject>
#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QSplitter;
class QStatusBar;
class QTextEdit;
class QTimer;

namespace dolmex {

struct LanguageTables;

// The lower half of the main window and its status bar: the description of the current
// line (LineDesc), the navigation list (MoveList in GB1), the three status panels and the
// passing note. It paints what the describer built and says which move the user chose.
class DescriptionPane : public QObject {
    Q_OBJECT

public:
    // Builds the widgets; the status bar's panels go into `statusBar`, which the window owns.
    DescriptionPane(const LanguageTables& tables, QStatusBar& statusBar, QObject* parent);

    // The splitter holding LineDesc and GB1, for the window to place.
    QSplitter* widget() const { return m_split; }
    // What was painted last.
    const LineDescription& description() const { return m_description; }

    void show(LineDescription description);
    // The line count panel (SBPanel2), which the description does not set.
    void setLineCount(const QString& text);
    // A passing note beside the three panels, cleared after a while.
    void showPassingMessage(const QString& text);
    void setMovesTitle(const QString& title);

signals:
    // A navigation entry was double-clicked; `target` is the line number it names.
    void moveChosen(int target);

private:
    void paintLines(const std::vector<DescLine>& lines);
    void paintMoves(const std::vector<std::string>& moves);
    void setPanelText(int panel, const QString& text);
    void chooseMove(QListWidgetItem* item);

    const LanguageTables& m_tables;
    LineDescription m_description;
    QSplitter* m_split = nullptr;
    QTextEdit* LineDesc = nullptr;
    QGroupBox* GB1 = nullptr;
    QListWidget* MoveList = nullptr;
    QLabel* m_panels[3] = {};
    QLabel* m_passingMessage = nullptr;
    QTimer* m_passingMessageTimer = nullptr;
};

} // namespace dolmex
