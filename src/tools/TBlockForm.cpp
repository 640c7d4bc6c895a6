#include "TBlockForm.h"

#include "core/Cp1251.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace dolmex {

TBlockForm::TBlockForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("TBlockForm"));
    setWindowTitle(QStringLiteral("Navigator"));
    resize(167, 225);
    move(116, 195);
    LB = new QListWidget(this);
    LB->setObjectName(QStringLiteral("LB"));
    LB->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LB);
    connect(LB, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_navigator.LBDblClick(selected()) && onFocusMain)
            onFocusMain();
    });
}

int TBlockForm::selected() const {
    return LB->currentItem() && LB->currentItem()->isSelected() ? LB->currentRow() : -1;
}

void TBlockForm::MakeBlocks(const LineStore& store) {
    const std::vector<std::string>& entries = m_navigator.MakeBlocks(store);
    LB->clear();
    for (const std::string& entry : entries)
        LB->addItem(FromCp1251(entry));
}

bool TBlockForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LB && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        NavigatorKey which = NavigatorKey::Other;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            which = NavigatorKey::Enter;
        else if (key->key() == Qt::Key_Tab)
            which = NavigatorKey::Tab;
        unsigned modifiers = NoModifier;
        const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
        if (held & Qt::ShiftModifier)
            modifiers |= ShiftModifier;
        if (held & Qt::ControlModifier)
            modifiers |= ControlModifier;
        if (held & Qt::AltModifier)
            modifiers |= AltModifier;
        if (held & Qt::MetaModifier)
            modifiers |= MetaModifier;
        if (m_navigator.LBKeyUp(which, modifiers, selected()) && onFocusMain)
            onFocusMain();
    }
    // Tab would otherwise move the focus inside this window before it is released.
    if (watched == LB && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab)
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace dolmex
