#pragma once
// The files of a work folder: the work database and the three page files of each library item.
#include <QString>

#include <cstdint>

namespace core {

inline constexpr char16_t kWorkDatabaseName[] = u"dirovovivov.mdb";

// Table codefiles as a library made without it gets it: the attachment columns and the person-record
// columns that the case list and the new-case dialog use, as the shipped library has them.
inline constexpr char16_t kCodeFilesTableDdl[] =
    u"CREATE TABLE CodeFiles (ID COUNTER, CodeID LONG, Description TEXT(50), File LONGBINARY, "
    u"OrigDateTime DATETIME, DateAdded DATETIME, NAME TEXT(50), xingbie TEXT(10), borntime TEXT(50), "
    u"guatime DATETIME, savetime DATETIME, address TEXT(255), tel TEXT(50), why TEXT(255), jielun MEMO)";

// The tables of a work database with the columns the program reads; the two marked are made when a
// library lacks them (with every column), the others a library must bring.
struct WorkTable {
    const char16_t* name;
    bool madeWhenMissing;
    const char16_t* columns;  // separated by blanks
};
inline constexpr WorkTable kWorkTables[] = {
    {u"codeitems", false, u"id parentid description code notes example"},
    {u"Bookmarks", false, u"ID CodeID Description"},
    {u"codefiles", true,
     u"ID CodeID Description File OrigDateTime DateAdded NAME xingbie borntime guatime savetime address tel why jielun"},
    {u"CodeDBVersion", true, u"version"},
};

// Why the file at `path` cannot be used as a work database, in words for the user; empty when it can.
// It is read, never changed: it must be a regular file that passes SQLite's quick check and holds
// the tables above with their columns (names compared without regard to case).
QString workDatabaseProblem(const QString& path);

// The work database of `folder`, a path ending in "/".
inline QString workDatabasePath(const QString& folder) { return folder + QString::fromUtf16(kWorkDatabaseName); }

// The three pages of an item, in the order an item's files are named and deleted.
enum class ItemPage { Code, Notes, Example };

// "GREENNOTE17.rtf", "BLUENote17.rtf", "REDNOTE17.rtf" for item 17.
QString pageFileName(ItemPage page, const QString& itemKey);

// The item id of a page file's name ("17" for "BLUENote17.rtf", letter case ignored); empty for a name
// that is no page's.
QString pageItemKey(const QString& fileName);

// Whether `fileName` is one of the program's own files of a work folder: the work database or a page
// file of some item (letter case ignored, as a library made elsewhere may spell it otherwise).
bool isWorkFolderFile(const QString& fileName);

}  // namespace core
