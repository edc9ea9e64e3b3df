#pragma once
// Deleting a subtree of library items: every row of every item (the item, its bookmarks, its case
// records) goes in one transaction or none does; the page files go only after the commit, so a failed
// delete leaves every page of the library in place.
#include <QList>
#include <QString>

namespace library {

// Deletes the items with the ids `keys` (decimal text, parents before children). On a failure the
// transaction is rolled back and the error passed on; nothing is deleted then.
void deleteItemRecords(const QList<QString>& keys);

}  // namespace library
