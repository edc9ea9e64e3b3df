#pragma once
// Fonts by the face names the windows were designed with. Chinese system faces (宋体, 隶书, 黑体 …)
// are not installed here; each stands for the installed CJK family nearest to its look.
#include <QFont>
#include <QString>

namespace forms {

// The installed family for a design face name; a name with no stand-in is returned as it is.
QString installedFamily(const QString& face);

// The design face at `pointSize`, bold or regular (a face whose stand-in is heavier keeps that weight
// when not bold).
QFont designFont(const QString& face, double pointSize, bool bold = false);

}  // namespace forms
