#include "SubstituteRegistry.h"

#include <QStandardPaths>
#include <QString>

#include <cstring>

namespace tavimor {

namespace {

constexpr long kNotFound = 2; // ERROR_FILE_NOT_FOUND
constexpr long kMoreData = 234; // ERROR_MORE_DATA
constexpr Registry::Key kToolKey = 1;

} // namespace

SubstituteRegistry::SubstituteRegistry()
    : SubstituteRegistry({"hardinfo", "kinfocenter", "gnome-system-monitor"})
{
}

SubstituteRegistry::SubstituteRegistry(std::vector<std::string> viewers)
    : m_viewers(std::move(viewers))
{
}

long SubstituteRegistry::RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t, std::uint32_t, Key& result)
{
    if (root != kLocalMachine || subKey != "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO")
        return kNotFound;
    result = kToolKey;
    return 0;
}

long SubstituteRegistry::RegQueryValueEx(Key key, const std::string& valueName, std::uint32_t& type,
                                         unsigned char* data, std::uint32_t& size)
{
    if (key != kToolKey || valueName != "PATH")
        return kNotFound;
    for (const std::string& viewer : m_viewers) {
        const QString found = QStandardPaths::findExecutable(QString::fromStdString(viewer));
        if (found.isEmpty())
            continue;
        const std::string path = found.toStdString();
        if (path.size() + 1 > size)
            return kMoreData;
        std::memcpy(data, path.c_str(), path.size() + 1); // with its terminating zero, as Windows stores it
        size = std::uint32_t(path.size() + 1);
        type = kTypeText;
        return 0;
    }
    return kNotFound;
}

long SubstituteRegistry::RegCloseKey(Key)
{
    return 0;
}

} // namespace tavimor
