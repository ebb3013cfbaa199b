// Whole-file writes: a failed write never leaves a short file in place; what
// is written into the program folder is the user's alone.
#include "core/files.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(AtomicWrite, AFailedWriteOfAnySizeKeepsTheOldFileAndReportsIt)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("version.dat"));
    // Small writes sit in a buffer before they reach the disk, large ones
    // go through at once: both must fail alike.
    for (const int size : {100, 100000}) {
        SCOPED_TRACE(size);
        ASSERT_TRUE(kolde_test::write_file(target, "old"));
        {
            kolde_test::FileSizeLimit limit(64);
            ASSERT_TRUE(limit.active());
            EXPECT_FALSE(kolde_sub::write_file_atomically(target, QByteArray(size, 'x')));
        }
        EXPECT_EQ(kolde_test::read_file(target), QByteArray("old"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("version.dat")});
    }
    EXPECT_TRUE(kolde_sub::write_file_atomically(target, "new"));
    EXPECT_EQ(kolde_test::read_file(target), QByteArray("new"));
    EXPECT_FALSE(kolde_sub::write_file_atomically(dir.filePath(QStringLiteral("no/such/folder/x")), "x"));
}

TEST(PrivateFiles, NewFilesAndFoldersAreTheOwnersAlone)
{
    QTemporaryDir dir;
    using kolde_test::file_mode;
    // A new file is the owner's alone; a file that is replaced keeps its mode.
    const QString fresh = dir.filePath(QStringLiteral("fresh.dat"));
    ASSERT_TRUE(kolde_sub::write_file_atomically(fresh, "x"));
    EXPECT_EQ(file_mode(fresh), 0600);
    ASSERT_TRUE(QFile::setPermissions(fresh, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    ASSERT_TRUE(kolde_sub::write_file_atomically(fresh, "y"));
    EXPECT_EQ(file_mode(fresh), 0604);

    // A folder is made for its owner alone, parents included; an existing
    // one open to others is closed to them.
    const QString folder = dir.filePath(QStringLiteral("a/kolde"));
    EXPECT_TRUE(kolde_sub::make_private_folder(folder));
    EXPECT_EQ(file_mode(folder), 0700);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther));
    EXPECT_TRUE(kolde_sub::make_private_folder(folder));
    EXPECT_EQ(file_mode(folder), 0700);
    EXPECT_FALSE(kolde_sub::make_private_folder(fresh));  // a file is no folder

    EXPECT_TRUE(kolde_sub::make_private_file(fresh));
    EXPECT_EQ(file_mode(fresh), 0600);
    EXPECT_TRUE(kolde_sub::make_private_file(dir.filePath(QStringLiteral("none"))));
}

}  // namespace
