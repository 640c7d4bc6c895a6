// The include rules of src/, read from src/layers.txt: no file includes a layer above its
// own, and the logic layers take nothing from Qt beyond QtCore.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Layer {
    std::string folder;
    std::string prefix; // "tools/T*": the files of tools whose names start with "T"
    bool logic = false;
    int rank = 0;
};

std::vector<Layer> ReadLayers(std::istream& in) {
    std::vector<Layer> layers;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string name, kind;
        if (!(words >> name))
            continue;
        words >> kind;
        Layer layer;
        layer.logic = kind == "logic";
        layer.rank = static_cast<int>(layers.size());
        const auto slash = name.find('/');
        layer.folder = name.substr(0, slash);
        if (slash != std::string::npos) {
            layer.prefix = name.substr(slash + 1);
            layer.prefix.erase(std::remove(layer.prefix.begin(), layer.prefix.end(), '*'),
                               layer.prefix.end());
        }
        layers.push_back(layer);
    }
    return layers;
}

// The layer of `file` (relative to src/): a pattern of its folder before the folder itself.
const Layer* LayerOf(const std::vector<Layer>& layers, const fs::path& file) {
    const std::string folder = file.begin()->string();
    const std::string name = file.filename().string();
    const Layer* found = nullptr;
    for (const Layer& layer : layers) {
        if (layer.folder != folder || name.rfind(layer.prefix, 0) != 0)
            continue;
        if (!found || layer.prefix.size() > found->prefix.size())
            found = &layer;
    }
    return found;
}

bool IsQtHeader(const std::string& header) {
    return header.size() > 1 && header[0] == 'Q' &&
           std::isupper(static_cast<unsigned char>(header[1]));
}

// `#include <a/b.h>` or `#include "b.h"`, with any blanks around "#" and "include".
bool ParseInclude(const std::string& line, std::string& header, char& opening) {
    std::istringstream in(line);
    std::string hash;
    if (!(in >> hash) || hash.rfind('#', 0) != 0)
        return false;
    std::string rest = hash.substr(1);
    std::string word;
    if (rest.empty() && !(in >> rest))
        return false;
    if (rest.rfind("include", 0) != 0)
        return false;
    std::getline(in, word);
    rest = rest.substr(7) + word;
    const auto start = rest.find_first_not_of(" \t");
    if (start == std::string::npos || (rest[start] != '<' && rest[start] != '"'))
        return false;
    opening = rest[start];
    const auto end = rest.find(opening == '<' ? '>' : '"', start + 1);
    if (end == std::string::npos)
        return false;
    header = rest.substr(start + 1, end - start - 1);
    return true;
}

std::vector<std::string> LayerViolations(const fs::path& src, const std::vector<Layer>& layers,
                                         const fs::path& qtCore) {
    std::vector<std::string> violations;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const fs::path file = fs::relative(entry.path(), src);
        const Layer* own = LayerOf(layers, file);
        if (!own) {
            violations.push_back(file.string() + ": in no layer");
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            std::string header;
            char opening = 0;
            if (!ParseInclude(line, header, opening))
                continue;
            if (opening == '<') {
                // <QString> or <QtCore/QString>: QtCore's own headers only.
                const std::string name = header.substr(header.find('/') + 1);
                const bool qt = IsQtHeader(header) || header.rfind("Qt", 0) == 0;
                if (own->logic && qt && !fs::exists(qtCore / name))
                    violations.push_back(file.string() + ": logic includes <" + header + ">");
                continue;
            }
            const fs::path target = header.find('/') == std::string::npos
                                        ? file.parent_path() / header
                                        : fs::path(header);
            if (!fs::exists(src / target))
                continue; // made by the build (uic, moc)
            const Layer* theirs = LayerOf(layers, target);
            if (theirs && theirs->rank > own->rank)
                violations.push_back(file.string() + ": includes higher layer " + header);
        }
    }
    std::sort(violations.begin(), violations.end());
    return violations;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST(LayerTest, NoFileOfSrcIncludesAHigherLayerOrAWidgetHeaderFromLogic) {
    std::ifstream layerFile(DOLMEX_SOURCE_DIR "/src/layers.txt");
    ASSERT_TRUE(layerFile) << "src/layers.txt missing";
    const std::vector<Layer> layers = ReadLayers(layerFile);
    ASSERT_GE(layers.size(), 5u);
    const std::vector<std::string> violations =
        LayerViolations(DOLMEX_SOURCE_DIR "/src", layers, DOLMEX_QT_CORE_DIR);
    EXPECT_TRUE(violations.empty()) << Joined(violations);
}

// The checker itself, on a small made-up tree: each case is one file and what it includes.
TEST(LayerTest, TheCheckerFindsEachKindOfViolation) {
    std::istringstream declared("core logic\ntools logic # comment\nui\ntools/T*\n");
    const std::vector<Layer> layers = ReadLayers(declared);
    const fs::path root = fs::temp_directory_path() / "dolmex-layer-test";
    fs::remove_all(root);
    const struct {
        const char* file;
        const char* text;
        const char* violation; // empty: none
    } cases[] = {
        {"core/Store.h", "#include <QString>\n#include <vector>\n", ""},
        {"core/Bad.cpp", "#include \"tools/Renumber.h\"\n", "core/Bad.cpp: includes higher"},
        {"core/Gui.cpp", "#include <QWidget>\n", "core/Gui.cpp: logic includes <QWidget>"},
        {"core/GuiPath.cpp", "#include <QtGui/QColor>\n", "logic includes <QtGui/QColor>"},
        {"tools/Renumber.h", "#include \"core/Store.h\"\n#include \"Renumber.h\"\n", ""},
        {"tools/Window.cpp", "#include \"TForm.h\"\n", "tools/Window.cpp: includes higher"},
        {"tools/TForm.h", "#include \"ui/Model.h\"\n#include <QDialog>\n", ""},
        {"ui/Model.h", "#include \"ui_TForm.h\"\n#include <QAbstractTableModel>\n", ""},
        {"extra/New.cpp", "", "extra/New.cpp: in no layer"},
    };
    for (const auto& c : cases) {
        fs::create_directories((root / c.file).parent_path());
        std::ofstream(root / c.file) << c.text;
    }
    fs::create_directories(root / "qtcore");
    std::ofstream(root / "qtcore" / "QString");
    const std::vector<std::string> violations = LayerViolations(root, layers, root / "qtcore");
    fs::remove_all(root / "qtcore");
    const std::string all = Joined(violations);
    int expected = 0;
    for (const auto& c : cases) {
        if (*c.violation == '\0')
            continue;
        ++expected;
        EXPECT_NE(all.find(c.violation), std::string::npos) << c.file << "\n" << all;
    }
    EXPECT_EQ(static_cast<int>(violations.size()), expected) << all;
    fs::remove_all(root);
}

} // namespace
