#include "platform/forms/font_faces.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(FontFaces, ChineseDesignFacesResolveToInstalledFamilies) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : {QStringLiteral("宋体"), QStringLiteral("隶书"), QStringLiteral("黑体")}) {
        const QString family = forms::installedFamily(face);
        EXPECT_NE(family, face);
        EXPECT_TRUE(installed.contains(family)) << family.toStdString();
        EXPECT_EQ(QFontInfo(forms::designFont(face, 9)).family(), family);
    }
}

TEST(FontFaces, SizeAndWeightAreKept) {
    const QFont title = forms::designFont(QStringLiteral("宋体"), 10.5, true);
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 10.5);
    EXPECT_TRUE(title.bold());
    EXPECT_FALSE(forms::designFont(QStringLiteral("宋体"), 9).bold());
    // The clerical face stands out from plain text by weight.
    EXPECT_GT(forms::designFont(QStringLiteral("隶书"), 18).weight(), QFont::Normal);
}

TEST(FontFaces, AFaceWithoutStandInIsKept) {
    EXPECT_EQ(forms::installedFamily(QStringLiteral("DejaVu Sans")), "DejaVu Sans");
}

}  // namespace
