#include "DialogPath.h"

#include "TextFields.h"

namespace dolmex {

std::string DialogFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DialogTitle(const std::string& path) {
    std::string name = DialogFileName(path);
    name.resize(name.size() > 4 ? name.size() - 4 : 0);
    const std::string number = name.substr(0, 5);
    const std::string dialogName = name.size() > 5 ? name.substr(5) : std::string();
    return number + " - " + WordAt(dialogName, 1);
}

std::string ModuleRootOf(const std::string& path) {
    const long long count = static_cast<long long>(path.size()) -
                            static_cast<long long>(DialogFileName(path).size()) - 4;
    return count > 0 ? path.substr(0, static_cast<std::size_t>(count)) : std::string();
}

} // namespace dolmex
