// Whole-file writes: a failed write never leaves a short file in place.
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

// A new file is the owner's alone; a file that is replaced keeps its mode.
TEST(AtomicWrite, ANewFileIsTheOwnersAloneAReplacedOneKeepsItsMode)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("fresh.dat"));
    ASSERT_TRUE(kolde_sub::write_file_atomically(target, "x"));
    EXPECT_EQ(kolde_test::file_mode(target), 0600);
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    ASSERT_TRUE(kolde_sub::write_file_atomically(target, "y"));
    EXPECT_EQ(kolde_test::file_mode(target), 0604);
}

}  // namespace
