#include "DocumentRecovery.h"
#include "PathText.h"

#include "DialogReader.h"
#include "Document.h"
#include "FileBytes.h"
#include "IoError.h"
#include "RecoveryWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace dolmex {

QString RecoveryFileName(const std::string& documentPath) {
    if (documentPath.empty())
        return QStringLiteral("untitled.dlg");
    // The same file reached through "./" or ".." must find the same recovery.
    const QString absolute = QDir::cleanPath(QFileInfo(PathText(documentPath)).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex()) + QStringLiteral(".dlg");
}

DocumentRecovery::DocumentRecovery(Document& document, QString folder, QObject* parent)
    : QObject(parent), m_document(document), m_folder(std::move(folder)) {
    m_writer = std::make_unique<RecoveryWriter>([this](const QString& path, const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, path, reason] { emit writeFailed(path, reason); }, Qt::QueuedConnection);
    });
    m_delay.setSingleShot(true);
    m_delay.setInterval(std::chrono::milliseconds(2000));
    connect(&m_delay, &QTimer::timeout, this, &DocumentRecovery::delayEnded);
    // A pause after each slice, so that the events that came in meanwhile, key presses and
    // repaints included, go first. With no pause (a zero timer) the event loop was measured
    // to run up to four slices back to back before handling input.
    m_slices.setSingleShot(true);
    m_slices.setTimerType(Qt::PreciseTimer);
    m_slices.setInterval(1);
    connect(&m_slices, &QTimer::timeout, this, &DocumentRecovery::serializeSlice);
    m_document.store().addObserver(this);
}

DocumentRecovery::~DocumentRecovery() {
    m_document.store().removeObserver(this);
    m_writer.reset();
}

void DocumentRecovery::setDelay(std::chrono::milliseconds delay) {
    m_delay.setInterval(delay);
}

QString DocumentRecovery::recoveryFilePath(const std::string& documentPath) const {
    return QDir(m_folder).filePath(RecoveryFileName(documentPath));
}

bool DocumentRecovery::hasRecoveryNewerThanFile(const std::string& documentPath) {
    m_writer->waitUntilIdle();
    const QFileInfo recovery(recoveryFilePath(documentPath));
    if (!recovery.isFile())
        return false;
    if (documentPath.empty())
        return true;
    const QFileInfo file(PathText(documentPath));
    return !file.exists() || recovery.lastModified() > file.lastModified();
}

bool DocumentRecovery::restore() {
    m_writer->waitUntilIdle();
    const QString path = recoveryFilePath(m_document.fileName());
    std::string bytes;
    try {
        bytes = ReadFileBytes(PathBytes(path));
    } catch (const IoError& error) {
        if (error.kind() == IoError::Kind::Open)
            return false;
        throw;
    }
    m_document.store().replaceAll(ParseDialog(bytes));
    m_ownFiles.insert(path);
    return true;
}

void DocumentRecovery::removeRecovery(const std::string& documentPath) {
    const QString path = recoveryFilePath(documentPath);
    m_ownFiles.erase(path);
    m_writer->remove(path);
}

void DocumentRecovery::discard() {
    m_delay.stop();
    m_slices.stop();
    m_serializer.reset();
    removeOwnFiles();
}

bool DocumentRecovery::autosavePending() const {
    return m_delay.isActive() || m_serializer.has_value();
}

void DocumentRecovery::finishWrites() {
    m_writer->waitUntilIdle();
}

void DocumentRecovery::setBeforeCommitHook(std::function<void()> hook) {
    m_writer->setBeforeCommitHook(std::move(hook));
}

void DocumentRecovery::lineStoreChanged(const LineStoreChange& change) {
    if (change.kind == LineStoreChange::Kind::TitleChanged)
        return;
    // Rows already serialised may be the ones that changed: start over once typing stops.
    m_slices.stop();
    m_serializer.reset();
    m_delay.start();
}

void DocumentRecovery::delayEnded() {
    if (!m_document.isModified()) {
        removeOwnFiles();
        return;
    }
    m_serializer.emplace(m_document.store().lines());
    serializeSlice();
}

void DocumentRecovery::serializeSlice() {
    if (!m_serializer)
        return;
    if (!m_serializer->step(m_sliceBudget)) {
        m_slices.start();
        return;
    }
    m_slices.stop();
    const QString target = recoveryFilePath(m_document.fileName());
    m_writer->write(target, m_serializer->takeChunks());
    m_serializer.reset();
    // A copy written under the document's earlier name is out of date now.
    m_ownFiles.erase(target);
    removeOwnFiles();
    m_ownFiles.insert(target);
}

void DocumentRecovery::removeOwnFiles() {
    for (const QString& path : m_ownFiles)
        m_writer->remove(path);
    m_ownFiles.clear();
}

} // namespace dolmex
