#pragma once

#include <string>

class QMainWindow;

namespace dolmex {

// Where the window's docks stand (shown or hidden, their side and size), kept between runs
// in a settings file of its own, so the program's settings file keeps its format. An empty
// path keeps nothing; a file that cannot be read, or holds anything else, changes nothing.
void RestoreDocks(QMainWindow& window, const std::string& path);
void StoreDocks(const QMainWindow& window, const std::string& path);

} // namespace dolmex
