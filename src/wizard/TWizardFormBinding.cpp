// The window's side of the control bindings: one walk of ControlBindings() connects the
// widgets, one paints them from the model, and the event filter routes keys and mouse
// releases by the same rows.

#include "TWizardForm.h"

#include "ui_TWizardForm.h"

#include "ui/Cp1251.h"
#include "ui/Prompter.h"

#include "lang/LanguageTables.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace dolmex {

namespace {

constexpr int kUnencodableEntry = md::kUnencodable;

// The widget class that each kind of control is in TWizardForm.ui.
template <typename Kind> struct WidgetOf;
template <> struct WidgetOf<PushButton> { using type = QPushButton; };
template <> struct WidgetOf<KindButton> { using type = QRadioButton; };
template <> struct WidgetOf<TextEdit> { using type = QLineEdit; };
template <> struct WidgetOf<DropDown> { using type = QComboBox; };
template <> struct WidgetOf<ItemList> { using type = QListWidget; };
template <> struct WidgetOf<Track> { using type = QSlider; };
template <> struct WidgetOf<Zone> { using type = QFrame; };
template <> struct WidgetOf<Label> { using type = QLabel; };
template <> struct WidgetOf<RowLabel> { using type = QLabel; };

template <typename Kind> using Widget = typename WidgetOf<Kind>::type;

QStringList Rows(const std::vector<std::string>& rows, int atLeast = 0) {
    QStringList list;
    for (const std::string& row : rows)
        list << FromCp1251(row);
    while (list.size() < atLeast)
        list << QString();
    return list;
}

void PaintEdit(QLineEdit* edit, const TextBox& box) {
    const QString text = FromCp1251(box.text);
    // The limit holds back what the user types, never what the line already holds: a
    // longer loaded argument is shown whole, and its next edit stores it whole.
    const int limit = box.maxLength > 0 ? box.maxLength : 32767;
    edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    if (edit->text() != text)
        edit->setText(text);
    edit->setVisible(box.visible);
    edit->setEnabled(box.enabled);
    if (box.allSelected)
        edit->selectAll();
}

void PaintChoice(QComboBox* combo, const ChoiceList& list, int atLeast) {
    const QStringList rows = Rows(list.rows, atLeast);
    bool same = combo->count() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = combo->itemText(i) == rows[i];
    if (!same) {
        combo->clear();
        combo->addItems(rows);
    }
    combo->setCurrentIndex(list.index < combo->count() ? list.index : -1);
    combo->setVisible(list.visible);
    combo->setEnabled(list.enabled);
}

void PaintList(QListWidget* view, const OperationList& list) {
    const QStringList rows = Rows(list.rows);
    bool same = view->count() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = view->item(i)->text() == rows[i];
    if (!same) {
        view->clear();
        view->addItems(rows);
    }
    if (list.index >= 0 && list.index < view->count()) {
        view->setCurrentRow(list.index);
        view->scrollToItem(view->item(list.index));
    } else {
        view->setCurrentRow(-1);
        view->clearSelection();
    }
}

void PaintButton(QAbstractButton* widget, const Button& button) {
    if (widget->isCheckable())
        widget->setChecked(button.down);
    widget->setVisible(button.visible);
    widget->setEnabled(button.enabled);
}

} // namespace

const ControlBinding* TWizardForm::bindingOf(const QObject* widget) const {
    const auto found = std::find_if(m_bound.begin(), m_bound.end(),
                                    [widget](const auto& bound) { return bound.first == widget; });
    return found == m_bound.end() ? nullptr : found->second;
}

void TWizardForm::bindControls() {
    for (const ControlBinding& binding : ControlBindings()) {
        std::visit(
            [&]<typename Kind>(const Kind& kind) {
                auto* widget = m_body->findChild<Widget<Kind>*>(QString::fromLatin1(binding.name));
                if (!widget)
                    qFatal("TWizardForm.ui lacks the %s control %s",
                           Widget<Kind>::staticMetaObject.className(), binding.name);
                m_bound.emplace_back(widget, &binding);
                // Kinds that take keys or mouse releases get them through eventFilter; labels
                // are only painted.
                if constexpr (std::is_same_v<Kind, PushButton>) {
                    if (kind.click) {
                        connect(widget, &QAbstractButton::clicked, this,
                                [this, click = kind.click] {
                                    forward([this, click] { (m_model.*click)(); });
                                });
                    }
                } else if constexpr (std::is_same_v<Kind, KindButton>) {
                    connect(widget, &QAbstractButton::clicked, this, [this, player = kind.player] {
                        forward([this, player] { m_model.PCRBClick(player); });
                    });
                    widget->installEventFilter(this);
                } else if constexpr (std::is_same_v<Kind, TextEdit>) {
                    connect(widget, &QLineEdit::textEdited, this,
                            [this, widget, box = kind.box](const QString& text) {
                                typed(box, widget, text);
                            });
                    widget->installEventFilter(this);
                } else if constexpr (std::is_same_v<Kind, DropDown>) {
                    connect(widget, &QComboBox::activated, this, [this, box = kind.box](int index) {
                        forward([this, box, index] { m_model.chooseRow(box, index); });
                    });
                } else if constexpr (std::is_same_v<Kind, ItemList>) {
                    connect(widget, &QListWidget::currentRowChanged, this,
                            [this, box = kind.box](int row) {
                                forward([this, box, row] { m_model.selectRow(box, row); });
                            });
                    connect(widget, &QListWidget::itemClicked, this, [this, widget, kind] {
                        forward([this, widget, kind] {
                            m_model.selectRow(kind.box, widget->currentRow());
                            (m_model.*kind.click)();
                        });
                    });
                    widget->installEventFilter(this);
                } else if constexpr (std::is_same_v<Kind, Track>) {
                    widget->setRange(TrackBar::kMin, TrackBar::kMax);
                    connect(widget, &QSlider::valueChanged, this, [this](int position) {
                        forward([this, position] { m_model.moveTrack(position); });
                    });
                    widget->installEventFilter(this);
                } else if constexpr (std::is_same_v<Kind, Zone>) {
                    widget->installEventFilter(this);
                }
            },
            binding.kind);
    }
}

void TWizardForm::forward(const std::function<void()>& call) {
    if (m_painting)
        return;
    call();
    paintFromModel();
}

void TWizardForm::typed(EditBox box, QLineEdit* edit, const QString& text) {
    if (m_painting)
        return;
    const std::optional<std::string> bytes = CellBytes(text);
    if (!bytes) {
        const int cursor = edit->cursorPosition();
        paintFromModel(); // takes the keystroke or the paste back out of the box
        const int added = static_cast<int>(text.size() - edit->text().size());
        edit->setCursorPosition(std::max(0, cursor - std::max(1, added)));
        warnUnstorable(FirstUnstorable(text));
        return;
    }
    forward([this, box, &bytes] { m_model.typeText(box, *bytes); });
}

void TWizardForm::warnUnstorable(QChar character) {
    m_prompter.warn(QStringLiteral("Warning"),
                    UnstorableWarning(m_tables.mainDescription[kUnencodableEntry], character));
}

void TWizardForm::applyCaptions() {
    setWindowTitle(FromCp1251(m_model.caption("TWizardForm")));
    for (QWidget* widget : m_widgets) {
        const std::string name = widget->objectName().toStdString();
        const auto* button = BoundAs<PushButton>(bindingOf(widget));
        if (name.empty() || (button && button->modelCaption))
            continue;
        const std::string& caption = m_model.caption(name);
        if (!caption.empty()) {
            const QString text = FromCp1251(caption);
            if (auto* box = qobject_cast<QGroupBox*>(widget))
                box->setTitle(text);
            else if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(text);
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setText(text);
        }
        const std::string& hint = m_model.hint(name);
        if (!hint.empty())
            widget->setToolTip(FromCp1251(hint));
    }
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.parent.empty())
            continue;
        const QString text = FromCp1251(m_model.caption(entry.name));
        if (entry.kind == MenuEntryKind::Submenu)
            m_menus.at(std::string(entry.name))->setTitle(text);
        else
            m_items.at(std::string(entry.name))->setText(text);
    }
}

void TWizardForm::paintFromModel() {
    m_painting = true;
    {
        std::vector<QSignalBlocker> blockers;
        blockers.reserve(m_widgets.size());
        for (QWidget* widget : m_widgets)
            blockers.emplace_back(widget);

        const WizardControls& c = m_model.controls();
        for (const auto& [widget, binding] : m_bound) {
            std::visit(
                [&, widget = widget]<typename Kind>(const Kind& kind) {
                    auto* shown = static_cast<Widget<Kind>*>(widget);
                    if constexpr (std::is_same_v<Kind, PushButton>) {
                        if (!kind.state)
                            return;
                        PaintButton(shown, c.*kind.state);
                        if (kind.modelCaption)
                            shown->setText(QString::fromLatin1((c.*kind.state).caption));
                    } else if constexpr (std::is_same_v<Kind, KindButton>) {
                        PaintButton(shown, c.*kind.state);
                    } else if constexpr (std::is_same_v<Kind, TextEdit>) {
                        PaintEdit(shown, c.*kind.state);
                    } else if constexpr (std::is_same_v<Kind, DropDown>) {
                        PaintChoice(shown, c.*kind.state, kind.atLeast);
                    } else if constexpr (std::is_same_v<Kind, ItemList>) {
                        PaintList(shown, c.*kind.state);
                    } else if constexpr (std::is_same_v<Kind, Track>) {
                        shown->setValue((c.*kind.state).position);
                        shown->setVisible((c.*kind.state).visible);
                    } else {
                        shown->setVisible((c.*kind.state).visible);
                    }
                },
                binding->kind);
        }
        paintGrid();
    }
    m_painting = false;
}

} // namespace dolmex
