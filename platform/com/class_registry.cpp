#include "platform/com/class_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringList>

namespace com {

QString ClassRegistry::defaultPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/veyra/classes.ini");
}

ClassRegistry::ClassRegistry(QString path) : path_(std::move(path)) {}

static bool sameKey(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

ClassRegistry::Key* ClassRegistry::find(const QString& key) {
    for (auto& k : keys_)
        if (sameKey(k.name, key)) return &k;
    return nullptr;
}
const ClassRegistry::Key* ClassRegistry::find(const QString& key) const {
    for (const auto& k : keys_)
        if (sameKey(k.name, key)) return &k;
    return nullptr;
}

bool ClassRegistry::load() {
    keys_.clear();
    QFile f(path_);
    if (!f.exists()) return true;
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    Key* current = nullptr;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            createKey(line.mid(1, line.size() - 2));
            current = find(line.mid(1, line.size() - 2));
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0) continue;  // a stray line is skipped, not fatal
        QString name = line.left(eq);
        if (name == QLatin1String("@")) name.clear();
        current->values.emplace_back(name, line.mid(eq + 1));
    }
    return true;
}

bool ClassRegistry::save() const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.tryLock(2000);
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray text;
    for (const auto& k : keys_) {
        text += '[' + k.name.toUtf8() + "]\n";
        for (const auto& [n, v] : k.values) {
            QString value = v;
            value.replace(QLatin1Char('\n'), QLatin1Char(' '));
            text += (n.isEmpty() ? QByteArray("@") : n.toUtf8()) + '=' + value.toUtf8() + '\n';
        }
    }
    f.write(text);
    return f.commit();
}

bool ClassRegistry::hasKey(const QString& key) const { return find(key) != nullptr; }

void ClassRegistry::createKey(const QString& key) {
    if (!find(key)) keys_.push_back(Key{key, {}});
}

QString ClassRegistry::value(const QString& key, const QString& name) const {
    if (const Key* k = find(key))
        for (const auto& [n, v] : k->values)
            if (sameKey(n, name)) return v;
    return {};
}

void ClassRegistry::setValue(const QString& key, const QString& name, const QString& value) {
    createKey(key);
    Key* k = find(key);
    for (auto& [n, v] : k->values) {
        if (sameKey(n, name)) {
            v = value;
            return;
        }
    }
    k->values.emplace_back(name, value);
}

void ClassRegistry::removeTree(const QString& key) {
    const QString prefix = key + QLatin1Char('\\');
    std::erase_if(keys_, [&](const Key& k) {
        return sameKey(k.name, key) || k.name.startsWith(prefix, Qt::CaseInsensitive);
    });
}

QStringList ClassRegistry::keys() const {
    QStringList out;
    for (const auto& k : keys_) out << k.name;
    return out;
}

QString ClassRegistry::inprocServer(const Guid& clsid) const {
    return value(QStringLiteral("CLSID\\") + clsid.toString() + QStringLiteral("\\InprocServer32"));
}

}  // namespace com
