#pragma once

#include <QMimeData>
#include <QUrl>

#include <string>
#include <vector>

namespace tavimor {

// The local files that a drag carries (a file manager offers them as a list
// of file:// addresses, text/uri-list); nothing for text or other addresses.
inline std::vector<std::string> droppedFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files.push_back(url.toLocalFile().toStdString());
    return files;
}

} // namespace tavimor
