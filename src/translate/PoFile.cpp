#include "PoFile.h"

#include "core/FileBytes.h"
#include "core/IoError.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gettext-po.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dolmex {

namespace {

// The library keeps global state while it reads or writes.
std::mutex g_libraryLock;

// What the library reported during one call. Its contract is that a handler gets no
// control back after a fatal error. Writing keeps to that and leaves through `escape`
// (nothing is open then but the scratch file). Reading may return: the library's one fatal
// report of a read ("found N fatal errors") comes after the whole file was parsed, and
// returning lets it close the file, where leaving would lose a file handle per bad file.
struct Problems {
    std::string text;
    bool escapeOnFatal = false;
    std::jmp_buf escape;
};
Problems* g_problems = nullptr;

void Report(int severity, const char* file, std::size_t line, const char* message) {
    if (severity == PO_SEVERITY_WARNING || !message)
        return;
    std::string& text = g_problems->text;
    if (!text.empty())
        text += "; ";
    if (file) {
        text += file;
        if (line != static_cast<std::size_t>(-1))
            text += ':' + std::to_string(line);
        text += ": ";
    }
    text += message;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
}

void XError(int severity, po_message_t, const char* file, std::size_t line, std::size_t, int,
            const char* message) {
    Report(severity, file, line, message);
    if (severity == PO_SEVERITY_FATAL_ERROR && g_problems->escapeOnFatal)
        std::longjmp(g_problems->escape, 1);
}

void XError2(int severity, po_message_t, const char* file1, std::size_t line1, std::size_t, int,
             const char* message1, po_message_t, const char* file2, std::size_t line2, std::size_t,
             int, const char* message2) {
    Report(severity, file1, line1, message1);
    Report(severity, file2, line2, message2);
    if (severity == PO_SEVERITY_FATAL_ERROR && g_problems->escapeOnFatal)
        std::longjmp(g_problems->escape, 1);
}

const po_xerror_handler kHandler{XError, XError2};

po_file_t Read(const char* path, Problems& problems) {
    g_problems = &problems;
    return po_file_read(path, &kHandler);
}

// Nothing with a destructor may live in this frame: the handler may jump over it.
bool WriteEscaping(po_file_t file, const char* path, Problems& problems) {
    g_problems = &problems;
    problems.escapeOnFatal = true;
    if (setjmp(problems.escape) != 0)
        return false;
    return po_file_write(file, path, &kHandler) != nullptr && problems.text.empty();
}

const char* kHeader = "Project-Id-Version: Velmora dialogs\n"
                      "Report-Msgid-Bugs-To: \n"
                      "PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\n"
                      "Last-Translator: \n"
                      "Language-Team: \n"
                      "Language: \n"
                      "MIME-Version: 1.0\n"
                      "Content-Type: text/plain; charset=UTF-8\n"
                      "Content-Transfer-Encoding: 8bit\n"
                      "X-Generator: dolmex-cli\n";

// Frees what the library handed out with malloc.
struct Freed {
    char* text;
    ~Freed() { std::free(text); }
};

bool DeclaresUtf8(po_file_t file) {
    const char* header = po_file_domain_header(file, nullptr);
    if (!header)
        return true; // no header: the library reads it as UTF-8 and so do we
    const Freed type{po_header_field(header, "Content-Type")};
    if (!type.text)
        return true;
    const QByteArray value = QByteArray(type.text).toLower();
    return !value.contains("charset=") || value.contains("charset=utf-8");
}

// Characters of UTF-8 bytes, or nothing when they are not UTF-8.
std::optional<QString> Utf8Text(const char* bytes) {
    if (!bytes)
        return QString();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(QByteArrayView(bytes));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// A run of the entries that one process writes, each with the header, joined afterwards.
struct Part {
    const PoEntry* begin;
    const PoEntry* end;
};

// The library spends most of a large export in its line wrapping, and it cannot run in
// two threads at once; processes can. Small catalogues are not worth a process.
constexpr std::size_t kEntriesPerPart = 20000;
constexpr int kMostParts = 8;

int PartsFor(const std::vector<PoEntry>& entries) {
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const auto bySize = static_cast<int>(std::min<std::size_t>(
        entries.size() / kEntriesPerPart + 1, static_cast<std::size_t>(kMostParts)));
    return std::min(cores, bySize);
}

std::vector<Part> SplitIntoParts(const std::vector<PoEntry>& entries, int parts) {
#ifndef Q_OS_UNIX
    parts = 1; // the split needs fork()
#endif
    const std::size_t count = std::max<std::size_t>(
        1, std::min(static_cast<std::size_t>(parts), std::max<std::size_t>(1, entries.size())));
    std::vector<Part> split;
    const PoEntry* first = entries.data();
    for (std::size_t k = 0; k < count; ++k)
        split.push_back(
            {first + entries.size() * k / count, first + entries.size() * (k + 1) / count});
    return split;
}

// Writes the header and the part's entries to `written`; the library's complaint, or
// nothing. Runs with the library lock held.
std::string WritePart(const Part& part, const std::string& written) {
    po_file_t file = po_file_create();
    po_message_iterator_t iterator = po_message_iterator(file, nullptr);
    po_message_t header = po_message_create();
    po_message_set_msgid(header, "");
    po_message_set_msgstr(header, kHeader);
    po_message_set_fuzzy(header, 1);
    po_message_insert(iterator, header);
    for (const PoEntry* entry = part.begin; entry != part.end; ++entry) {
        po_message_t message = po_message_create();
        po_message_set_msgctxt(message, entry->context.toUtf8().constData());
        po_message_set_msgid(message, entry->source.toUtf8().constData());
        po_message_set_msgstr(message, entry->translation.toUtf8().constData());
        if (!entry->note.isEmpty())
            po_message_set_extracted_comments(message, entry->note.toUtf8().constData());
        if (!entry->referenceFile.isEmpty())
            po_message_add_filepos(message, entry->referenceFile.toUtf8().constData(),
                                   static_cast<std::size_t>(entry->referenceLine));
        po_message_set_fuzzy(message, entry->fuzzy ? 1 : 0);
        po_message_insert(iterator, message);
    }
    po_message_iterator_free(iterator);
    Problems problems;
    const bool ok = WriteEscaping(file, written.c_str(), problems);
    po_file_free(file);
    if (ok)
        return {};
    return problems.text.empty() ? "the catalogue could not be written" : problems.text;
}

// A part after the first without its header: everything up to the blank line that follows
// it, which the header's own lines (all quoted) never hold.
std::string_view WithoutHeader(const std::string& part) {
    const std::size_t blank = part.find("\n\n");
    return blank == std::string::npos ? std::string_view()
                                      : std::string_view(part).substr(blank + 1);
}

// A process writing one part. Where none can be started, the part is written here when
// waited for.
struct Child {
    Part part;
    std::string written;
    int pid = -1;

    std::string problemFile() const { return written + ".problem"; }

    std::string wait() const {
        if (pid < 0)
            return WritePart(part, written);
#ifdef Q_OS_UNIX
        int status = 0;
        while (waitpid(pid, &status, 0) < 0)
            if (errno != EINTR)
                return "a process writing part of the catalogue was lost";
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
            return {};
#endif
        std::string problem;
        try {
            problem = ReadFileBytes(problemFile());
        } catch (const IoError&) {
        }
        return problem.empty() ? "a process writing part of the catalogue failed" : problem;
    }
};

Child StartChild(const Part& part, const std::string& written) {
    Child child{part, written};
#ifdef Q_OS_UNIX
    child.pid = fork();
    if (child.pid == 0) {
        // Only the library and plain writes from here: _exit leaves the parent's buffers
        // and destructors alone.
        const std::string problem = WritePart(part, written);
        if (problem.empty())
            _exit(0);
        if (std::FILE* out = std::fopen(child.problemFile().c_str(), "wb")) {
            std::fwrite(problem.data(), 1, problem.size(), out);
            std::fclose(out);
        }
        _exit(1);
    }
#endif
    return child;
}

} // namespace

void WritePoFile(const std::string& path, const std::vector<PoEntry>& entries, int parts) {
    // The library writes to names of its own choosing; the file goes to the target through
    // the one crash-safe writer.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        throw IoError(IoError::Kind::Write, path, scratch.errorString().toStdString());
    const std::vector<Part> split = SplitIntoParts(entries, parts > 0 ? parts : PartsFor(entries));
    std::vector<std::string> partFiles;
    for (std::size_t k = 0; k < split.size(); ++k)
        partFiles.push_back(scratch.filePath(QStringLiteral("part-%1.po").arg(k)).toStdString());
    std::vector<std::string> problems(split.size());
    {
        // Held across the forks too, so that no child starts with the library halfway
        // through a call made by another thread.
        const std::lock_guard lock(g_libraryLock);
        if (split.size() == 1) {
            problems[0] = WritePart(split[0], partFiles[0]);
        } else {
            // Every part in a child: the parent then has no catalogue of its own to free.
            std::vector<Child> children;
            for (std::size_t k = 0; k < split.size(); ++k)
                children.push_back(StartChild(split[k], partFiles[k]));
            for (std::size_t k = 0; k < children.size(); ++k)
                problems[k] = children[k].wait();
        }
    }
    for (const std::string& problem : problems)
        if (!problem.empty())
            throw IoError(IoError::Kind::Write, path, problem);
    std::string catalogue = ReadFileBytes(partFiles[0]);
    for (std::size_t k = 1; k < partFiles.size(); ++k)
        catalogue += WithoutHeader(ReadFileBytes(partFiles[k]));
    WriteFileAtomically(path, catalogue);
}

std::vector<PoEntry> ReadPoFile(const std::string& path) {
    // Opened here first, so that a missing file reads as every other missing file does.
    ReadFileStart(path, 0);
    const std::lock_guard lock(g_libraryLock);
    Problems problems;
    po_file_t file = Read(path.c_str(), problems);
    if (!file)
        throw IoError(IoError::Kind::Open, path,
                      problems.text.empty() ? "cannot open the file" : problems.text);
    struct FileFreed {
        po_file_t file;
        ~FileFreed() { po_file_free(file); }
    } freed{file};
    if (!problems.text.empty())
        throw IoError(IoError::Kind::Read, path, problems.text);
    if (!DeclaresUtf8(file))
        throw IoError(IoError::Kind::Read, path, "the file is not in UTF-8");

    std::vector<PoEntry> entries;
    po_message_iterator_t iterator = po_message_iterator(file, nullptr);
    while (po_message_t message = po_next_message(iterator)) {
        const char* id = po_message_msgid(message);
        if (po_message_is_obsolete(message) || !id || !*id)
            continue;
        const auto context = Utf8Text(po_message_msgctxt(message));
        const auto source = Utf8Text(id);
        const auto translation = Utf8Text(po_message_msgstr(message));
        const auto note = Utf8Text(po_message_extracted_comments(message));
        if (!context || !source || !translation || !note) {
            po_message_iterator_free(iterator);
            throw IoError(IoError::Kind::Read, path, "a message is not valid UTF-8");
        }
        PoEntry entry{
            *context, *source, *translation, *note, {}, 0, po_message_is_fuzzy(message) != 0};
        if (po_filepos_t place = po_message_filepos(message, 0)) {
            entry.referenceFile = Utf8Text(po_filepos_file(place)).value_or(QString());
            entry.referenceLine = static_cast<int>(po_filepos_start_line(place));
        }
        entries.push_back(std::move(entry));
    }
    po_message_iterator_free(iterator);
    return entries;
}

} // namespace dolmex
