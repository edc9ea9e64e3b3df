#pragma once
// Files of the folder-copy tests: what a folder holds, to compare two states of it (every file,
// hidden ones and those in subfolders included, with a hash of its bytes, and every row of a
// database as text), and reading and writing a whole file.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

QMap<QString, QByteArray> snapshot(const QString& folder);
QStringList databaseRows(const QString& path);
QByteArray readFile(const QString& path);
// Writes `bytes` to `path`, making its folder; fails the test when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);
