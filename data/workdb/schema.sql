-- The work database dirovovivov.mdb, in the engine's DDL. The build makes the shipped starter library
-- and the empty template from this one definition. Statements end with ";"; lines starting with
-- "--" are comments.

-- The library's items; parentid 0 for a top-level item. code, notes and example keep what the item's
-- page properties held when it was last written.
CREATE TABLE codeitems (
    id COUNTER,
    parentid LONG,
    description TEXT(255),
    code MEMO,
    notes MEMO,
    example MEMO
);
CREATE INDEX codeitems_parentid ON codeitems (parentid);

-- Bookmarks, each pointing at a codeitems.id; the add-bookmark dialog limits Description to 250.
CREATE TABLE Bookmarks (
    ID COUNTER,
    CodeID LONG,
    Description TEXT(255)
);
CREATE INDEX Bookmarks_CodeID ON Bookmarks (CodeID);

-- Attachments and the case records of an item (CodeID = codeitems.id): the first six columns are the
-- attachment's, the rest the person record's (name, sex, birth text, chart moment, time saved,
-- address, telephone, reason, conclusion).
CREATE TABLE codefiles (
    ID COUNTER,
    CodeID LONG,
    Description TEXT(50),
    File LONGBINARY,
    OrigDateTime DATETIME,
    DateAdded DATETIME,
    NAME TEXT(50),
    xingbie TEXT(10),
    borntime TEXT(50),
    guatime DATETIME,
    savetime DATETIME,
    address TEXT(255),
    tel TEXT(50),
    why TEXT(255),
    jielun MEMO
);
CREATE INDEX codefiles_CodeID ON codefiles (CodeID);

-- The version of the program that first opened the library; the library window writes its one row.
CREATE TABLE CodeDBVersion (
    version TEXT(50)
);
