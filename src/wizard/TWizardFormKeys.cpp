// Keys and mouse events that reach the model other than through a widget's signal: Left and
// Right change the line, a list's or an editor's key release, a zone's mouse release, and the
// mouse press that opens a skill menu.

#include "TWizardForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace dolmex {

namespace {

// The key codes the model's handlers take.
int VirtualKey(int qtKey) {
    using namespace wizard_key;
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_PageUp:
        return kPageUp;
    case Qt::Key_PageDown:
        return kPageDown;
    case Qt::Key_End:
        return kEnd;
    case Qt::Key_Home:
        return kHome;
    case Qt::Key_Left:
        return kLeft;
    case Qt::Key_Up:
        return kUp;
    case Qt::Key_Right:
        return kRight;
    case Qt::Key_Down:
        return kDown;
    case Qt::Key_Delete:
        return kDelete;
    default:
        return 0;
    }
}

// Whether Left and Right that reach the window while `focus` holds the keyboard are the
// window's line change: only when nothing but the window holds it, or a plain button, which
// has no use for them. Every other control moves or chooses with them (text boxes,
// drop-down lists, lists, the grid, the track bar, the kind radio buttons).
bool LeavesArrowsToWindow(const QWidget* focus, const QWidget* window) {
    return !focus || focus == window || qobject_cast<const QPushButton*>(focus) ||
           qobject_cast<const QToolButton*>(focus);
}

} // namespace

void TWizardForm::keyPressEvent(QKeyEvent* event) {
    // Enter belongs to the item editors (on release); it must not close the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWizardForm::keyReleaseEvent(QKeyEvent* event) {
    const int key = VirtualKey(event->key());
    // A key held down repeats its release; the line changes once per release of the key.
    if ((key == wizard_key::kLeft || key == wizard_key::kRight) && !event->isAutoRepeat() &&
        LeavesArrowsToWindow(QApplication::focusWidget(), this)) {
        forward([this, key] { m_model.FormKeyUp(key); });
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

bool TWizardForm::eventFilter(QObject* watched, QEvent* event) {
    const ControlBinding* binding = bindingOf(watched);
    if (event->type() == QEvent::MouseButtonRelease) {
        if (const Zone* zone = BoundAs<Zone>(binding))
            forward([this, zone] { (m_model.*zone->mouseUp)(); });
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (auto* button = qobject_cast<QToolButton*>(watched)) {
            const std::string name = button->objectName().toStdString();
            forward([this, &name] { m_model.ToolButtonMouseDown(name); });
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = VirtualKey(keyEvent->key());
        if (const ItemList* list = BoundAs<ItemList>(binding)) {
            auto* view = static_cast<QListWidget*>(watched);
            forward([this, list, view, key] {
                m_model.selectRow(list->box, view->currentRow());
                (m_model.*list->keyUp)(key);
            });
        } else if (const TextEdit* edit = BoundAs<TextEdit>(binding); edit && edit->keyUp) {
            forward([this, edit, key] { (m_model.*edit->keyUp)(key); });
        }
        // Text boxes, lists, the grid, the track bar and the kind radio buttons use Left and
        // Right themselves: those keys are not the window's line change.
        if (key == wizard_key::kLeft || key == wizard_key::kRight)
            return true;
    } else if (event->type() == QEvent::KeyPress && BoundAs<KindButton>(binding)) {
        // An arrow would move to the other kind and click it, which wipes the line's texts:
        // the kind changes by a click or Space only.
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dolmex
