#include "Prompter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

namespace dolmex {

Prompter::Answer WidgetPrompter::askYesNoCancel(const QString& caption, const QString& text) {
    const auto button = QMessageBox::question(
        m_parent, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

bool WidgetPrompter::askYesNo(const QString& caption, const QString& text) {
    return QMessageBox::question(m_parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void WidgetPrompter::warn(const QString& caption, const QString& text) {
    QMessageBox::warning(m_parent, caption, text);
}

void WidgetPrompter::ioError(const QString& text) {
    QMessageBox::critical(m_parent, QString(), text);
}

void WidgetPrompter::inform(const QString& caption, const QString& text) {
    QMessageBox::information(m_parent, caption, text);
}

std::optional<QString> WidgetPrompter::openFileName(const QString& filter, const QString& folder) {
    const QString name =
        QFileDialog::getOpenFileName(m_parent, QString(), folder, QtFileFilter(filter));
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QString> WidgetPrompter::saveFileName(const QString& filter,
                                                    const QString& proposal) {
    QFileDialog dialog(m_parent, QString(), proposal, QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dlg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> WidgetPrompter::askText(const QString& caption, const QString& label) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, caption, label, QLineEdit::Normal, QString(), &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> WidgetPrompter::folderName(const QString& caption, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(m_parent, caption, start);
    return folder.isEmpty() ? std::nullopt : std::optional<QString>(folder);
}

int ScriptedPrompter::count(const QString& kind) const {
    return static_cast<int>(std::count_if(m_shown.begin(), m_shown.end(),
                                          [&kind](const Shown& s) { return s.kind == kind; }));
}

Prompter::Answer ScriptedPrompter::askYesNoCancel(const QString& caption, const QString& text) {
    m_shown.push_back({QStringLiteral("question"), caption, text, QString()});
    if (m_answers.empty())
        return Answer::Cancel;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedPrompter::askYesNo(const QString& caption, const QString& text) {
    m_shown.push_back({QStringLiteral("question"), caption, text, QString()});
    if (m_answers.empty())
        return false;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer == Answer::Yes;
}

void ScriptedPrompter::warn(const QString& caption, const QString& text) {
    m_shown.push_back({QStringLiteral("warning"), caption, text, QString()});
}

void ScriptedPrompter::ioError(const QString& text) {
    m_shown.push_back({QStringLiteral("error"), QString(), text, QString()});
}

void ScriptedPrompter::inform(const QString& caption, const QString& text) {
    m_shown.push_back({QStringLiteral("information"), caption, text, QString()});
}

std::optional<QString> ScriptedPrompter::nextFileName() {
    if (m_fileNames.empty())
        return std::nullopt;
    std::optional<QString> name;
    name.swap(m_fileNames.front());
    m_fileNames.pop_front();
    return name;
}

std::optional<QString> ScriptedPrompter::openFileName(const QString& filter,
                                                      const QString& folder) {
    m_shown.push_back({QStringLiteral("open"), QString(), filter, folder});
    return nextFileName();
}

std::optional<QString> ScriptedPrompter::saveFileName(const QString& filter,
                                                      const QString& proposal) {
    m_shown.push_back({QStringLiteral("save"), QString(), filter, proposal});
    return nextFileName();
}

std::optional<QString> ScriptedPrompter::askText(const QString& caption, const QString& label) {
    m_shown.push_back({QStringLiteral("text"), caption, label, QString()});
    if (m_texts.empty())
        return std::nullopt;
    std::optional<QString> text;
    text.swap(m_texts.front());
    m_texts.pop_front();
    return text;
}

std::optional<QString> ScriptedPrompter::folderName(const QString& caption, const QString& start) {
    m_shown.push_back({QStringLiteral("folder"), caption, QString(), start});
    return nextFileName();
}

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        // A description that already names its pattern ("Dialog files (*.dlg)") is kept.
        const QString named = QStringLiteral("(%1)").arg(parts[i + 1]);
        filters << (parts[i].contains(named)
                        ? parts[i]
                        : QStringLiteral("%1 %2").arg(parts[i], named).trimmed());
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace dolmex
