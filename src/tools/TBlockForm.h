#pragma once

#include "BlockNavigator.h"

#include <QWidget>

#include <functional>

class QListWidget;

namespace dolmex {

class LineStore;

// The block navigator: the commented NPC lines, to jump to or to link the current line to.
// The choice is carried out by the main window when it becomes active again.
class TBlockForm : public QWidget {
    Q_OBJECT

public:
    explicit TBlockForm(QWidget* parent = nullptr);

    BlockNavigator& navigator() { return m_navigator; }
    // MakeBlocks: the list follows the dialog on every description refresh.
    void MakeBlocks(const LineStore& store);
    // Where the focus goes when a choice is made (the main window).
    std::function<void()> onFocusMain;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selected() const;

    BlockNavigator m_navigator;
    QListWidget* LB;
};

} // namespace dolmex
