#pragma once
// What a folder holds, to compare two states of it: every file (hidden ones and those in subfolders
// included) with a hash of its bytes, and every row of a database as text.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

QMap<QString, QByteArray> snapshot(const QString& folder);
QStringList databaseRows(const QString& path);
