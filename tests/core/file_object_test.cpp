#include "core/file_object.h"
#include "core/globals.h"
#include "platform/vb/safe_file_writer.h"
#include "tests/core/work_folder_fixture.h"

#include <QDir>
#include <QFile>

namespace {

using core::CFileObject;

class FileObjectTest : public WorkFolderTest {
protected:
    // An attachment row of item 1 holding `bytes`; returns its id.
    QString addAttachment(const QByteArray& bytes) {
        core::gWorkDB.execute(
            QStringLiteral("insert into codefiles (codeid, description, file, origdatetime, dateadded) values (1, ?, ?, ?, ?)"),
            {QStringLiteral("附件"), bytes, vb::Date::fromParts(2020, 5, 1), vb::Date::fromParts(2024, 1, 2)});
        return value(QStringLiteral("select max(id) from codefiles"));
    }
    static QByteArray pattern(int size) {
        QByteArray b(size, '\0');
        for (int i = 0; i < size; ++i) b[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
        return b;
    }
    // Files of the work folder, hidden ones included.
    QStringList folderFiles() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(FileObjectTest, SaveToFileWritesTheStoredBytesInPieces) {
    for (int size : {0, 1, 16384, 16385, 40000}) {
        const QByteArray bytes = pattern(size);
        CFileObject file;
        file.Initialise(core::gWorkDB, addAttachment(bytes));
        EXPECT_EQ(file.Description(), QStringLiteral("附件"));
        const QString out = path(QStringLiteral("out.bin"));
        file.SaveToFile(out);
        EXPECT_EQ(readFile(out), bytes) << size;
    }
}

TEST_F(FileObjectTest, SaveToFileReplacesALongerFileWhole) {
    const QString out = path(QStringLiteral("out.bin"));
    writeFile(out, QByteArray(50000, 'x'));
    CFileObject file;
    file.Initialise(core::gWorkDB, addAttachment("short"));
    file.SaveToFile(out);
    EXPECT_EQ(readFile(out), QByteArray("short"));
}

TEST_F(FileObjectTest, SaveToFileWithoutARowWritesNothing) {
    CFileObject file;
    file.Initialise(core::gWorkDB, QStringLiteral("999"));
    const QString out = path(QStringLiteral("out.bin"));
    file.SaveToFile(out);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(FileObjectTest, AFailedSaveLeavesTheEarlierFileAndNoPartialOne) {
    const QString out = path(QStringLiteral("out.bin"));
    writeFile(out, "earlier");
    const QStringList before = folderFiles();
    CFileObject file;
    file.Initialise(core::gWorkDB, addAttachment(pattern(40000)));
    (void)file.Description();
    vb::SafeFileWriter::setFaultHook([](const QString&, qint64 offset) { return offset < 16384; });
    const vb::Error e = errorOf([&] { file.SaveToFile(out); });
    vb::SafeFileWriter::setFaultHook({});
    EXPECT_EQ(e.number(), 61);  // disk full
    EXPECT_TRUE(e.source().endsWith(QStringLiteral("::CFileObject_SaveToFile"))) << e.source().toStdString();
    EXPECT_EQ(readFile(out), QByteArray("earlier"));
    EXPECT_EQ(folderFiles(), before);
}

TEST_F(FileObjectTest, SaveToFileIntoAMissingFolderFails) {
    CFileObject file;
    file.Initialise(core::gWorkDB, addAttachment("x"));
    EXPECT_THROW(file.SaveToFile(path(QStringLiteral("no/such/folder/out.bin"))), vb::Error);
}

TEST_F(FileObjectTest, DeleteRemovesExactlyThatRow) {
    const QString attachment = addAttachment("x");
    CFileObject person;
    person.Initialise(core::gWorkDB, QStringLiteral("1"));  // the shipped case record
    person.Delete();
    person.Commit();
    EXPECT_EQ(person.state(), core::kRecordDeleted);
    EXPECT_EQ(rows(QStringLiteral("select * from codefiles where id = 1")), 0);
    EXPECT_EQ(rows(QStringLiteral("select * from codefiles where id = ?"), {attachment.toInt()}), 1);
}

TEST_F(FileObjectTest, ANewFileRecordIsNeverWritten) {
    CFileObject file;
    file.Initialise(core::gWorkDB, QString());
    file.setCodeID(QStringLiteral("4"));
    file.Commit();
    EXPECT_EQ(file.state(), core::kRecordNew);
    EXPECT_TRUE(file.Key().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("select * from codefiles")), 1);
}

TEST_F(FileObjectTest, UpdateWritesCodeID) {
    CFileObject file;
    file.Initialise(core::gWorkDB, addAttachment("x"));
    file.setCodeID(QStringLiteral("3"));
    file.Commit();
    EXPECT_EQ(file.state(), core::kRecordUnchanged);
    EXPECT_EQ(value(QStringLiteral("select codeid from codefiles where id = ?"), {file.Key().toInt()}), QStringLiteral("3"));
}

TEST_F(FileObjectTest, ACaseRecordDoesNotLoadAsAnAttachment) {
    // The shipped case record has no attachment time stamps.
    CFileObject person;
    person.Initialise(core::gWorkDB, QStringLiteral("1"));
    const vb::Error e = errorOf([&] { (void)person.CodeID(); });
    EXPECT_EQ(e.number(), vb::kInvalidUseOfNull);
    EXPECT_EQ(e.source(), QStringLiteral("CFileObject:GetAttributes"));
}

}  // namespace
