#include "core/Document.h"
#include "core/MemoryTuning.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    dolmex::KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dolmex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dolmex"));

    // Until the main window exists the editor opens the document it would show.
    dolmex::Document document;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        document.LoadDlg(arguments.at(1).toLocal8Bit().toStdString());

    QMainWindow window;
    window.setWindowTitle(QString::fromLocal8Bit(document.caption()));
    window.resize(750, 500);
    window.show();
    return QApplication::exec();
}
