#pragma once

// The line wizard's window: the controls of TWizardForm.ui, named after their controls, each
// event forwarded to the WizardModel handler that WizardBindings names for it, and every widget
// repainted from the model's control state after each call. The window keeps no editing state
// of its own.

#include "WizardBindings.h"
#include "WizardModel.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;

namespace Ui {
class WizardBody;
}

namespace dolmex {

class Prompter;

class TWizardForm : public QDialog, private WizardHost {
    Q_OBJECT

public:
    // `captions` holds the wizard's caption assignments of the last language load; it is read
    // each time the window is shown. `host` hears of every apply; it may be null.
    TWizardForm(const LanguageTables& tables, EditSession& session, Prompter& prompter,
                const std::vector<CaptionAssignment>& captions, WizardHost* host = nullptr,
                QWidget* parent = nullptr);
    ~TWizardForm() override;

    // The main grid's row `row` becomes the working row and the window is shown modally.
    void openRow(int row);
    // Shows the window modally; tests replace it with a plain show() so they can go on.
    std::function<void(TWizardForm&)> showModal;

    // A language file was read: takes its captions now rather than at the next showing.
    void languageLoaded();

    WizardModel& model() { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // WizardHost: the model's apply commands, passed on to the main window.
    void wizardApplied(int row) override;
    void wizardCloseRequested() override;

    // Building (TWizardForm.cpp): what the .ui cannot say.
    void createControls();
    void completeControls();
    void createGrid();
    void connectGrid();
    void createToolBar(OpList bar, QWidget* toolBar);
    void createMenus();

    // Binding (TWizardFormBinding.cpp): walks ControlBindings().
    void bindControls();
    // The binding of `widget`'s control, or null for a widget the model does not know.
    const ControlBinding* bindingOf(const QObject* widget) const;

    // Runs a model call and repaints; ignored while the window itself fills its widgets.
    void forward(const std::function<void()>& call);
    // Text the user typed or pasted into `box`: refused with a warning when a cell cannot
    // hold it (a character outside Windows-1251, a brace, a line break).
    void typed(EditBox box, QLineEdit* edit, const QString& text);
    void warnUnstorable(QChar character);
    void FormActivate();
    // A size saved or laid out for a bigger screen must not put controls off this one.
    void fitIntoScreen();
    void applyCaptions();
    void paintFromModel();
    void paintGrid();

    const LanguageTables& m_tables;
    Prompter& m_prompter;
    const std::vector<CaptionAssignment>& m_captions;
    WizardHost* m_host;
    WizardModel m_model;

    std::unique_ptr<Ui::WizardBody> m_ui;
    QWidget* m_body = nullptr; // every control, inside a scroll area
    // The widget of every control binding, in the order of ControlBindings().
    std::vector<std::pair<QWidget*, const ControlBinding*>> m_bound;

    std::map<std::string, QMenu*, std::less<>> m_menus;
    std::map<std::string, QAction*, std::less<>> m_items; // the insertion items by name
    std::vector<QWidget*> m_widgets; // every widget, for blocking their signals while painting
    bool m_painting = false;
    // The window lost activation while shown: FormActivate runs again when it comes back.
    bool m_leftActive = false;
};

} // namespace dolmex
