#pragma once

// Files in a temporary folder of their own, read and saved through the host's
// file store and the program's text file.
#include "PosixFileStore.h"
#include "TextFileSteps.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sys/mount.h>

namespace tavimor::test {

struct FileStoreTest : ::testing::Test
{
    QTemporaryDir dir;
    PosixFileStore store;
    TextFile file{store};

    explicit FileStoreTest(const SaveCalls& calls = kSystemSaveCalls)
        : store(calls)
    {
    }

    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    static void put(const std::string& p, const std::string& bytes)
    {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string get(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string openError(const std::string& p, const ReadLimit& limit = kSlotLimit)
    {
        return test::openError(file, p, limit);
    }
    std::string save(const std::string& p, const std::string& line) { return saveError(file, p, line); }
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// A small file system of its own; needs the right to mount (root in CI).
struct Mount
{
    QTemporaryDir point;
    bool mounted = false;
    explicit Mount(const char* options)
    {
        mounted = ::mount("tavimor-test", point.path().toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
    }
    void remountReadOnly()
    {
        mounted = ::mount("tavimor-test", point.path().toLocal8Bit().constData(), "tmpfs",
                          MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~Mount()
    {
        if (mounted)
            ::umount(point.path().toLocal8Bit().constData());
    }
};

} // namespace tavimor::test
