#pragma once

// The line wizard's window: widgets named after their controls, each event forwarded to the
// WizardModel handler of the same name, and every widget repainted from the model's
// control state after each call. The window keeps no editing state of its own.

#include "WizardModel.h"

#include <QDialog>

#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QTableWidget;
class QToolButton;

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

    void createControls();
    QWidget* createLineKind();
    QWidget* createTexts();
    QWidget* createTestEditor();
    QWidget* createResultEditor();
    QWidget* createApplyButtons();
    QWidget* createToolBar(OpList bar, const char* name);
    void createMenus();
    void connectControls();

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

    // Widgets the model's controls map onto, by the control's name.
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr,
              *GroupBox4 = nullptr;
    QRadioButton *PCRB = nullptr, *NPCRB = nullptr;
    QLineEdit *LineEdit1 = nullptr, *LineEdit2 = nullptr;
    QPushButton *DiaBtn1 = nullptr, *DiaBtn2 = nullptr;
    QComboBox *CBL1 = nullptr, *CBL2 = nullptr;
    QPushButton *DiaParamsBtn1 = nullptr, *DiaParamsBtn2 = nullptr;
    QPushButton *CopyLine21Btn = nullptr, *CopyLine12Btn = nullptr;
    QComboBox* GenderBox = nullptr;
    QPushButton* IntBtn = nullptr;
    QLineEdit* IntEdit = nullptr;
    QSlider* IntTrack = nullptr;
    QFrame *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label5 = nullptr;

    QListWidget* TestList = nullptr;
    QLineEdit *TEdit = nullptr, *TNumEdit1 = nullptr, *TNumEdit2 = nullptr;
    QComboBox *TCB1 = nullptr, *TCB2 = nullptr;

    QListWidget* ResultList = nullptr;
    QLineEdit *REdit = nullptr, *RNumEdit1 = nullptr, *RNumEdit2 = nullptr;
    QComboBox *RCB1 = nullptr, *RCB2 = nullptr;
    QComboBox* ResLineBox = nullptr;
    QLineEdit* ResLineEdit = nullptr;

    QTableWidget* SG = nullptr;
    QWidget* m_body = nullptr; // every control, inside a scroll area

    std::map<std::string, QMenu*, std::less<>> m_menus;
    std::map<std::string, QAction*, std::less<>> m_items; // the insertion items by name
    std::vector<QWidget*> m_widgets; // every widget, for blocking their signals while painting
    bool m_painting = false;
    // The window lost activation while shown: FormActivate runs again when it comes back.
    bool m_leftActive = false;
};

} // namespace dolmex
