#pragma once

#include <QString>

#include <deque>
#include <optional>

class QWidget;

namespace dolmex {

// Every message box and file dialog of the program goes through this, so tests can answer
// them and no test ever waits for a person.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    // Question with Yes, No and Cancel and the question icon.
    virtual Answer askYesNoCancel(const QString& caption, const QString& text) = 0;
    // Question with Yes and No: true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // Warning with an OK button.
    virtual void warn(const QString& caption, const QString& text) = 0;
    // The standard error box of a failed file operation.
    virtual void ioError(const QString& text) = 0;
    // Plain information with an OK button.
    virtual void inform(const QString& caption, const QString& text) = 0;
    // A file to open or to save to, or nothing when the dialog is cancelled. `filter` is
    // "description|pattern|description|pattern". The open dialog starts in `folder`; the
    // save dialog proposes `proposal` (a file's path, or a folder ending in "/").
    virtual std::optional<QString> openFileName(const QString& filter, const QString& folder) = 0;
    virtual std::optional<QString> saveFileName(const QString& filter, const QString& proposal) = 0;
    // One line of text typed into a box with OK and Cancel, or nothing when cancelled.
    virtual std::optional<QString> askText(const QString& caption, const QString& label) = 0;
    // A folder chosen in a dialog that starts in `start`, or nothing when cancelled.
    virtual std::optional<QString> folderName(const QString& caption, const QString& start) = 0;
};

// The real boxes and dialogs, parented to `parent`.
class WidgetPrompter : public Prompter {
public:
    explicit WidgetPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    void warn(const QString& caption, const QString& text) override;
    void ioError(const QString& text) override;
    void inform(const QString& caption, const QString& text) override;
    std::optional<QString> openFileName(const QString& filter, const QString& folder) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& proposal) override;
    std::optional<QString> askText(const QString& caption, const QString& label) override;
    std::optional<QString> folderName(const QString& caption, const QString& start) override;

private:
    QWidget* m_parent;
};

// Answers from queues that a test fills beforehand; records what was shown. A box that was
// not expected answers Cancel, or No, or no file name, and is recorded, so the test can fail.
// Yes/No questions take their answers from the same queue (Yes is yes, anything else no).
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString kind; // "question", "warning", "error", "information", "open", "save", "text",
                      // "folder"
        QString caption;
        QString text;
        QString start; // where a file dialog started: the open folder, the save proposal
    };

    void setNextAnswer(Answer answer) { m_answers.push_back(answer); }
    void setNextFileName(std::optional<QString> name) { m_fileNames.push_back(std::move(name)); }
    // What the next text box is answered with (nothing: Cancel).
    void setNextText(std::optional<QString> text) { m_texts.push_back(std::move(text)); }
    const std::deque<Shown>& shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }
    int count(const QString& kind) const;

    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    void warn(const QString& caption, const QString& text) override;
    void ioError(const QString& text) override;
    void inform(const QString& caption, const QString& text) override;
    std::optional<QString> openFileName(const QString& filter, const QString& folder) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& proposal) override;
    std::optional<QString> askText(const QString& caption, const QString& label) override;
    // Answered from the file names' queue; recorded as "folder".
    std::optional<QString> folderName(const QString& caption, const QString& start) override;

private:
    std::optional<QString> nextFileName();

    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_fileNames;
    std::deque<std::optional<QString>> m_texts;
    std::deque<Shown> m_shown;
};

// "a|*.dlg|b|*.*" -> "a (*.dlg);;b (*.*)", the form Qt's file dialogs take.
QString QtFileFilter(const QString& filter);

} // namespace dolmex
