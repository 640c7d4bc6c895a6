#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

namespace dolmex::test {

// A temporary folder for fixtures, removed with the object.
class TempFolder {
public:
    std::string path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string root() const { return m_dir.path().toStdString(); }

    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string file = path(name);
        QDir().mkpath(QFileInfo(QString::fromStdString(file)).path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    QTemporaryDir m_dir;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace dolmex::test

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
