#include "platform/forms/font_faces.h"

#include <QStringList>

#include <array>

namespace forms {
namespace {

struct FaceStandIn {
    const char16_t* face;
    const char* family;
    QFont::Weight weight;
};

constexpr const char* kSerif = "Noto Serif CJK SC";
constexpr const char* kSans = "Noto Sans CJK SC";
constexpr const char* kMono = "Noto Sans Mono CJK SC";

// Song and Kai faces are serif designs; the clerical 隶书 has no installed match, so it takes the
// serif face at a heavier weight, which keeps its broad strokes apart from the text around it.
constexpr std::array kStandIns{
    FaceStandIn{u"宋体", kSerif, QFont::Normal},      FaceStandIn{u"新宋体", kSerif, QFont::Normal},
    FaceStandIn{u"SimSun", kSerif, QFont::Normal},    FaceStandIn{u"NSimSun", kSerif, QFont::Normal},
    FaceStandIn{u"仿宋", kSerif, QFont::Light},       FaceStandIn{u"仿宋_GB2312", kSerif, QFont::Light},
    FaceStandIn{u"楷体", kSerif, QFont::Normal},      FaceStandIn{u"楷体_GB2312", kSerif, QFont::Normal},
    FaceStandIn{u"KaiTi", kSerif, QFont::Normal},     FaceStandIn{u"隶书", kSerif, QFont::DemiBold},
    FaceStandIn{u"LiSu", kSerif, QFont::DemiBold},    FaceStandIn{u"黑体", kSans, QFont::Normal},
    FaceStandIn{u"SimHei", kSans, QFont::Normal},     FaceStandIn{u"微软雅黑", kSans, QFont::Normal},
    FaceStandIn{u"幼圆", kSans, QFont::Light},        FaceStandIn{u"MS Sans Serif", kSans, QFont::Normal},
    FaceStandIn{u"Tahoma", kSans, QFont::Normal},     FaceStandIn{u"Courier New", kMono, QFont::Normal},
};

const FaceStandIn* standIn(const QString& face) {
    for (const FaceStandIn& s : kStandIns)
        if (face.compare(QString::fromUtf16(s.face), Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

}  // namespace

QString installedFamily(const QString& face) {
    const FaceStandIn* s = standIn(face);
    return s ? QString::fromLatin1(s->family) : face;
}

QFont designFont(const QString& face, double pointSize, bool bold) {
    QFont f;
    const FaceStandIn* s = standIn(face);
    // The sans CJK family follows, so Chinese text still renders where the stand-in is missing.
    f.setFamilies(QStringList{installedFamily(face), QString::fromLatin1(kSans)});
    f.setPointSizeF(pointSize);
    f.setWeight(bold ? QFont::Bold : (s ? s->weight : QFont::Normal));
    return f;
}

}  // namespace forms
