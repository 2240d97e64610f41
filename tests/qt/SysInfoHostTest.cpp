#include "about/SysInfo.h"
#include "QtPlatform.h"
#include "SubstituteRegistry.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace tavimor;

TEST(SubstituteRegistry, NamesTheFirstViewerOnPath)
{
    SubstituteRegistry found({"no-such-viewer-here", "sh"});
    std::string path;
    ASSERT_TRUE(GetKeyValue(found, Registry::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path));
    EXPECT_EQ(path.back(), 'h');
    EXPECT_EQ(path.find('\0'), std::string::npos) << "the terminating zero is dropped";

    SubstituteRegistry none({"no-such-viewer-here"});
    EXPECT_FALSE(GetKeyValue(none, Registry::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path));
    EXPECT_FALSE(GetKeyValue(found, Registry::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                             path));
}

TEST(QtPlatform, StartsOnlyWhatCanRun)
{
    QtPlatform platform;
    QTemporaryDir dir;
    const std::string notExecutable = dir.filePath("plain.txt").toStdString();
    std::ofstream(notExecutable) << "not a program";
    for (const std::string& path : {notExecutable, dir.path().toStdString(), std::string("/no/such/tool"),
                                    std::string()})
        EXPECT_THROW(platform.StartProgram(path), PlatformError) << path;
    EXPECT_NO_THROW(platform.StartProgram("/bin/true"));
    EXPECT_TRUE(platform.FileExists(notExecutable));
    EXPECT_FALSE(platform.FileExists(dir.path().toStdString()));
}
